// Image loading: which names are decoded, bottom-up conversion, the transparent-pixel fill,
// power-of-two rounding, mip-chain sizes and the resampler, on generated pictures.

#include "renderer/Renderer_ImageLoader.h"
#include "renderer/Renderer_ImageResample.h"
#include "renderer/Renderer_TextureSize.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
PAL::DecodedImage ToDecoded(const TestSupport::Picture& picture)
{
    PAL::DecodedImage image;
    image.width = picture.width;
    image.height = picture.height;
    image.pixels.assign(picture.rgba.begin(), picture.rgba.end());
    return image;
}

std::vector<u8> PixelOf(const Renderer::Surface& surface, i32 x, i32 y)
{
    const u8* p = surface.GetPixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

std::vector<std::pair<i32, i32>> LevelSizes(const Renderer::MipChain& chain)
{
    std::vector<std::pair<i32, i32>> sizes;
    for (const auto& level : chain.levels)
        sizes.emplace_back(level->GetWidth(), level->GetHeight());
    return sizes;
}
} // namespace

TEST(ImageNames, OnlyPngBmpAndJpgInAnyCaseGoToTheDecoder)
{
    EXPECT_TRUE(Renderer::IsImageFileName("sheet.png"));
    EXPECT_TRUE(Renderer::IsImageFileName("\\Resources\\SHEET.PNG"));
    EXPECT_TRUE(Renderer::IsImageFileName("a.Bmp"));
    EXPECT_TRUE(Renderer::IsImageFileName("photo.jpg"));
    EXPECT_FALSE(Renderer::IsImageFileName("photo.jpeg"));
    EXPECT_FALSE(Renderer::IsImageFileName("sprite.tga"));
    EXPECT_FALSE(Renderer::IsImageFileName("png"));
    EXPECT_FALSE(Renderer::IsImageFileName(""));
}

TEST(ImageConversion, RowsAreStoredBottomUpInRgbaOrder)
{
    TestSupport::Picture picture(2, 3);
    picture.Fill(0, 0, 0, 255);
    picture.Set(0, 0, 10, 20, 30, 255); // top left of the picture
    picture.Set(1, 2, 40, 50, 60, 255); // bottom right
    const Core::RefPtr<Renderer::Surface> surface = Renderer::MakeSurface(ToDecoded(picture));
    ASSERT_EQ(surface->GetWidth(), 2);
    ASSERT_EQ(surface->GetHeight(), 3);
    EXPECT_EQ(surface->GetPitch(), 8);
    EXPECT_EQ(surface->GetFormat(), Renderer::Surface::FormatRGBA);
    // The top-left pixel of the picture is the first pixel of the last row.
    EXPECT_EQ(PixelOf(*surface, 0, 2), (std::vector<u8>{10, 20, 30, 255}));
    EXPECT_EQ(PixelOf(*surface, 1, 0), (std::vector<u8>{40, 50, 60, 255}));
}

TEST(ImageConversion, TransparentPixelTakesTheMeanColourOfItsOpaqueNeighbours)
{
    TestSupport::Picture picture(3, 1);
    picture.Set(0, 0, 255, 0, 0, 255);
    picture.Set(1, 0, 9, 9, 9, 0);
    picture.Set(2, 0, 0, 0, 255, 255);
    const Core::RefPtr<Renderer::Surface> surface = Renderer::MakeSurface(ToDecoded(picture));
    EXPECT_EQ(PixelOf(*surface, 1, 0), (std::vector<u8>{127, 0, 127, 0}));
    EXPECT_EQ(PixelOf(*surface, 0, 0), (std::vector<u8>{255, 0, 0, 255}));
}

TEST(ImageConversion, TransparentNeighboursLendNoColourAndLonePixelsKeepTheirBytes)
{
    TestSupport::Picture picture(3, 3);
    picture.Fill(1, 2, 3, 0);
    picture.Set(2, 2, 90, 60, 30, 255); // one opaque pixel in the bottom-right corner
    const Core::RefPtr<Renderer::Surface> surface = Renderer::MakeSurface(ToDecoded(picture));
    // The centre sees only the opaque corner among its eight neighbours.
    EXPECT_EQ(PixelOf(*surface, 1, 1), (std::vector<u8>{90, 60, 30, 0}));
    // The top-left corner (row 2 bottom-up) has no opaque neighbour: its own bytes stay.
    EXPECT_EQ(PixelOf(*surface, 0, 2), (std::vector<u8>{1, 2, 3, 0}));
}

TEST(ImageConversion, NeighboursOfEveryDirectionCountAndTheMeanTruncates)
{
    TestSupport::Picture picture(3, 3);
    picture.Fill(0, 0, 0, 255);
    picture.Set(0, 0, 100, 0, 0, 255);
    picture.Set(2, 2, 0, 0, 1, 255);
    picture.Set(1, 1, 5, 5, 5, 0);
    const Core::RefPtr<Renderer::Surface> surface = Renderer::MakeSurface(ToDecoded(picture));
    // Eight opaque neighbours: red 100 / 8 = 12.5 -> 12, blue 1 / 8 -> 0.
    EXPECT_EQ(PixelOf(*surface, 1, 1), (std::vector<u8>{12, 0, 0, 0}));
}

TEST(PowersOfTwo, HelpersFollowTheRoundingTable)
{
    EXPECT_TRUE(Renderer::IsPowerOfTwo(1));
    EXPECT_TRUE(Renderer::IsPowerOfTwo(1024));
    EXPECT_FALSE(Renderer::IsPowerOfTwo(0));
    EXPECT_FALSE(Renderer::IsPowerOfTwo(300));
    EXPECT_EQ(Renderer::PowerOfTwoAbove(0), 1u);
    EXPECT_EQ(Renderer::PowerOfTwoAbove(8), 16u);
    EXPECT_EQ(Renderer::PowerOfTwoAbove(0x90000000u), 0x80000000u);
    EXPECT_EQ(Renderer::PowerOfTwoBelow(1), 1u);
    EXPECT_EQ(Renderer::PowerOfTwoBelow(8), 4u);
    EXPECT_EQ(Renderer::PowerOfTwoBelow(12), 8u);
    const std::pair<u32, u32> nearest[] = {{3, 4}, {5, 4}, {6, 8}, {12, 16}, {100, 128}, {300, 256}, {0, 1},
                                           {1, 1}, {256, 256}, {0xC0000001u, 0x80000000u}};
    for (const auto& [value, expected] : nearest)
        EXPECT_EQ(Renderer::NearestPowerOfTwo(value), expected) << value;
}

TEST(MipChain, LevelSizesWithoutNonPowerOfTwoSupport)
{
    i32 width = 0;
    i32 height = 0;
    Renderer::BaseLevelSize(300, 200, false, 2048, width, height);
    EXPECT_EQ(width, 256);
    EXPECT_EQ(height, 256);
    EXPECT_EQ(Renderer::MipLevelCount(width, height, true), 9u);
    EXPECT_EQ(Renderer::MipLevelCount(width, height, false), 1u);
    Renderer::BaseLevelSize(100, 300, false, 2048, width, height);
    EXPECT_EQ(width, 128);
    EXPECT_EQ(height, 256);
}

TEST(MipChain, BaseLevelIsLimitedToTheDevicesLargestSize)
{
    i32 width = 0;
    i32 height = 0;
    Renderer::BaseLevelSize(4096, 64, true, 2048, width, height);
    EXPECT_EQ(width, 2048);
    EXPECT_EQ(height, 64);
    Renderer::BaseLevelSize(5000, 3000, false, 2048, width, height);
    EXPECT_EQ(width, 2048);
    EXPECT_EQ(height, 2048);
}

TEST(MipChain, BuiltChainHalvesEachSideDownToOnePixel)
{
    TestSupport::Picture picture(300, 200);
    picture.Fill(200, 100, 50, 255);
    Renderer::MipChain chain;
    Renderer::BuildMipChain(ToDecoded(picture), true, true, 2048, chain);
    EXPECT_EQ(chain.imageWidth, 300);
    EXPECT_EQ(chain.imageHeight, 200);
    const std::vector<std::pair<i32, i32>> expected = {{300, 200}, {150, 100}, {75, 50}, {37, 25}, {18, 12},
                                                       {9, 6},     {4, 3},     {2, 1},   {1, 1}};
    EXPECT_EQ(LevelSizes(chain), expected);
    // A uniform picture stays uniform at every level.
    for (const auto& level : chain.levels)
        EXPECT_EQ(PixelOf(*level, level->GetWidth() - 1, 0), (std::vector<u8>{200, 100, 50, 255}));

    Renderer::BuildMipChain(ToDecoded(picture), true, false, 2048, chain);
    ASSERT_EQ(chain.levels.size(), 9u);
    EXPECT_EQ(LevelSizes(chain).front(), std::make_pair(256, 256));
    EXPECT_EQ(LevelSizes(chain).back(), std::make_pair(1, 1));

    Renderer::BuildMipChain(ToDecoded(picture), false, false, 2048, chain);
    EXPECT_EQ(LevelSizes(chain), (std::vector<std::pair<i32, i32>>{{256, 256}}));
}

TEST(MipChain, LoadedFromAPngFile)
{
    const TestSupport::ScratchFolder folder("morvane_mipchain");
    TestSupport::Picture picture(1, 1);
    picture.Set(0, 0, 11, 22, 33, 255);
    const std::string path = folder.Write("dot.png", TestSupport::EncodePng(picture));
    Renderer::MipChain chain;
    ASSERT_TRUE(Renderer::LoadMipChain(path.c_str(), true, false, 2048, chain));
    ASSERT_EQ(chain.levels.size(), 1u);
    EXPECT_EQ(PixelOf(*chain.levels[0], 0, 0), (std::vector<u8>{11, 22, 33, 255}));

    // Not an image name, and an image name whose bytes are not an image: no chain.
    const std::string raw = folder.Write("dot.tga", TestSupport::EncodePng(picture));
    const std::string broken = folder.Write("broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
    EXPECT_FALSE(Renderer::LoadMipChain(raw.c_str(), true, false, 2048, chain));
    EXPECT_FALSE(Renderer::LoadMipChain(broken.c_str(), true, false, 2048, chain));
    EXPECT_EQ(chain.levels.size(), 1u);
}

TEST(Resampling, ShrinkingAveragesEverySourcePixel)
{
    TestSupport::Picture picture(4, 1);
    picture.Set(0, 0, 0, 0, 0, 255);
    picture.Set(1, 0, 0, 0, 0, 255);
    picture.Set(2, 0, 200, 200, 200, 255);
    picture.Set(3, 0, 200, 200, 200, 255);
    const PAL::DecodedImage half = Renderer::ResampleImage(ToDecoded(picture), 2, 1);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.pixels.size(), 8u);
    // The left sample mostly black, the right mostly grey, symmetric about the middle.
    EXPECT_LT(half.pixels[0], 100);
    EXPECT_GT(half.pixels[4], 100);
    EXPECT_EQ(static_cast<int>(half.pixels[0]) + static_cast<int>(half.pixels[4]), 200);

    const PAL::DecodedImage one = Renderer::ResampleImage(ToDecoded(picture), 1, 1);
    EXPECT_EQ(one.pixels[0], 100);
    EXPECT_EQ(one.pixels[3], 255);
}

TEST(Resampling, EmptyImageGivesTransparentBlack)
{
    const PAL::DecodedImage empty;
    const PAL::DecodedImage scaled = Renderer::ResampleImage(empty, 2, 3);
    EXPECT_EQ(scaled.width, 2);
    EXPECT_EQ(scaled.pixels, Core::Vector<u8>(24, 0));
}

TEST(Resampling, TransparentPixelsLendNoColour)
{
    TestSupport::Picture picture(2, 2);
    picture.Set(0, 0, 255, 0, 0, 0); // transparent red
    picture.Set(1, 0, 0, 0, 255, 255);
    picture.Set(0, 1, 255, 0, 0, 0);
    picture.Set(1, 1, 0, 0, 255, 255);
    const PAL::DecodedImage one = Renderer::ResampleImage(ToDecoded(picture), 1, 1);
    EXPECT_EQ(one.pixels[0], 0);
    EXPECT_EQ(one.pixels[2], 255);
    EXPECT_EQ(one.pixels[3], 128);
}

TEST(Resampling, EnlargingInterpolatesBetweenNeighbours)
{
    TestSupport::Picture picture(2, 1);
    picture.Set(0, 0, 0, 0, 0, 255);
    picture.Set(1, 0, 240, 0, 0, 255);
    const PAL::DecodedImage wide = Renderer::ResampleImage(ToDecoded(picture), 4, 1);
    const u8 reds[4] = {wide.pixels[0], wide.pixels[4], wide.pixels[8], wide.pixels[12]};
    EXPECT_EQ(reds[0], 0);
    EXPECT_EQ(reds[1], 60);
    EXPECT_EQ(reds[2], 180);
    EXPECT_EQ(reds[3], 240);
}

TEST(Resampling, TallPicturesKeepTheirRowOrderThroughTheRowWindow)
{
    // A vertical ramp far taller than any vertical filter: each output row must come from the
    // source rows at its own height, shrinking and enlarging alike.
    TestSupport::Picture picture(3, 64);
    for (i32 y = 0; y < 64; ++y)
        for (i32 x = 0; x < 3; ++x)
            picture.Set(x, y, static_cast<u8>(4 * y), 0, 0, 255);
    for (const i32 height : {5, 16, 63, 100})
    {
        const PAL::DecodedImage scaled = Renderer::ResampleImage(ToDecoded(picture), 3, height);
        for (i32 y = 1; y < height; ++y)
            for (i32 x = 0; x < 3; ++x)
                ASSERT_GE(scaled.pixels[(static_cast<std::size_t>(y) * 3 + static_cast<std::size_t>(x)) * 4],
                          scaled.pixels[(static_cast<std::size_t>(y - 1) * 3 + static_cast<std::size_t>(x)) * 4])
                    << height << " rows, row " << y;
        EXPECT_LE(scaled.pixels[0], 32) << height;
        EXPECT_GE(scaled.pixels[(static_cast<std::size_t>(height - 1) * 3) * 4], 220) << height;
    }
}

TEST(MipChain, EachLevelFollowsTheOneAboveIt)
{
    // A 2 x 2 checker of opaque black and white averages to mid grey at 1 x 1 through any chain.
    TestSupport::Picture picture(16, 16);
    for (i32 y = 0; y < 16; ++y)
        for (i32 x = 0; x < 16; ++x)
        {
            const u8 value = ((x / 8) + (y / 8)) % 2 == 0 ? 0 : 255;
            picture.Set(x, y, value, value, value, 255);
        }
    Renderer::MipChain chain;
    Renderer::BuildMipChain(ToDecoded(picture), true, false, 2048, chain);
    ASSERT_EQ(chain.levels.size(), 5u);
    // Surface rows run bottom-up: (0, 0) is the picture's bottom-left quarter, which is white.
    EXPECT_EQ(PixelOf(*chain.levels[1], 0, 0), (std::vector<u8>{255, 255, 255, 255}));
    EXPECT_EQ(PixelOf(*chain.levels[1], 0, 7), (std::vector<u8>{0, 0, 0, 255}));
    const std::vector<u8> last = PixelOf(*chain.levels[4], 0, 0);
    EXPECT_NEAR(last[0], 128, 1);
    EXPECT_EQ(last[3], 255);
}
