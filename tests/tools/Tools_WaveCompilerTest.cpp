// The wave description compiler: each kind of line gives its record, and bad lines are refused.
#include "tools/datagen/DataGen_Waves.h"

#include <gtest/gtest.h>

namespace
{
    using namespace DataGen;

    TEST(WaveCompiler, EachLineGivesItsRecord)
    {
        std::vector<WaveRecord> records;
        std::string error;
        ASSERT_TRUE(CompileWaves("semiboss-wins\n"
                                 "spawn 1 2 21 every 30 40 50  # a comment\n"
                                 "clear every 60\n"
                                 "banner every 10\n"
                                 "last 3 4 13 every 20\n"
                                 "semiboss every 5\n"
                                 "bigboss every 6 7 8\n",
                                 records, error)) << error;
        ASSERT_EQ(records.size(), 6u);
        EXPECT_EQ(records[0], (WaveRecord{1, 1, 2, 21, 30, 40, 50, 0, 0, 0}));
        EXPECT_EQ(records[1], (WaveRecord{0, 0, 0, 0, 60, 60, 60, 0, 1, 0}));
        EXPECT_EQ(records[2], (WaveRecord{0, 99, 99, 99, 10, 10, 10, 0, 0, 0}));
        EXPECT_EQ(records[3], (WaveRecord{0, 3, 4, 13, 20, 20, 20, 2, 0, 0}));
        EXPECT_EQ(records[4], (WaveRecord{0, 0, 0, 0, 5, 5, 5, 1, 3, 0}));
        EXPECT_EQ(records[5], (WaveRecord{0, 0, 0, 0, 6, 7, 8, 1, 1, 0}));
        EXPECT_EQ(FormatWaves({records[0]}), "1 1 2 21 30 40 50 0 0 0\n");
    }

    TEST(WaveCompiler, RefusesMalformedLines)
    {
        for (const char* text : {"", "spawn 1 2 every 30", "spawn 1 2 3 every", "spawn 1 2 3 every 1 2",
                                 "spawn 1 2 3 each 30", "clear every 3x", "wait every 30",
                                 "spawn 1 1 1 every 30\nsemiboss-wins", "spawn 1 1 1 every 0",
                                 "spawn 1 1 1 every 30 0 30", "spawn 1 1 1 every 70000", "spawn 256 1 1 every 30",
                                 "spawn -1 1 1 every 30"})
        {
            std::vector<WaveRecord> records;
            std::string error;
            EXPECT_FALSE(CompileWaves(text, records, error)) << text;
        }
    }

    TEST(WaveCompiler, RefusesMoreRecordsThanTheLevelCounts)
    {
        std::string text;
        for (int i = 0; i < 255; ++i)
            text += "spawn 1 1 1 every 30\n";
        std::vector<WaveRecord> records;
        std::string error;
        EXPECT_TRUE(CompileWaves(text, records, error)) << error;
        records.clear();
        EXPECT_FALSE(CompileWaves(text + "spawn 1 1 1 every 30\n", records, error));
    }
}
