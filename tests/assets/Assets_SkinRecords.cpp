#include "Assets_ImageHeader.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace AssetsTest
{
namespace
{
struct SkinRecord
{
    float regionX, regionY, regionWidth, regionHeight, innerLeft, innerRight, innerBottom, innerTop;
};

std::vector<SkinRecord> ReadRecords(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    auto word = [&](std::size_t at) {
        return std::uint32_t(data[at]) | (std::uint32_t(data[at + 1]) << 8) | (std::uint32_t(data[at + 2]) << 16) |
               (std::uint32_t(data[at + 3]) << 24);
    };
    std::vector<SkinRecord> records;
    if (data.size() < 4)
        return records;
    const std::size_t count = word(0);
    for (std::size_t i = 0; i < count && 4 + 32 * (i + 1) <= data.size(); ++i)
    {
        float v[8];
        for (int k = 0; k < 8; ++k)
            v[k] = std::bit_cast<float>(word(4 + 32 * i + 4 * k));
        records.push_back({v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]});
    }
    return records;
}

// The records of a skin's description are written by the data tools; they must address the
// picture drawn here, or the GUI stretches texels from outside a state's region.
void CheckSkin(const std::string& skin, std::size_t recordsNeeded)
{
    SCOPED_TRACE(skin);
    const std::string base = std::string(MORVANE_RESOURCES) + "/Skins/" + skin + "/" + skin;
    const auto picture = ReadPngHeader(base + ".png");
    ASSERT_TRUE(picture);
    if (!std::filesystem::exists(base + ".gui"))
        GTEST_SKIP() << base << ".gui is not built in this tree";
    const std::vector<SkinRecord> records = ReadRecords(base + ".gui");
    ASSERT_GE(records.size(), recordsNeeded);
    for (std::size_t i = 0; i < records.size(); ++i)
    {
        SCOPED_TRACE("record " + std::to_string(i));
        const SkinRecord& r = records[i];
        EXPECT_GE(r.regionX, 0.0f);
        EXPECT_GE(r.regionY, 0.0f);
        EXPECT_LE(r.regionX + r.regionWidth, float(picture->width));
        EXPECT_LE(r.regionY + r.regionHeight, float(picture->height));
        EXPECT_LE(0.0f, r.innerLeft);
        EXPECT_LE(r.innerLeft, r.innerRight);
        EXPECT_LE(r.innerRight, r.regionWidth);
        EXPECT_LE(0.0f, r.innerBottom);
        EXPECT_LE(r.innerBottom, r.innerTop);
        EXPECT_LE(r.innerTop, r.regionHeight);
    }
}
}

TEST(SkinRecords, ButtonSkinRecordsLieInsideItsPicture)
{
    CheckSkin("DefaultButtonSkin", 5);
}

TEST(SkinRecords, FormSkinRecordsLieInsideItsPicture)
{
    CheckSkin("DefaultFormSkin", 7);
}

TEST(SkinRecords, RadioButtonSkinRecordsLieInsideItsPicture)
{
    CheckSkin("DefaultRadioButtonSkin", 10);
}
}
