#include "core/PAL_SDL.h"

#include <SDL.h>

namespace PAL
{
bool StartEvents()
{
    static const bool started = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    return started;
}

bool StartVideo()
{
    static const bool started = [] {
        // A close request must reach the window's callback, which may cancel it: SDL must not turn
        // the last window's close into a quit of its own.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A full-screen window stays up when another window takes the focus.
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        {
            return false;
        }
        // Text comes from polling the keyboard, never from text-input events.
        SDL_StopTextInput();
        return true;
    }();
    return started;
}
}  // namespace PAL
