#pragma once
// Where the polled devices read the hardware from. The running program reads SDL's state
// (GetSystemSource); tests hand the devices a scripted source and drive them without a display.
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"
#include "platform/PAL_Window.h"

#include <algorithm>
#include <iterator>

namespace Input
{
// Client area of a window: its top-left pixel in screen coordinates, and its size.
struct ClientArea
{
    i32 left = 0;
    i32 top = 0;
    i32 width = 0;
    i32 height = 0;
};

// The bit of a sampled virtual key that is set while the key is down.
constexpr u8 KeyDownBit = 0x80;

// Mouse buttons as one bit each.
namespace ButtonBit
{
constexpr u8 Left = 1;
constexpr u8 Middle = 2;
constexpr u8 Right = 4;
}  // namespace ButtonBit

class Source
{
public:
    virtual ~Source() = default;

    // Every key and mouse button by virtual-key code, KeyDownBit set while it is down.
    // The generic Shift, Control and Alt codes are down whenever their left or right key is.
    virtual void SampleKeys(u8 (&keys)[VirtualKeyCount]) = 0;
    // The keys (KeyDownBit by virtual key, as SampleKeys gives them) that went down since the
    // previous call, up again or not: a tap shorter than a frame is over before the next sample
    // and would never be seen down. None by default.
    virtual void TakeKeyPresses(u8 (&keys)[VirtualKeyCount]) { std::fill(std::begin(keys), std::end(keys), u8{0}); }
    virtual bool IsCapsLockOn() = 0;
    virtual bool IsNumLockOn() = 0;

    // The cursor in screen coordinates.
    virtual void GetCursor(i32& x, i32& y) = 0;
    virtual void SetCursor(i32 x, i32 y) = 0;
    // Moves the cursor to a client point of the window (y from the top). By default through the
    // screen position of the point; nothing when the handle names no window.
    virtual void WarpInWindow(PAL::WindowHandle window, i32 x, i32 y)
    {
        ClientArea area;
        if (GetClientArea(window, area))
            SetCursor(area.left + x, area.top + y);
    }
    // The left, middle and right buttons as ButtonBit flags.
    virtual u8 SampleButtons() = 0;
    // The buttons that went down since the previous call, as for TakeKeyPresses; kept apart from
    // the keys' presses, since the keyboard and the mouse each take their own.
    virtual u8 TakeButtonPresses() { return 0; }
    virtual void ShowCursor(bool show) = 0;
    virtual bool IsCursorShown() = 0;

    // False when the handle names no window.
    virtual bool GetClientArea(PAL::WindowHandle window, ClientArea& area) = 0;
};

// SDL's keyboard, mouse and windows.
Source& GetSystemSource();
}  // namespace Input
