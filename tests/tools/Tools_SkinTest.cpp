// Reads the generated skin ".gui" files back and checks them against the controls that use them
// and against the skin pictures.
#include "Tools_Files.h"

#include "tools/datagen/DataGen_Skins.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    using namespace ToolsTest;

    struct Skin
    {
        const char* name;
        uint32_t records; // the record indices the controls ask for
    };

    // The record list that comes with the skin pictures in assets/, from which the build writes
    // the ".gui" files.
    std::filesystem::path RecordList()
    {
        return std::filesystem::path(MORVANE_SOURCE_DIR) / "assets/Skins/skin_records.txt";
    }

    std::vector<DataGen::SkinRecord> ReadGui(const std::string& name, size_t& fileSize)
    {
        const std::vector<uint8_t> bytes = ReadBytes(ResourceDir() / "Skins" / name / (name + ".gui"));
        fileSize = bytes.size();
        std::vector<DataGen::SkinRecord> records;
        if (bytes.size() < 4)
            return records;
        const uint32_t count = U32(bytes, 0);
        for (uint32_t i = 0; i < count && 4 + 32 * (i + 1) <= bytes.size(); ++i)
        {
            DataGen::SkinRecord record{};
            for (int v = 0; v < 8; ++v)
                record[v] = F32(bytes, 4 + 32 * i + 4 * v);
            records.push_back(record);
        }
        return records;
    }

    void ExpectRecordsInsideTheSkinPicture(const Skin& skin, const std::vector<DataGen::SkinRecord>& records)
    {
        int width = 0, height = 0;
        const std::string name = skin.name;
        ASSERT_TRUE(ReadPngSize(ResourceDir() / "Skins" / name / (name + ".png"), width, height));
        for (size_t i = 0; i < records.size(); ++i)
        {
            const DataGen::SkinRecord& r = records[i];
            SCOPED_TRACE("record " + std::to_string(i));
            for (float value : r)
                EXPECT_EQ(value, std::floor(value)) << "whole texels";
            EXPECT_GE(r[0], 0.0f);
            EXPECT_GE(r[1], 0.0f);
            EXPECT_LE(r[0] + r[2], static_cast<float>(width));
            EXPECT_LE(r[1] + r[3], static_cast<float>(height));
            EXPECT_LE(r[4], r[5]);
            EXPECT_LE(r[5], r[2]);
            EXPECT_LE(r[6], r[7]);
            EXPECT_LE(r[7], r[3]);
        }
    }

    TEST(SkinFiles, HoldEveryRecordTheControlUsesInsideThePictureAsTheRecordListSays)
    {
        std::map<std::string, std::vector<DataGen::SkinRecord>> listed;
        std::string error;
        ASSERT_TRUE(DataGen::ReadSkinRecords(ReadText(RecordList()), listed, error)) << error;
        for (const Skin& skin : {Skin{"DefaultFormSkin", 7}, Skin{"DefaultButtonSkin", 5},
                                 Skin{"DefaultRadioButtonSkin", 10}})
        {
            SCOPED_TRACE(skin.name);
            size_t fileSize = 0;
            const std::vector<DataGen::SkinRecord> records = ReadGui(skin.name, fileSize);
            EXPECT_EQ(records.size(), skin.records);
            EXPECT_EQ(fileSize, 4 + 32 * records.size()) << "nothing after the last record";
            EXPECT_EQ(records, listed[skin.name]);
            ExpectRecordsInsideTheSkinPicture(skin, records);
        }
    }

    TEST(SkinRecordList, RefusesRecordsOutOfOrderOrOutsideTheirRegion)
    {
        std::map<std::string, std::vector<DataGen::SkinRecord>> skins;
        std::string error;
        EXPECT_TRUE(DataGen::ReadSkinRecords("A 0 0 0 10 10 2 8 2 8 # fine\nA 1 10 0 10 10 0 10 0 10\n", skins, error));
        EXPECT_EQ(skins["A"].size(), 2u);
        skins.clear();
        EXPECT_FALSE(DataGen::ReadSkinRecords("A 1 0 0 10 10 2 8 2 8\n", skins, error));
        skins.clear();
        EXPECT_FALSE(DataGen::ReadSkinRecords("A 0 0 0 10 10 8 2 2 8\n", skins, error)) << "inner edges swapped";
        skins.clear();
        EXPECT_FALSE(DataGen::ReadSkinRecords("A 0 0 0 10 10 2 12 2 8\n", skins, error)) << "inner edge outside";
        skins.clear();
        EXPECT_FALSE(DataGen::ReadSkinRecords("A 0 0 0 10 10 2 8 2\n", skins, error)) << "a value missing";
    }

    TEST(SkinRecordList, GuiFileIsACountThenEightFloatsPerRecord)
    {
        const std::string bytes = DataGen::FormatGui({{1, 2, 3, 4, 5, 6, 7, 8}});
        ASSERT_EQ(bytes.size(), 36u);
        const std::vector<uint8_t> data(bytes.begin(), bytes.end());
        EXPECT_EQ(U32(data, 0), 1u);
        EXPECT_EQ(F32(data, 4), 1.0f);
        EXPECT_EQ(F32(data, 32), 8.0f);
    }
}
