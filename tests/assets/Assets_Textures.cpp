#include "Assets_ImageHeader.h"
#include "Assets_TextureTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace AssetsTest
{
namespace
{
std::string PathOf(const ExpectedTexture& texture)
{
    return std::string(MORVANE_RESOURCES) + "/" + texture.folder + "/" + texture.name + ".png";
}

struct FrameSize
{
    int width, height;
};

FrameSize NeededFrame(const ExpectedTexture& t)
{
    switch (t.fit)
    {
    case Fit::Centred:
        return {2 * std::max(-t.rect.left, t.rect.right), 2 * std::max(t.rect.top, -t.rect.bottom)};
    case Fit::Texel:
        return {t.rect.right - t.rect.left, t.rect.top - t.rect.bottom};
    case Fit::Size:
        break;
    }
    return {t.width, t.height};
}

void CheckTexture(const ExpectedTexture& t)
{
    SCOPED_TRACE(std::string(t.folder) + "/" + t.name);
    const auto header = ReadPngHeader(PathOf(t));
    ASSERT_TRUE(header) << "missing, or not a PNG file: " << PathOf(t);
    EXPECT_EQ(8, header->bitDepth);
    EXPECT_TRUE(header->colourType == 6 || header->colourType == 2) << "colour type " << int(header->colourType);
    // The game cuts the sheet into equal cells; a remainder would shift every frame after the first.
    EXPECT_EQ(0u, header->width % t.columns) << header->width << " pixels in " << t.columns << " columns";
    EXPECT_EQ(0u, header->height % t.rows) << header->height << " pixels in " << t.rows << " rows";
    EXPECT_LE(t.frames, t.columns * t.rows);
    const int frameWidth = int(header->width) / t.columns;
    const int frameHeight = int(header->height) / t.rows;
    const FrameSize needed = NeededFrame(t);
    EXPECT_NEAR(needed.width, frameWidth, 1) << "frame width";
    EXPECT_NEAR(needed.height, frameHeight, 1) << "frame height";
}

std::set<std::string> PngFilesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const std::string& name : ListFiles(std::string(MORVANE_RESOURCES) + "/" + folder))
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0)
            names.insert(name);
    return names;
}

std::set<std::string> NamedIn(const std::string& folder, std::initializer_list<std::span<const ExpectedTexture>> tables)
{
    std::set<std::string> names;
    for (const auto& table : tables)
        for (const ExpectedTexture& t : table)
            if (folder == t.folder)
                names.insert(std::string(t.name) + ".png");
    return names;
}
}

TEST(PlayLevelTextures, ExistOnTheirGridWithTheFrameSizeTheirCollisionShapesNeed)
{
    for (const ExpectedTexture& t : PlayTextures())
        CheckTexture(t);
}

TEST(MenuTextures, ExistOnTheirGridWithTheFrameSizeTheirCollisionShapesNeed)
{
    for (const ExpectedTexture& t : MenuTextures())
        CheckTexture(t);
}

TEST(GuiTextures, ExistWithTheSizesTheGuiDrawsThem)
{
    for (const ExpectedTexture& t : GuiTextures())
        CheckTexture(t);
}

TEST(ParticleTextures, ExistAtTheParticleSizeOfTheContent)
{
    for (const ExpectedTexture& t : ParticleTextures())
        CheckTexture(t);
}

// File names are case-sensitive: a texture under a name the game does not ask for is as missing
// as no file at all, so the folders hold exactly the named files.
TEST(TextureFolders, HoldExactlyTheTexturesTheGameNames)
{
    EXPECT_EQ(NamedIn("Animations", {PlayTextures(), MenuTextures()}), PngFilesIn("Animations"));
    EXPECT_EQ(NamedIn("ParticleSystems", {ParticleTextures()}), PngFilesIn("ParticleSystems"));
    for (const char* folder : {"Cursors", "Skins", "Skins/Overlays", "Skins/DefaultButtonSkin",
                               "Skins/DefaultFormSkin", "Skins/DefaultRadioButtonSkin"})
        EXPECT_EQ(NamedIn(folder, {GuiTextures()}), PngFilesIn(folder)) << folder;
}

TEST(WindowIcon, PngBesideTheIcoIsASquarePictureWithTransparency)
{
    const auto header = ReadPngHeader(std::string(MORVANE_RESOURCES) + "/GameIcon/GameIcon.png");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, header->height);
    EXPECT_GE(header->width, 32u);
    EXPECT_EQ(6, header->colourType);
}

TEST(WindowIcon, IcoHoldsThirtyTwoBitSquaresOfTheUsualSizes)
{
    const auto entries = ReadIconDirectory(std::string(MORVANE_RESOURCES) + "/GameIcon/GameIcon.ico");
    ASSERT_TRUE(entries) << "missing, or not an icon file whose entries lie inside it";
    std::set<std::uint32_t> sizes;
    for (const IconEntry& e : *entries)
    {
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(32, e.bitCount);
        // a bitmap entry: header, colour rows and the 1-bit mask, rows padded to 4 bytes
        EXPECT_EQ(40 + e.width * e.height * 4 + (e.width + 31) / 32 * 4 * e.height, e.size);
        sizes.insert(e.width);
    }
    EXPECT_EQ(entries->size(), sizes.size()) << "one entry per size";
    for (std::uint32_t size : {16u, 32u, 48u})
        EXPECT_TRUE(sizes.count(size)) << size << " x " << size << " missing";
}
}
