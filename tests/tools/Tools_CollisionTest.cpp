// Reads every level layer's static-collision file with the framework's rules: a header line, a
// count of segment records, the rest of that line, a count of circle records.
#include "Tools_Files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
    using namespace ToolsTest;

    // One record: numbers separated by one non-blank character each; false when malformed.
    bool ReadRecord(std::istringstream& in, int numbers)
    {
        for (int i = 0; i < numbers; ++i)
        {
            double value = 0.0;
            if (!(in >> value))
                return false;
            char separator = 0;
            if (i + 1 < numbers && (!(in >> separator) || std::isspace(static_cast<unsigned char>(separator))))
                return false;
        }
        return true;
    }

    TEST(CollisionFiles, EveryLayerOfEveryLevelHasAWellFormedFile)
    {
        for (int level = 0; level < 7; ++level)
            for (int layer = 0; layer < 3; ++layer)
            {
                const std::string name = "level" + std::to_string(level) + "_layer" + std::to_string(layer) + ".txt";
                SCOPED_TRACE(name);
                const auto path = ResourceDir() / "Layers Collisions" / name;
                ASSERT_TRUE(std::filesystem::exists(path));
                std::istringstream in(ReadText(path));
                std::string header;
                ASSERT_TRUE(std::getline(in, header));
                int segments = -1, circles = -1;
                ASSERT_TRUE(in >> segments);
                for (int i = 0; i < segments; ++i)
                    ASSERT_TRUE(ReadRecord(in, 6));
                std::string rest;
                std::getline(in, rest);
                ASSERT_TRUE(in >> circles);
                for (int i = 0; i < circles; ++i)
                    ASSERT_TRUE(ReadRecord(in, 5));
                // No level has static geometry; the lists are there and empty.
                EXPECT_EQ(segments, 0);
                EXPECT_EQ(circles, 0);
                std::string extra;
                EXPECT_FALSE(in >> extra) << "nothing after the circles";
            }
    }
}
