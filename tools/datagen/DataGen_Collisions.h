#pragma once

#include <string>

namespace DataGen
{
    // Levels and layers whose builders read a static-collision file.
    constexpr int LevelCount = 7;
    constexpr int LayersPerLevel = 3;

    // File name of the static collision of one layer: "level<L>_layer<M>.txt".
    std::string CollisionFileName(int level, int layer);

    // The text of one layer's static collision: a header line, the count of line segments
    // (x1, y1, x2, y2, z, id records), then the count of circles (x, y, r, z, id records). No
    // level of the game has static shapes: projectiles bounce off the screen sides by position,
    // and everything else collides with sprites. Every layer therefore gets two empty lists.
    std::string CollisionFileText(int level, int layer);
}
