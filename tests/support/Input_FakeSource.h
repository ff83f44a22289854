#pragma once
// A scripted keyboard and mouse: tests set what is down and where the cursor is, then update the
// devices frame by frame.
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Source.h"

#include <algorithm>
#include <iterator>

class FakeSource final : public Input::Source
{
public:
    // Down and up by virtual-key code; the generic Shift follows the left and right keys as the
    // system reports it.
    void Press(u8 virtualKey) { keys[virtualKey] = Input::KeyDownBit; }
    void Release(u8 virtualKey) { keys[virtualKey] = 0; }
    void ReleaseAll() { std::fill(std::begin(keys), std::end(keys), u8{0}); }
    // Down and up again before the next update, as the message pump saw it: only the presses the
    // devices take show it.
    void Tap(u8 virtualKey) { keyPresses[virtualKey] = Input::KeyDownBit; }
    void TapButtons(u8 bits) { buttonPresses |= bits; }

    void SampleKeys(u8 (&out)[Input::VirtualKeyCount]) override
    {
        std::copy(std::begin(keys), std::end(keys), std::begin(out));
        out[Input::VirtualKey::Shift] = keys[Input::VirtualKey::LeftShift] | keys[Input::VirtualKey::RightShift];
    }
    void TakeKeyPresses(u8 (&out)[Input::VirtualKeyCount]) override
    {
        std::copy(std::begin(keyPresses), std::end(keyPresses), std::begin(out));
        out[Input::VirtualKey::Shift] = keyPresses[Input::VirtualKey::LeftShift] | keyPresses[Input::VirtualKey::RightShift];
        std::fill(std::begin(keyPresses), std::end(keyPresses), u8{0});
    }
    bool IsCapsLockOn() override { return capsLock; }
    bool IsNumLockOn() override { return numLock; }

    void GetCursor(i32& x, i32& y) override
    {
        x = cursorX;
        y = cursorY;
    }
    void SetCursor(i32 x, i32 y) override
    {
        cursorX = x;
        cursorY = y;
    }
    // Remembers the client point, then moves the cursor there as the default does.
    void WarpInWindow(PAL::WindowHandle handle, i32 x, i32 y) override
    {
        warpedX = x;
        warpedY = y;
        Input::Source::WarpInWindow(handle, x, y);
    }
    u8 SampleButtons() override { return buttons; }
    u8 TakeButtonPresses() override
    {
        const u8 taken = buttonPresses;
        buttonPresses = 0;
        return taken;
    }
    void ShowCursor(bool show) override { cursorShown = show; }
    bool IsCursorShown() override { return cursorShown; }
    bool GetClientArea(PAL::WindowHandle handle, Input::ClientArea& out) override
    {
        if (handle != window)
        {
            return false;
        }
        out = area;
        return true;
    }

    u8 keys[Input::VirtualKeyCount] = {};
    u8 keyPresses[Input::VirtualKeyCount] = {};
    u8 buttonPresses = 0;
    bool capsLock = false;
    bool numLock = false;
    i32 cursorX = 0;
    i32 cursorY = 0;
    i32 warpedX = -1;
    i32 warpedY = -1;
    u8 buttons = 0;
    bool cursorShown = true;
    PAL::WindowHandle window = 7;
    // A 200 x 100 client area whose top-left pixel is at (300, 400) on the screen.
    Input::ClientArea area{300, 400, 200, 100};
};
