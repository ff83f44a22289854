#include "DataGen_Collisions.h"

namespace DataGen
{
    std::string CollisionFileName(int level, int layer)
    {
        return "level" + std::to_string(level) + "_layer" + std::to_string(layer) + ".txt";
    }

    std::string CollisionFileText(int level, int layer)
    {
        return "Static collision of level " + std::to_string(level) + ", layer " + std::to_string(layer)
            + ": line segments x1,y1,x2,y2,z,id then circles x,y,r,z,id\n"
              "0\n"
              "0\n";
    }
}
