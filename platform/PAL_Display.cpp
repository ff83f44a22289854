#include "platform/PAL_Display.h"

#include "platform/PAL_SDL.h"
#include "platform/PAL_Window.h"

#include <SDL.h>

namespace PAL
{
namespace
{
DisplayMode FromSDL(const SDL_DisplayMode& mode)
{
    DisplayMode result;
    result.width = static_cast<u32>(mode.w);
    result.height = static_cast<u32>(mode.h);
    result.colorBits = SDL_BITSPERPIXEL(mode.format);
    result.refreshRate = static_cast<u32>(mode.refresh_rate);
    return result;
}

// The display's entry for the wanted size, at the wanted rate when that rate is offered.
bool FindMode(const DisplayMode& wanted, SDL_DisplayMode& found)
{
    if (!StartVideo())
    {
        return false;
    }
    bool any = false;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || static_cast<u32>(mode.w) != wanted.width ||
            static_cast<u32>(mode.h) != wanted.height)
        {
            continue;
        }
        if (!any || static_cast<u32>(mode.refresh_rate) == wanted.refreshRate)
        {
            found = mode;
            any = true;
        }
        if (static_cast<u32>(mode.refresh_rate) == wanted.refreshRate)
        {
            break;
        }
    }
    return any;
}
}  // namespace

void EnumerateDisplayModes(Core::Vector<DisplayMode>& modes)
{
    if (!StartVideo())
    {
        return;
    }
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) == 0)
        {
            modes.push_back(FromSDL(mode));
        }
    }
}

bool GetCurrentDisplayMode(DisplayMode& mode)
{
    SDL_DisplayMode current;
    if (!StartVideo() || SDL_GetDesktopDisplayMode(0, &current) != 0)
    {
        return false;
    }
    mode = FromSDL(current);
    return true;
}

bool TestDisplayMode(const DisplayMode& mode)
{
    SDL_DisplayMode found;
    return FindMode(mode, found);
}

bool EnterFullScreen(Window& window, const DisplayMode& mode)
{
    SDL_Window* native = window.GetNativeWindow();
    SDL_DisplayMode found;
    return native && FindMode(mode, found) && SDL_SetWindowDisplayMode(native, &found) == 0 &&
           SDL_SetWindowFullscreen(native, SDL_WINDOW_FULLSCREEN) == 0;
}

bool LeaveFullScreen(Window& window)
{
    SDL_Window* native = window.GetNativeWindow();
    return native && SDL_SetWindowFullscreen(native, 0) == 0;
}
}  // namespace PAL
