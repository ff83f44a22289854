// Real windows: these tests need a display (they run under Xvfb); without one they fail under
// scripts/test and skip when run by hand.
#include "tests/platform/Input_X11Window.h"

#include "platform/PAL_Display.h"
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "tests/support/Support_Images.h"
#include "tests/support/Support_Messages.h"
#include "tests/support/Support_Scratch.h"
#include "tests/support/Support_Skip.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace
{
// What the callbacks saw, in order.
std::vector<std::string> seen;
u8 cancelClose = 0;

void OnClose(PAL::Window*, u8* cancel)
{
    seen.push_back("close");
    *cancel = cancelClose;
}
void OnShow(PAL::Window*, u8 shown) { seen.push_back(shown ? "show" : "hide"); }
void OnMinimized(PAL::Window*) { seen.push_back("minimized"); }
void OnMaximized(PAL::Window*) { seen.push_back("maximized"); }
void OnRestored(PAL::Window*) { seen.push_back("restored"); }
void OnActivate(PAL::Window*, u8 active) { seen.push_back(active ? "active" : "inactive"); }
void OnPaint(PAL::Window*) { seen.push_back("paint"); }
void OnDestroy(PAL::Window*) { seen.push_back("destroy"); }
void OnSizing(PAL::Window*, i32 width, i32 height)
{
    seen.push_back("size " + std::to_string(width) + "x" + std::to_string(height));
}

// The event queue works without a display.
TEST(MessagePumpTest, AnEmptyQueueReturnsTrueAndTheQuitMessageFalseOnce)
{
    TestSupport::DrainMessages();
    EXPECT_TRUE(PAL::PumpMessages());
    PAL::PostQuit();
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_TRUE(PAL::PumpMessages());
}

class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<PAL::Window>(320, 200);
        if (!window->IsCreated())
        {
            MORVANE_SKIP_WITHOUT_DISPLAY();
        }
        TestSupport::DrainMessages();
        seen.clear();
        cancelClose = 0;
    }

    void Push(SDL_WindowEventID id, Sint32 data1 = 0, Sint32 data2 = 0)
    {
        SDL_Event event = {};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = window->GetHandle();
        event.window.event = id;
        event.window.data1 = data1;
        event.window.data2 = data2;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    void ListenToAll()
    {
        PAL::WindowCallbacks callbacks;
        callbacks.onClose = OnClose;
        callbacks.onShow = OnShow;
        callbacks.onMinimized = OnMinimized;
        callbacks.onMaximized = OnMaximized;
        callbacks.onRestored = OnRestored;
        callbacks.onActivate = OnActivate;
        callbacks.onPaint = OnPaint;
        callbacks.onDestroy = OnDestroy;
        callbacks.onSizing = OnSizing;
        window->SetCallbacks(callbacks);
    }

    std::unique_ptr<PAL::Window> window;
};

TEST_F(WindowTest, OpensHiddenAndCentredWithTheAskedClientSize)
{
    PAL::DisplayMode screen;
    ASSERT_TRUE(PAL::GetCurrentDisplayMode(screen));
    i32 width = 0;
    i32 height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);
    i32 x = 0;
    i32 y = 0;
    window->GetClientOrigin(x, y);
    EXPECT_EQ(x, (static_cast<i32>(screen.width) - 320) / 2);
    EXPECT_EQ(y, (static_cast<i32>(screen.height) - 200) / 2);
    EXPECT_FALSE(window->IsVisible());
    EXPECT_TRUE(window->HasBorder());
    EXPECT_TRUE(window->IsResizable());
    EXPECT_STREQ(window->GetTitle(), "");
    EXPECT_EQ(window->GetPixelFormat(), 0);
}

TEST_F(WindowTest, ARequestAsWideAsTheScreenStartsAtTheOrigin)
{
    PAL::DisplayMode screen;
    ASSERT_TRUE(PAL::GetCurrentDisplayMode(screen));
    PAL::Window wide(static_cast<i32>(screen.width), 100);
    ASSERT_TRUE(wide.IsCreated());
    i32 x = -1;
    i32 y = -1;
    wide.GetClientOrigin(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST_F(WindowTest, StyleChangesKeepTheClientSize)
{
    window->SetVisible(1);
    TestSupport::DrainMessages();
    EXPECT_TRUE(window->IsVisible());
    window->SetBorder(0);
    EXPECT_FALSE(window->HasBorder());
    EXPECT_FALSE(window->IsResizable());
    i32 width = 0;
    i32 height = 0;
    window->GetClientSize(width, height);
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 200);

    window->SetBorder(1);
    EXPECT_TRUE(window->HasBorder());
    EXPECT_TRUE(window->IsResizable());
    window->SetResizable(0);
    window->SetMaximizeBox(0);
    EXPECT_FALSE(window->IsResizable());
    window->SetTopMost(1);
    EXPECT_TRUE(window->IsTopMost());
    window->SetTopMost(0);
    EXPECT_FALSE(window->IsTopMost());

    window->SetClientSize(400, 300);
    TestSupport::DrainMessages();
    window->GetClientSize(width, height);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 300);
    window->SetVisible(0);
    TestSupport::DrainMessages();
    EXPECT_FALSE(window->IsVisible());
}

TEST_F(WindowTest, PositionIsTheTopLeftCornerOnTheScreen)
{
    window->SetVisible(1);
    window->SetPosition(10, 20);
    TestSupport::DrainMessages();
    i32 x = 0;
    i32 y = 0;
    window->GetPosition(x, y);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
}

// The window property X reads the icon from; empty when it cannot be read.
std::string IconProperty(const PAL::Window& window)
{
    const std::string command = "xprop -id " + std::to_string(X11WindowOf(window.GetNativeWindow())) + " _NET_WM_ICON 2>&1";
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r"))
    {
        std::array<char, 256> chunk;
        while (std::fgets(chunk.data(), chunk.size(), pipe))
        {
            output += chunk.data();
        }
        pclose(pipe);
    }
    return output;
}

TEST_F(WindowTest, AnIcoThatCannotBeReadIsReplacedByThePngBesideIt)
{
    if (std::system("command -v xprop > /dev/null") != 0)
    {
        MORVANE_SKIP("xprop is not installed");
    }
    const TestSupport::ScratchFolder folder("morvane_icon");
    folder.Write("GameIcon.ico", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'c', 'o', 'n'});
    folder.Write("GameIcon.png", TestSupport::TwoByTwoBmp());
    EXPECT_EQ(IconProperty(*window).find("2 x 2"), std::string::npos);
    window->SetIcon(Core::String(folder.Path().string().c_str()) + "\\GameIcon.ico");
    EXPECT_NE(IconProperty(*window).find("Icon (2 x 2)"), std::string::npos) << IconProperty(*window);
}

TEST_F(WindowTest, ACloseRequestEndsThePumpButTheWindowLivesOn)
{
    Push(SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_TRUE(window->IsCreated());
    EXPECT_TRUE(PAL::PumpMessages());
}

TEST_F(WindowTest, ACancellingCloseCallbackKeepsThePumpRunning)
{
    ListenToAll();
    cancelClose = 1;
    Push(SDL_WINDOWEVENT_CLOSE);
    EXPECT_TRUE(PAL::PumpMessages());
    EXPECT_EQ(seen, std::vector<std::string>{"close"});

    cancelClose = 0;
    window->SetCloseCallback(OnClose);
    Push(SDL_WINDOWEVENT_CLOSE);
    EXPECT_FALSE(PAL::PumpMessages());
}

// Pumps until the condition holds: X delivers a request a little after it was sent. Bounded, so
// a lost request fails the test instead of hanging it. False when the pump ended before.
template <class Condition>
bool PumpUntil(Condition condition)
{
    for (int round = 0; round < 200; ++round)
    {
        if (!PAL::PumpMessages())
        {
            return false;
        }
        if (condition())
        {
            return true;
        }
        SDL_Delay(5);
    }
    return false;
}

// The request as the window manager sends it, through the X server: SDL must hand it to the
// callback and never turn it into a quit of its own.
TEST_F(WindowTest, AWindowManagersCloseRequestIsACancellableClose)
{
    ListenToAll();
    cancelClose = 1;
    ASSERT_TRUE(SendCloseRequest(window->GetNativeWindow()));
    EXPECT_TRUE(PumpUntil([] { return !seen.empty(); }));
    EXPECT_EQ(seen, std::vector<std::string>{"close"});
    EXPECT_TRUE(PAL::PumpMessages());

    cancelClose = 0;
    ASSERT_TRUE(SendCloseRequest(window->GetNativeWindow()));
    EXPECT_FALSE(PumpUntil([] { return false; }));
    EXPECT_EQ(seen, (std::vector<std::string>{"close", "close"}));
    EXPECT_TRUE(window->IsCreated());
}

TEST_F(WindowTest, EventsQueuedBeforeTheQuitAreHandledFirst)
{
    ListenToAll();
    Push(SDL_WINDOWEVENT_MINIMIZED);
    PAL::PostQuit();
    Push(SDL_WINDOWEVENT_MAXIMIZED);
    EXPECT_FALSE(PAL::PumpMessages());
    EXPECT_EQ(seen, std::vector<std::string>{"minimized"});
    EXPECT_TRUE(PAL::PumpMessages());
    EXPECT_EQ(seen, (std::vector<std::string>{"minimized", "maximized"}));
}

TEST_F(WindowTest, WindowEventsReachTheirCallbacks)
{
    ListenToAll();
    Push(SDL_WINDOWEVENT_RESTORED);
    Push(SDL_WINDOWEVENT_FOCUS_GAINED);
    Push(SDL_WINDOWEVENT_FOCUS_LOST);
    Push(SDL_WINDOWEVENT_EXPOSED);
    Push(SDL_WINDOWEVENT_HIDDEN);
    // The callback gets the client size the window has, not the size in the event.
    Push(SDL_WINDOWEVENT_SIZE_CHANGED, 1, 1);
    // Events without a callback of their own.
    Push(SDL_WINDOWEVENT_MOVED, 5, 5);
    Push(SDL_WINDOWEVENT_ENTER);
    EXPECT_TRUE(PAL::PumpMessages());
    EXPECT_EQ(seen, (std::vector<std::string>{"restored", "active", "inactive", "paint", "hide", "size 320x200"}));
}

TEST_F(WindowTest, ShowingTheWindowIsReportedBySDL)
{
    ListenToAll();
    window->SetVisible(1);
    TestSupport::DrainMessages();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), "show");
}

TEST_F(WindowTest, DestoryIsIdempotentAndLaterEventsAreDropped)
{
    ListenToAll();
    const PAL::WindowHandle handle = window->GetHandle();
    EXPECT_NE(handle, 0u);
    window->SetPixelFormat(7);
    EXPECT_EQ(window->GetPixelFormat(), 7);
    window->Destory();
    EXPECT_EQ(window->GetPixelFormat(), 0);
    window->Destory();
    EXPECT_FALSE(window->IsCreated());
    EXPECT_EQ(window->GetHandle(), 0u);
    EXPECT_EQ(seen, std::vector<std::string>{"destroy"});

    SDL_Event event = {};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = handle;
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_PushEvent(&event);
    EXPECT_TRUE(PAL::PumpMessages());

    // Every operation on a destroyed window does nothing.
    window->SetVisible(1);
    window->SetBorder(0);
    window->SetClientSize(10, 10);
    i32 width = -1;
    i32 height = -1;
    window->GetClientSize(width, height);
    EXPECT_EQ(width, 0);
    EXPECT_FALSE(window->IsVisible());
}
}  // namespace
