// Display modes of the Xvfb screen; without a display they fail under scripts/test and skip by hand.
#include "platform/PAL_Display.h"
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "tests/platform/PAL_X11Connections.h"
#include "tests/support/Support_Skip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace
{
TEST(DisplayTest, TheCurrentModeIsAmongTheModesOffered)
{
    PAL::DisplayMode current;
    if (!PAL::GetCurrentDisplayMode(current))
    {
        MORVANE_SKIP_WITHOUT_DISPLAY();
    }
    EXPECT_GT(current.width, 0u);
    EXPECT_GE(current.colorBits, 16u);
    Core::Vector<PAL::DisplayMode> modes;
    PAL::EnumerateDisplayModes(modes);
    ASSERT_FALSE(modes.empty());
    EXPECT_TRUE(std::any_of(modes.begin(), modes.end(), [&](const PAL::DisplayMode& mode) {
        return mode.width == current.width && mode.height == current.height;
    }));
    EXPECT_TRUE(PAL::TestDisplayMode(current));
    PAL::DisplayMode odd{1234, 567, 32, 60};
    EXPECT_FALSE(PAL::TestDisplayMode(odd));
}

TEST(DisplayTest, AWindowGoesFullScreenAtTheDesktopSizeAndBack)
{
    PAL::DisplayMode current;
    if (!PAL::GetCurrentDisplayMode(current))
    {
        MORVANE_SKIP_WITHOUT_DISPLAY();
    }
    PAL::Window window(320, 200);
    window.SetVisible(1);
    ASSERT_TRUE(PAL::EnterFullScreen(window, current));
    i32 width = 0;
    i32 height = 0;
    window.GetClientSize(width, height);
    EXPECT_EQ(static_cast<u32>(width), current.width);
    EXPECT_EQ(static_cast<u32>(height), current.height);
    ASSERT_TRUE(PAL::LeaveFullScreen(window));
    // Back in a window the size is the caller's to set again, as the renderer does.
    window.SetClientSize(320, 200);
    PAL::PumpMessages();
    window.GetClientSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    PAL::DisplayMode odd{1234, 567, 32, 60};
    EXPECT_FALSE(PAL::EnterFullScreen(window, odd));
}

// Test programs come and go on the display all the time. An X server that resets when its last
// client leaves drops whoever connects at that moment, so this process holds no connection of its
// own between theirs: each of the threads' connections may be the one that finds it alone.
TEST(DisplayTest, EveryClientConnectsWhileOthersComeAndGo)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display || FailedConnections(1, 1) != 0)
    {
        MORVANE_SKIP_WITHOUT_DISPLAY();
    }
    EXPECT_EQ(FailedConnections(3, 200), 0);
}
}  // namespace
