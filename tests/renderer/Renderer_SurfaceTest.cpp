// Surfaces: the image path, the raw surface file and its hostile forms, the test pattern, and the
// clipping of surface regions drawn into the window.

#include "renderer/Renderer_RasterCommand.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_VisibleRegion.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Scratch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace
{
std::vector<u8> PixelOf(const Renderer::Surface& surface, i32 x, i32 y)
{
    const u8* p = surface.GetPixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

bool IsTestPattern(const Renderer::Surface& surface)
{
    return surface.GetWidth() == 256 && surface.GetHeight() == 256 && surface.GetPitch() == 1024 &&
           PixelOf(surface, 3, 5) == std::vector<u8>{6, 6, 6, 255} &&
           PixelOf(surface, 255, 0) == std::vector<u8>{255, 255, 255, 255};
}

std::vector<u8> Pixels(u32 count, u8 value)
{
    return std::vector<u8>(count, value);
}

class SurfaceFiles : public ::testing::Test
{
protected:
    Core::RefPtr<Renderer::Surface> Load(const std::string& fileName, const std::vector<u8>& bytes)
    {
        return Core::RefPtr<Renderer::Surface>(new Renderer::Surface(folder.Write(fileName, bytes).c_str()));
    }

    TestSupport::ScratchFolder folder{"morvane_surfaces"};
};
} // namespace

TEST(Surface, SizedSurfaceIsZeroFilled)
{
    const Renderer::Surface surface(3, 2, Renderer::Surface::FormatRGBA);
    EXPECT_EQ(surface.GetPitch(), 12);
    EXPECT_EQ(surface.GetByteCount(), 24u);
    EXPECT_EQ(PixelOf(surface, 2, 1), (std::vector<u8>{0, 0, 0, 0}));
    const Renderer::Surface negative(-4, 5, 0);
    EXPECT_EQ(negative.GetWidth(), 0);
    EXPECT_EQ(negative.GetByteCount(), 0u);
}

TEST(Surface, MissingOrUnnamedFilesGiveTheTestPattern)
{
    // A named file that gives no picture is reported once, with the file and why; no name is no
    // file.
    testing::internal::CaptureStderr();
    EXPECT_TRUE(IsTestPattern(Renderer::Surface(Core::String())));
    EXPECT_TRUE(IsTestPattern(Renderer::Surface("/nonexistent/folder/missing.png")));
    EXPECT_TRUE(IsTestPattern(Renderer::Surface("\\Resources\\missing.raw")));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Picture \"/nonexistent/folder/missing.png\": No such file or directory; a test pattern stands in\n"
              "Picture \"/Resources/missing.raw\": it is neither a PNG, BMP or JPEG picture nor a raw surface; "
              "a test pattern stands in\n");
}

TEST_F(SurfaceFiles, PngInLowerCaseIsDecodedBottomUp)
{
    TestSupport::Picture picture(2, 2);
    picture.Fill(0, 0, 0, 255);
    picture.Set(0, 0, 1, 2, 3, 4);
    const Core::RefPtr<Renderer::Surface> surface = Load("picture.png", TestSupport::EncodePng(picture));
    ASSERT_EQ(surface->GetWidth(), 2);
    EXPECT_EQ(PixelOf(*surface, 0, 1), (std::vector<u8>{1, 2, 3, 4}));
}

TEST_F(SurfaceFiles, EnginePathsWithBackslashesOpenTheFile)
{
    TestSupport::Picture picture(3, 1);
    folder.Write("slashed.png", TestSupport::EncodePng(picture));
    std::string enginePath = folder.PathOf("slashed.png");
    std::replace(enginePath.begin(), enginePath.end(), '/', '\\');
    const Renderer::Surface surface(enginePath.c_str());
    EXPECT_EQ(surface.GetWidth(), 3);
    EXPECT_EQ(surface.GetHeight(), 1);
}

TEST_F(SurfaceFiles, RawFileUnderAnyOtherNameIsReadAsIs)
{
    std::vector<u8> pixels = Pixels(2 * 3 * 4, 0);
    pixels[0] = 9;
    pixels[23] = 77;
    const Core::RefPtr<Renderer::Surface> surface = Load("sprite.tga", TestSupport::EncodeRawSurface(0, 2, 3, 8, pixels));
    ASSERT_EQ(surface->GetWidth(), 2);
    ASSERT_EQ(surface->GetHeight(), 3);
    EXPECT_EQ(surface->GetPitch(), 8);
    EXPECT_EQ(surface->GetPixels()[0], 9);
    EXPECT_EQ(surface->GetPixels()[23], 77);
}

TEST_F(SurfaceFiles, HostileRawHeadersGiveTheTestPattern)
{
    // More pixels promised than the file holds (a huge allocation if believed).
    EXPECT_TRUE(IsTestPattern(*Load("huge.raw", TestSupport::EncodeRawSurface(0, 60000, 60000, 240000, Pixels(64, 1)))));
    // Sizes whose product overflows 32 bits.
    EXPECT_TRUE(IsTestPattern(*Load("wrap.raw", TestSupport::EncodeRawSurface(0, 0x80000000u, 2, 0, Pixels(16, 1)))));
    // One byte short, one byte too many, a pitch that does not match the width, no pixels at all.
    EXPECT_TRUE(IsTestPattern(*Load("short.raw", TestSupport::EncodeRawSurface(0, 2, 2, 8, Pixels(15, 1)))));
    EXPECT_TRUE(IsTestPattern(*Load("long.raw", TestSupport::EncodeRawSurface(0, 2, 2, 8, Pixels(17, 1)))));
    EXPECT_TRUE(IsTestPattern(*Load("pitch.raw", TestSupport::EncodeRawSurface(0, 2, 2, 12, Pixels(16, 1)))));
    EXPECT_TRUE(IsTestPattern(*Load("empty.raw", TestSupport::EncodeRawSurface(0, 0, 0, 0, {}))));
    // A header cut short, and an empty file.
    EXPECT_TRUE(IsTestPattern(*Load("cut.raw", {1, 0, 0, 0, 2, 0})));
    EXPECT_TRUE(IsTestPattern(*Load("nothing.raw", {})));
}

TEST_F(SurfaceFiles, CorruptImageFileGivesTheTestPattern)
{
    TestSupport::Picture picture(8, 8);
    std::vector<u8> png = TestSupport::EncodePng(picture);
    png.resize(png.size() / 2);
    testing::internal::CaptureStderr();
    EXPECT_TRUE(IsTestPattern(*Load("truncated.png", png)));
    EXPECT_TRUE(IsTestPattern(*Load("noise.bmp", Pixels(100, 0x42))));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("truncated.png\": a PNG chunk of it is cut short or fails its checksum; a test pattern stands in\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("noise.bmp\": it is no PNG, BMP or JPEG picture; a test pattern stands in\n"),
              std::string::npos)
        << said;
}

TEST(SurfaceClipping, RegionInsideTheWindowIsDrawnWhole)
{
    Renderer::SurfaceRegion region;
    ASSERT_TRUE(Renderer::ClipSurfaceRegion(640, 480, 64, 64, 10, 20, 4, 5, 16, 8, false, false, region));
    EXPECT_EQ(region.rasterX, 10);
    EXPECT_EQ(region.rasterY, 20);
    EXPECT_EQ(region.sourceX, 4u);
    EXPECT_EQ(region.sourceY, 5u);
    EXPECT_EQ(region.width, 16);
    EXPECT_EQ(region.height, 8);
}

TEST(SurfaceClipping, CutsAtTheWindowEdgeKeepThePixelsInPlace)
{
    Renderer::SurfaceRegion region;
    // 10 columns hang over the right edge: they are simply not drawn.
    ASSERT_TRUE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 70, 0, 0, 0, 40, 10, false, false, region));
    EXPECT_EQ(region.width, 30);
    EXPECT_EQ(region.sourceX, 0u);
    // Mirrored in x the surface's first columns sit at the right edge, so those are the ones cut.
    ASSERT_TRUE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 70, 0, 0, 0, 40, 10, true, false, region));
    EXPECT_EQ(region.width, 30);
    EXPECT_EQ(region.sourceX, 10u);
    EXPECT_EQ(region.rasterX, 100);
    // Mirrored in y likewise at the top.
    ASSERT_TRUE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 0, 95, 0, 2, 8, 10, false, true, region));
    EXPECT_EQ(region.height, 5);
    EXPECT_EQ(region.sourceY, 7u);
    EXPECT_EQ(region.rasterY, 100);
}

TEST(SurfaceClipping, RegionsOutsideTheWindowOrTheSurfaceDrawNothing)
{
    Renderer::SurfaceRegion region;
    EXPECT_FALSE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 100, 0, 0, 0, 10, 10, false, false, region));
    EXPECT_FALSE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 0, 0, 64, 0, 10, 10, false, false, region));
    EXPECT_FALSE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 0, 0, 0, 0, 0, 10, false, false, region));
    // A region reaching past the surface is cut to it.
    ASSERT_TRUE(Renderer::ClipSurfaceRegion(100, 100, 64, 64, 0, 0, 60, 0, 10, 10, false, false, region));
    EXPECT_EQ(region.width, 4);
}

namespace
{
// A 16 x 8 surface, transparent but for the texels given, each with a little alpha.
Renderer::TextureRegion RegionOf(std::initializer_list<std::pair<i32, i32>> visible)
{
    Renderer::Surface surface(16, 8, Renderer::Surface::FormatRGBA);
    for (u32 i = 0; i < surface.GetByteCount(); i += 4)
        surface.GetPixels()[i] = 255;
    for (const auto& [x, y] : visible)
        surface.GetPixels()[y * surface.GetPitch() + x * 4 + 3] = 1;
    return Renderer::FindVisibleRegion(surface);
}
}  // namespace

TEST(VisibleRegion, SpansTheVisibleTexelsAndTheReachOfFilteringOrTheWholeAxisAtAnEdge)
{
    // Texels 5..9 by 2..4, one more on each side for linear filtering.
    EXPECT_EQ(RegionOf({{5, 2}, {9, 4}}), (Renderer::TextureRegion{4.0f / 16, 1.0f / 8, 11.0f / 16, 6.0f / 8}));
    // Next to an edge the grown texels still fit.
    EXPECT_EQ(RegionOf({{1, 1}, {14, 6}}), (Renderer::TextureRegion{0.0f, 0.0f, 1.0f, 1.0f}));
    EXPECT_EQ(RegionOf({{2, 2}, {13, 5}}), (Renderer::TextureRegion{1.0f / 16, 1.0f / 8, 15.0f / 16, 7.0f / 8}));
    // A texel on an edge is filtered in at the opposite edge as well.
    EXPECT_EQ(RegionOf({{0, 3}, {6, 4}}), (Renderer::TextureRegion{0.0f, 2.0f / 8, 1.0f, 6.0f / 8}));
    EXPECT_EQ(RegionOf({{8, 7}}), (Renderer::TextureRegion{7.0f / 16, 0.0f, 10.0f / 16, 1.0f}));
    // Colour alone shows nothing.
    EXPECT_EQ(RegionOf({}), (Renderer::TextureRegion{0.0f, 0.0f, 0.0f, 0.0f}));
}

TEST(VisibleRegion, AChainShowsWhereAnyLevelUpToTheDeepestReadShows)
{
    // Level 0 shows at texels 5..6 by 2..3, level 1 at 1 by 0..1, level 2 nowhere, level 3 at 0.
    auto level = [](i32 width, i32 height, std::initializer_list<std::pair<i32, i32>> visible) {
        Core::RefPtr<Renderer::Surface> surface(new Renderer::Surface(width, height, Renderer::Surface::FormatRGBA));
        for (const auto& [x, y] : visible)
            surface->GetPixels()[y * surface->GetPitch() + x * 4 + 3] = 9;
        return surface;
    };
    const Core::Vector<Core::RefPtr<Renderer::Surface>> chain{level(16, 8, {{5, 2}, {6, 3}}), level(8, 4, {{2, 1}}),
                                                                 level(4, 2, {}), level(2, 1, {{0, 0}})};
    const Core::Vector<Renderer::TextureRegion> regions = Renderer::FindChainVisibleRegions(chain);
    ASSERT_EQ(regions.size(), 4u);
    EXPECT_EQ(regions[0], (Renderer::TextureRegion{4.0f / 16, 1.0f / 8, 8.0f / 16, 5.0f / 8}));
    EXPECT_EQ(regions[1], (Renderer::TextureRegion{1.0f / 8, 0.0f, 8.0f / 16, 3.0f / 4}));
    EXPECT_EQ(regions[2], regions[1]);
    EXPECT_EQ(regions[3], (Renderer::TextureRegion{0.0f, 0.0f, 1.0f, 1.0f}));
    // A chain showing nothing stays empty.
    const Core::Vector<Renderer::TextureRegion> none = Renderer::FindChainVisibleRegions({level(4, 4, {}), level(2, 2, {})});
    EXPECT_EQ(none.back(), (Renderer::TextureRegion{0.0f, 0.0f, 0.0f, 0.0f}));
}

TEST(VisibleRegion, TheDeepestLevelReadFollowsTheTexelsPerPixelWithHalfALevelToSpare)
{
    // A 256 x 128 texture with 9 levels, drawn on its own size, halved, quartered.
    auto footprint = [](f32 pixelsWide, f32 pixelsHigh, f32 degrees) {
        const f32 c = std::cos(degrees * 0.017453292f);
        const f32 s = std::sin(degrees * 0.017453292f);
        // The quad's u and v axes on the screen, inverted.
        const f32 ux = c * pixelsWide, uy = s * pixelsWide, vx = -s * pixelsHigh, vy = c * pixelsHigh;
        const f32 det = ux * vy - vx * uy;
        return Renderer::TextureFootprint{vy / det, -uy / det, -vx / det, ux / det, true};
    };
    auto deepest = [](const Renderer::TextureFootprint& f) { return Renderer::DeepestLevelRead(f, 256, 128, 9); };
    EXPECT_EQ(deepest(footprint(512.0f, 256.0f, 0.0f)), 0u);
    EXPECT_EQ(deepest(footprint(256.0f, 128.0f, 0.0f)), 1u);
    EXPECT_EQ(deepest(footprint(128.0f, 64.0f, 0.0f)), 2u);
    EXPECT_EQ(deepest(footprint(64.0f, 32.0f, 0.0f)), 3u);
    EXPECT_EQ(deepest(footprint(64.0f, 32.0f, 45.0f)), 3u);
    // Squeezed along one axis only: the squeezed axis decides.
    EXPECT_EQ(deepest(footprint(256.0f, 32.0f, 0.0f)), 3u);
    // A little above an exact half lies within the half level spared.
    EXPECT_EQ(deepest(footprint(256.0f / 1.3f, 128.0f / 1.3f, 0.0f)), 1u);
    EXPECT_EQ(deepest(footprint(256.0f / 1.5f, 128.0f / 1.5f, 0.0f)), 2u);
    EXPECT_EQ(deepest(footprint(1.0f, 1.0f, 0.0f)), 8u);
    EXPECT_EQ(deepest(Renderer::TextureFootprint{}), 8u);
    EXPECT_EQ(Renderer::DeepestLevelRead(footprint(1.0f, 1.0f, 0.0f), 256, 128, 1), 0u);
}

namespace
{
// The coverage of a 16 x 8 surface transparent but for the texels given.
Renderer::AlphaCoverage CoverageOf(std::initializer_list<std::pair<i32, i32>> visible, i32 width = 16, i32 height = 8)
{
    Renderer::Surface surface(width, height, Renderer::Surface::FormatRGBA);
    for (const auto& [x, y] : visible)
        surface.GetPixels()[y * surface.GetPitch() + x * 4 + 3] = 1;
    return Renderer::AlphaCoverage(surface);
}

constexpr Renderer::TextureRegion LeftCell{0.0f, 0.0f, 0.5f, 1.0f};
constexpr Renderer::TextureRegion RightCell{0.5f, 0.0f, 1.0f, 1.0f};
constexpr Renderer::TextureRegion Nothing{0.0f, 0.0f, 0.0f, 0.0f};
}  // namespace

TEST(VisibleRegion, APartOfASheetShowsItsOwnTexelsAndThoseOfItsNeighboursWithinReach)
{
    // Two cells of 8 x 8: texels 2..4 by 3..5 in the left one, texel 12 by 4 in the right one, and
    // texel 8 by 1 on the right one's first column, whose filtering reaches one texel to the left.
    const Renderer::AlphaCoverage sheet = CoverageOf({{2, 3}, {4, 5}, {12, 4}, {8, 1}});
    EXPECT_EQ(Renderer::FindVisibleRegion(sheet, LeftCell), (Renderer::TextureRegion{1.0f / 16, 0.0f, 0.5f, 7.0f / 8}));
    EXPECT_EQ(Renderer::FindVisibleRegion(sheet, RightCell), (Renderer::TextureRegion{0.5f, 0.0f, 14.0f / 16, 6.0f / 8}));
    // Over the whole sheet the parts found are those of the whole texture.
    EXPECT_EQ(Renderer::FindVisibleRegion(sheet, Renderer::TextureRegion()),
              (Renderer::TextureRegion{1.0f / 16, 0.0f, 14.0f / 16, 7.0f / 8}));
    // A cell out of the reach of every visible texel shows nothing.
    EXPECT_EQ(Renderer::FindVisibleRegion(CoverageOf({{3, 3}}), RightCell), Nothing);
    EXPECT_EQ(Renderer::FindVisibleRegion(CoverageOf({}), LeftCell), Nothing);
    // A texel on the far edge is filtered in at the near one.
    EXPECT_EQ(Renderer::FindVisibleRegion(CoverageOf({{15, 4}}), LeftCell),
              (Renderer::TextureRegion{0.0f, 3.0f / 8, 1.0f / 16, 6.0f / 8}));
    EXPECT_EQ(Renderer::FindVisibleRegion(CoverageOf({{5, 7}}), (Renderer::TextureRegion{0.0f, 0.0f, 1.0f, 0.5f})),
              (Renderer::TextureRegion{4.0f / 16, 0.0f, 7.0f / 16, 1.0f / 8}));
    // Past 64 columns the rows span several words.
    const Renderer::AlphaCoverage wide = CoverageOf({{63, 2}, {64, 3}, {130, 5}}, 200, 8);
    EXPECT_EQ(Renderer::FindVisibleRegion(wide, (Renderer::TextureRegion{0.25f, 0.0f, 0.75f, 1.0f})),
              (Renderer::TextureRegion{62.0f / 200, 1.0f / 8, 132.0f / 200, 7.0f / 8}));
    EXPECT_EQ(Renderer::FindVisibleRegion(wide, (Renderer::TextureRegion{0.0f, 0.0f, 0.32f, 1.0f})),
              (Renderer::TextureRegion{62.0f / 200, 1.0f / 8, 0.32f, 5.0f / 8}));
}

TEST(VisibleRegion, AChainOfAPartGrowsWithTheLevelsButStaysInThePart)
{
    // Level 0 shows at texel 5 by 3 of the left cell; level 1 (8 x 4) at its texel 1 by 1, which
    // reaches texels 0 to 5 by 0 to 5 of level 0; level 2 (4 x 2) everywhere.
    const Core::Vector<Renderer::AlphaCoverage> chain{CoverageOf({{5, 3}}), CoverageOf({{1, 1}}, 8, 4),
                                                      CoverageOf({{0, 0}, {1, 1}, {2, 0}, {3, 1}}, 4, 2)};
    const Core::Vector<Renderer::TextureRegion> regions = Renderer::FindChainVisibleRegions(chain, LeftCell);
    ASSERT_EQ(regions.size(), 3u);
    EXPECT_EQ(regions[0], (Renderer::TextureRegion{4.0f / 16, 2.0f / 8, 7.0f / 16, 5.0f / 8}));
    EXPECT_EQ(regions[1], (Renderer::TextureRegion{0.0f, 0.0f, 7.0f / 16, 6.0f / 8}));
    EXPECT_EQ(regions[2], LeftCell);
}

TEST(VisibleRegion, LevelZeroAloneIsReadAtATexelAPixelOrLessUnlessTurned)
{
    // A 64 x 32 texture drawn on w x h pixels, upright or turned a little.
    auto footprint = [](f32 w, f32 h, f32 turn) {
        return Renderer::TextureFootprint{std::cos(turn) / w, std::sin(turn) / h, -std::sin(turn) / w, std::cos(turn) / h,
                                          turn != 0.0f};
    };
    auto upright = [](f32 w, f32 h) { return Renderer::TextureFootprint{1.0f / w, 0.0f, 0.0f, 1.0f / h, true}; };
    EXPECT_TRUE(Renderer::ReadsLevelZeroOnly(upright(64.0f, 32.0f), 64, 32));
    EXPECT_TRUE(Renderer::ReadsLevelZeroOnly(upright(-64.0f, 40.0f), 64, 32));
    EXPECT_FALSE(Renderer::ReadsLevelZeroOnly(upright(63.0f, 40.0f), 64, 32));
    EXPECT_FALSE(Renderer::ReadsLevelZeroOnly(upright(64.0f, 31.9f), 64, 32));
    // Turned, a device may measure up to half a level more.
    EXPECT_FALSE(Renderer::ReadsLevelZeroOnly(footprint(64.0f, 32.0f, 0.3f), 64, 32));
    EXPECT_TRUE(Renderer::ReadsLevelZeroOnly(footprint(100.0f, 50.0f, 0.3f), 64, 32));
    EXPECT_FALSE(Renderer::ReadsLevelZeroOnly(Renderer::TextureFootprint{}, 64, 32));
}
