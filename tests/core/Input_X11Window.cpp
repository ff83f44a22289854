#include "Input_X11Window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

unsigned long X11WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    {
        return 0;
    }
    return static_cast<unsigned long>(info.info.x11.window);
}
