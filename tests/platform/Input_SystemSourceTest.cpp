// The devices on the real system source: SDL under Xvfb, with keys sent through the X test
// extension by xdotool. Without a display or xdotool they fail under scripts/test and skip by hand.
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"

#include "tests/platform/Input_X11Window.h"
#include "tests/support/Support_Skip.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

namespace
{
class SystemSourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window = std::make_unique<PAL::Window>(200, 100);
        if (!window->IsCreated())
        {
            MORVANE_SKIP_WITHOUT_DISPLAY();
        }
        window->SetVisible(1);
        PumpUntil([] { return true; });
        Input::MouseImp::ForgetStartGuardPosition();
        Input::MouseImp::Create(mouse);
        mouse->SetWindow(window->GetHandle());
    }

    // Pumps until the condition holds: X delivers events a little after the request that made
    // them. Bounded, so a lost event fails the test instead of hanging it.
    template <class Condition>
    bool PumpUntil(Condition condition, int rounds = 200)
    {
        for (int round = 0; round < rounds; ++round)
        {
            while (!PAL::PumpMessages())
            {
            }
            if (condition())
            {
                return true;
            }
            SDL_Delay(5);
        }
        return false;
    }

    std::unique_ptr<PAL::Window> window;
    Core::RefPtr<Input::Mouse> mouse;
};

// The pointer is shared with every test on the display, so each round moves it again before
// reading it back.
TEST_F(SystemSourceTest, TheCursorMovedToAClientPointReadsBack)
{
    mouse->Update();
    for (const auto& [x, y] : {std::make_pair(12, 34), std::make_pair(0, 0), std::make_pair(199, 99)})
    {
        EXPECT_TRUE(PumpUntil([&] {
            mouse->SetPosition(x, y);
            while (!PAL::PumpMessages())
            {
            }
            mouse->Update();
            return mouse->GetPositionX() == x && mouse->GetPositionY() == y && mouse->IsInWindow();
        })) << x << ", " << y;
    }
}

TEST_F(SystemSourceTest, KeysArriveAsVirtualKeys)
{
    if (std::system("command -v xdotool > /dev/null") != 0)
    {
        MORVANE_SKIP("xdotool is not installed");
    }
    // Sent to this window itself, so that windows of tests running beside it cannot take them.
    const unsigned long x11Window = X11WindowOf(window->GetNativeWindow());
    ASSERT_NE(x11Window, 0u);
    const std::string target = " --window " + std::to_string(x11Window) + " ";
    Core::RefPtr<Input::Keyboard> keyboard;
    Input::KeyboardImp::Create(keyboard);
    keyboard->EndStartGuard();

    // What the keyboard said once A had arrived.
    bool shift = false;
    bool genericShift = false;
    char character = 0;
    bool arrived = false;
    for (int attempt = 0; attempt < 10 && !arrived; ++attempt)
    {
        // SDL forgets the keys of a window that loses the focus, which windows of tests running
        // beside this one may take: raise it and send again until the keys are seen.
        SDL_RaiseWindow(window->GetNativeWindow());
        ASSERT_EQ(std::system(("xdotool keydown" + target + "shift keydown" + target + "a").c_str()), 0);
        arrived = PumpUntil(
            [&] {
                keyboard->Update();
                shift = keyboard->IsPressed(Input::EngineKey::LeftShift);
                genericShift = keyboard->IsPressed(10);
                character = keyboard->GetKeyAsChar(Input::EngineKey::LetterA);
                return keyboard->IsPressed(Input::EngineKey::LetterA) && shift;
            },
            40);
    }
    std::system(("xdotool keyup" + target + "a keyup" + target + "shift").c_str());
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(genericShift);
    EXPECT_EQ(character, 'A');
    ASSERT_TRUE(PumpUntil([&] {
        keyboard->Update();
        return !keyboard->AnyKey();
    }));
}

// A key and a button pressed and released between two polls: by the time the devices poll, SDL's
// key array and button mask show them up again, yet each reads as down in that poll and as
// released in the next.
TEST_F(SystemSourceTest, ATapBetweenTwoPollsIsSeen)
{
    if (std::system("command -v xdotool > /dev/null") != 0)
    {
        MORVANE_SKIP("xdotool is not installed");
    }
    const unsigned long x11Window = X11WindowOf(window->GetNativeWindow());
    ASSERT_NE(x11Window, 0u);
    const std::string target = " --window " + std::to_string(x11Window) + " ";
    Core::RefPtr<Input::Keyboard> keyboard;
    Input::KeyboardImp::Create(keyboard);
    keyboard->EndStartGuard();
    ASSERT_TRUE(PumpUntil([&] {
        keyboard->Update();
        mouse->Update();
        return !keyboard->AnyKey() && !mouse->IsPressed(0);
    }));

    // Both events of a tap have arrived before the poll: the pump takes them in one go.
    const auto tapThenPoll = [&](const std::string& command) {
        SDL_RaiseWindow(window->GetNativeWindow());
        EXPECT_EQ(std::system(command.c_str()), 0);
        SDL_Delay(100);
        while (!PAL::PumpMessages())
        {
        }
        keyboard->Update();
        mouse->Update();
    };
    bool keySeen = false;
    for (int attempt = 0; attempt < 10 && !keySeen; ++attempt)
    {
        tapThenPoll("xdotool key" + target + "Escape");
        keySeen = keyboard->IsTriggered(Input::EngineKey::Escape);
    }
    ASSERT_TRUE(keySeen);
    EXPECT_FALSE(SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_ESCAPE]) << "the key was up again when polled";
    keyboard->Update();
    EXPECT_TRUE(keyboard->IsUp(Input::EngineKey::Escape));
    EXPECT_FALSE(keyboard->IsPressed(Input::EngineKey::Escape));

    bool clickSeen = false;
    for (int attempt = 0; attempt < 10 && !clickSeen; ++attempt)
    {
        tapThenPoll("xdotool click" + target + "1");
        clickSeen = mouse->IsTriggered(0);
    }
    ASSERT_TRUE(clickSeen);
    EXPECT_EQ(SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK, 0u) << "the button was up again when polled";
    EXPECT_TRUE(keyboard->IsTriggered(0)) << "the keyboard sees the left button as its virtual key";
    mouse->Update();
    EXPECT_TRUE(mouse->IsUp(0));
    EXPECT_FALSE(mouse->IsPressed(0));
}

// An absolute move of another X client (xdotool warps the pointer) is seen at once, without a
// relative move after it.
TEST_F(SystemSourceTest, AnAbsoluteMoveOfAnotherClientIsSeen)
{
    if (std::system("command -v xdotool > /dev/null") != 0)
    {
        MORVANE_SKIP("xdotool is not installed");
    }
    const unsigned long x11Window = X11WindowOf(window->GetNativeWindow());
    ASSERT_NE(x11Window, 0u);
    mouse->Update();
    for (const auto& [x, y] : {std::make_pair(20, 30), std::make_pair(150, 70)})
    {
        const std::string move = "xdotool mousemove --window " + std::to_string(x11Window) + " " + std::to_string(x) +
                                 " " + std::to_string(y);
        ASSERT_EQ(std::system(move.c_str()), 0);
        EXPECT_TRUE(PumpUntil([&] {
            mouse->Update();
            return mouse->GetPositionX() == x && mouse->GetPositionY() == 99 - y;
        })) << x << ", " << y << " read " << mouse->GetPositionX() << ", " << mouse->GetPositionY();
    }
}
}  // namespace
