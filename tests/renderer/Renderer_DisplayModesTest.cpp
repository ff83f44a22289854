// The closest-mode search and the listing of "\DisplayModes.txt", over given modes.
#include "renderer/Renderer_DisplayModes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace Renderer;

namespace
{
DisplayModes Modes(std::initializer_list<DisplayMode> list)
{
    return DisplayModes(Core::Vector<DisplayMode>(list));
}

void ExpectMode(const DisplayMode& mode, u32 width, u32 height, u32 bits, u32 rate)
{
    EXPECT_EQ(mode.width, width);
    EXPECT_EQ(mode.height, height);
    EXPECT_EQ(mode.colorBits, bits);
    EXPECT_EQ(mode.refreshRate, rate);
}
}  // namespace

TEST(DisplayModesTest, TheIndexSortsDepthsResolutionsAndRates)
{
    const DisplayModes modes = Modes({{1024, 768, 32, 75}, {800, 600, 16, 60}, {1024, 768, 32, 60},
                                      {800, 600, 32, 60}, {1024, 600, 32, 60}, {1024, 768, 32, 75}});
    EXPECT_EQ(modes.GetModes().size(), 6u);  // duplicates kept
    EXPECT_EQ(modes.GetColorBits(), (Core::Vector<u32>{16, 32}));
    EXPECT_EQ(modes.GetResolutions(32), (Core::Vector<Resolution>{{800, 600}, {1024, 600}, {1024, 768}}));
    EXPECT_EQ(modes.GetRefreshRates(32, {1024, 768}), (Core::Vector<u32>{60, 75}));
    EXPECT_TRUE(modes.GetRefreshRates(24, {1024, 768}).empty());
    EXPECT_TRUE(modes.GetResolutions(8).empty());
}

TEST(DisplayModesTest, TheClosestModeTakesTheLargestRateWhenNoneIsHighEnough)
{
    const DisplayModes modes = Modes({{1024, 768, 32, 60}, {1024, 768, 32, 75}, {800, 600, 32, 60}});
    ExpectMode(modes.FindClosestMode({1024, 768, 16, 85}), 1024, 768, 32, 75);
    ExpectMode(modes.FindClosestMode({1024, 768, 32, 70}), 1024, 768, 32, 75);
    ExpectMode(modes.FindClosestMode({640, 480, 32, 50}), 800, 600, 32, 60);
}

TEST(DisplayModesTest, TheClosestResolutionIsTheFirstNotSmallerInWidthThenHeight)
{
    const DisplayModes modes = Modes({{1024, 600, 32, 60}, {1024, 768, 32, 60}, {1280, 1024, 32, 60}});
    ExpectMode(modes.FindClosestMode({1000, 700, 32, 60}), 1024, 600, 32, 60);
    ExpectMode(modes.FindClosestMode({1024, 700, 32, 60}), 1024, 768, 32, 60);
    ExpectMode(modes.FindClosestMode({2048, 1536, 32, 60}), 1280, 1024, 32, 60);
}

TEST(DisplayModesTest, TheDeepestDepthServesWhenNoneIsDeepEnough)
{
    const DisplayModes modes = Modes({{640, 480, 16, 60}, {640, 480, 24, 60}, {800, 600, 8, 70}});
    ExpectMode(modes.FindClosestMode({640, 480, 32, 60}), 640, 480, 24, 60);
    ExpectMode(modes.FindClosestMode({640, 480, 8, 60}), 800, 600, 8, 70);
}

TEST(DisplayModesTest, WithoutModesTheSearchKeepsItsStartingValues)
{
    const DisplayModes modes = Modes({});
    ExpectMode(modes.FindClosestMode({1024, 768, 16, 85}), 0, 0, 32, 60);
}

TEST(DisplayModesTest, TheListingAlignsWidthHeightAndRates)
{
    const DisplayModes modes = Modes({{1024, 768, 32, 75}, {1024, 768, 32, 60}, {800, 600, 16, 60}});
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    modes.WriteListing(file);
    std::rewind(file);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file))
    {
        text += buffer;
    }
    std::fclose(file);
    EXPECT_EQ(text, "Color Bits    Resolution    Refresh Rates\n"
                    "==========    ==========    =============\n"
                    "16\n"
                    "              800 X  600    60 \n"
                    "32\n"
                    "             1024 X  768    60 75 \n");
}
