#include "core/Input_Scancodes.h"
#include "core/Input_Source.h"

#include <SDL.h>

#include <algorithm>

namespace Input
{
namespace
{
constexpr u8 DownBit = 0x80;

class SystemSource final : public Source
{
public:
    void SampleKeys(u8 (&keys)[VirtualKeyCount]) override
    {
        std::fill(std::begin(keys), std::end(keys), u8{0});
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        for (int scancode = 0; scancode < count; ++scancode)
        {
            const u8 key = state[scancode] ? VirtualKeyFromScancode(scancode) : 0;
            if (key != 0)
            {
                keys[key] = DownBit;
            }
        }
        keys[VirtualKey::Shift] = keys[VirtualKey::LeftShift] | keys[VirtualKey::RightShift];
        keys[VirtualKey::Control] = keys[VirtualKey::LeftControl] | keys[VirtualKey::RightControl];
        keys[VirtualKey::Menu] = keys[VirtualKey::LeftMenu] | keys[VirtualKey::RightMenu];

        const Uint32 buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
        keys[VirtualKey::LeftButton] = (buttons & SDL_BUTTON_LMASK) ? DownBit : 0;
        keys[VirtualKey::RightButton] = (buttons & SDL_BUTTON_RMASK) ? DownBit : 0;
        keys[VirtualKey::MiddleButton] = (buttons & SDL_BUTTON_MMASK) ? DownBit : 0;
        keys[VirtualKey::XButton1] = (buttons & SDL_BUTTON_X1MASK) ? DownBit : 0;
        keys[VirtualKey::XButton2] = (buttons & SDL_BUTTON_X2MASK) ? DownBit : 0;
    }

    bool IsCapsLockOn() override { return (SDL_GetModState() & KMOD_CAPS) != 0; }
    bool IsNumLockOn() override { return (SDL_GetModState() & KMOD_NUM) != 0; }

    void GetCursor(i32& x, i32& y) override
    {
        x = 0;
        y = 0;
        SDL_GetGlobalMouseState(&x, &y);
    }

    void SetCursor(i32 x, i32 y) override { SDL_WarpMouseGlobal(x, y); }

    u8 SampleButtons() override
    {
        const Uint32 buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
        u8 result = 0;
        result |= (buttons & SDL_BUTTON_LMASK) ? ButtonBit::Left : 0;
        result |= (buttons & SDL_BUTTON_MMASK) ? ButtonBit::Middle : 0;
        result |= (buttons & SDL_BUTTON_RMASK) ? ButtonBit::Right : 0;
        return result;
    }

    void ShowCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
    bool IsCursorShown() override { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

    bool GetClientArea(PAL::WindowHandle window, ClientArea& area) override
    {
        SDL_Window* native = window != 0 ? SDL_GetWindowFromID(window) : nullptr;
        if (!native)
        {
            return false;
        }
        SDL_GetWindowPosition(native, &area.left, &area.top);
        SDL_GetWindowSize(native, &area.width, &area.height);
        return true;
    }
};
}  // namespace

Source& GetSystemSource()
{
    static SystemSource source;
    return source;
}
}  // namespace Input
