#include "platform/Input_Scancodes.h"
#include "platform/Input_Source.h"

#include <SDL.h>

namespace Input
{
namespace
{
class SystemSource final : public Source
{
public:
    void SampleKeys(u8 (&keys)[VirtualKeyCount]) override
    {
        int count = 0;
        const Uint8* state = SDL_GetKeyboardState(&count);
        VirtualKeysFromSDL(state, count, SDL_GetGlobalMouseState(nullptr, nullptr), keys);
    }

    void TakeKeyPresses(u8 (&keys)[VirtualKeyCount]) override { Input::TakeKeyPresses(keys); }

    bool IsCapsLockOn() override { return (SDL_GetModState() & KMOD_CAPS) != 0; }
    bool IsNumLockOn() override { return (SDL_GetModState() & KMOD_NUM) != 0; }

    void GetCursor(i32& x, i32& y) override
    {
        x = 0;
        y = 0;
        // SDL answers the global query from a cache that only pointer motion seen by the X input
        // extension refreshes: a warp by another client (an absolute xdotool move) leaves it stale
        // until the next relative move. Over a window of ours, its motion events are current.
        if (SDL_Window* focus = SDL_GetMouseFocus())
        {
            i32 left = 0;
            i32 top = 0;
            SDL_GetWindowPosition(focus, &left, &top);
            SDL_GetMouseState(&x, &y);
            x += left;
            y += top;
            return;
        }
        SDL_GetGlobalMouseState(&x, &y);
    }

    void SetCursor(i32 x, i32 y) override { SDL_WarpMouseGlobal(x, y); }

    // Within the window, so that its frame and the window manager's placement play no part.
    void WarpInWindow(PAL::WindowHandle window, i32 x, i32 y) override
    {
        if (SDL_Window* native = window != 0 ? SDL_GetWindowFromID(window) : nullptr)
            SDL_WarpMouseInWindow(native, x, y);
    }

    u8 SampleButtons() override { return ButtonBitsFromSDL(SDL_GetGlobalMouseState(nullptr, nullptr)); }
    u8 TakeButtonPresses() override { return Input::TakeButtonPresses(); }

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
