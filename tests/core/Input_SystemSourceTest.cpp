// The devices on the real system source: SDL under Xvfb, with keys sent through the X test
// extension by xdotool. Skipped without a display.
#include "core/Input_Keyboard.h"
#include "core/Input_Mouse.h"
#include "core/PAL_MessagePump.h"
#include "core/PAL_Window.h"

#include "Input_X11Window.h"

#include <SDL2/SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

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
            GTEST_SKIP() << "no display";
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
    bool PumpUntil(Condition condition)
    {
        for (int round = 0; round < 200; ++round)
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

TEST_F(SystemSourceTest, TheCursorMovedToAClientPointReadsBack)
{
    mouse->Update();
    mouse->SetPosition(12, 34);
    ASSERT_TRUE(PumpUntil([&] {
        mouse->Update();
        return mouse->GetPositionX() == 12 && mouse->GetPositionY() == 34;
    }));
    EXPECT_TRUE(mouse->IsInWindow());
    mouse->SetPosition(0, 0);
    ASSERT_TRUE(PumpUntil([&] {
        mouse->Update();
        return mouse->GetPositionX() == 0 && mouse->GetPositionY() == 0;
    }));
}

TEST_F(SystemSourceTest, KeysArriveAsVirtualKeys)
{
    if (std::system("command -v xdotool > /dev/null") != 0)
    {
        GTEST_SKIP() << "xdotool is not installed";
    }
    // Sent to this window itself, so that windows of tests running beside it cannot take them.
    const unsigned long x11Window = X11WindowOf(window->GetNativeWindow());
    ASSERT_NE(x11Window, 0u);
    const std::string target = " --window " + std::to_string(x11Window) + " ";
    Core::RefPtr<Input::Keyboard> keyboard;
    Input::KeyboardImp::Create(keyboard);
    keyboard->EndStartGuard();

    ASSERT_EQ(std::system(("xdotool keydown" + target + "shift keydown" + target + "a").c_str()), 0);
    const bool arrived = PumpUntil([&] {
        keyboard->Update();
        return keyboard->IsPressed(Input::EngineKey::LetterA);
    });
    std::system(("xdotool keyup" + target + "a keyup" + target + "shift").c_str());
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(keyboard->IsPressed(Input::EngineKey::LeftShift));
    EXPECT_TRUE(keyboard->IsPressed(10));
    EXPECT_EQ(keyboard->GetKeyAsChar(Input::EngineKey::LetterA), 'A');
    ASSERT_TRUE(PumpUntil([&] {
        keyboard->Update();
        return !keyboard->AnyKey();
    }));
}
}  // namespace
