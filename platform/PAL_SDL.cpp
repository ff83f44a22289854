#include "platform/PAL_SDL.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>

namespace PAL
{
namespace
{
std::atomic<bool> displayLeft{false};

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && value[0] != '\0';
}

// Without a display server SDL would fall back to drawing off screen; the engine treats that as
// having no display, unless a video driver was asked for by name.
bool HasDisplay()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("SDL_VIDEODRIVER");
}
}  // namespace

bool StartEvents()
{
    static const bool started = [] {
        // Without this SDL ends each poll cycle at a marker, and a quit posted while the pump
        // handles a close request would only be seen one frame later.
        SDL_SetHint(SDL_HINT_POLL_SENTINEL, "0");
        return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    }();
    return started;
}

bool StartVideo()
{
    if (displayLeft.load())
    {
        return false;
    }
    static const bool started = [] {
        // A close request must reach the window's callback, which may cancel it: SDL must not turn
        // the last window's close into a quit of its own.
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A full-screen window stays up when another window takes the focus.
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        if (!HasDisplay() || !StartEvents() || SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        {
            return false;
        }
        // Text comes from polling the keyboard, never from text-input events.
        SDL_StopTextInput();
        return true;
    }();
    return started;
}

void LeaveInheritedDisplay()
{
    displayLeft.store(true);
}

bool HasLeftDisplay()
{
    return displayLeft.load();
}
}  // namespace PAL
