#include "platform/PAL_SDL.h"

#include <SDL.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

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

// A video driver named by the user is taken whatever it shows.
bool DriverChosen()
{
    return IsSet("SDL_VIDEODRIVER");
}

bool HasDisplay()
{
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || DriverChosen();
}

// SDL's last resorts when no display server answers: they draw where nobody sees it.
bool ShowsNoWindow(const char* driver)
{
    for (const char* hidden : {"offscreen", "dummy", "evdev"})
    {
        if (driver && std::strcmp(driver, hidden) == 0)
        {
            return true;
        }
    }
    return false;
}

std::string& VideoFailure()
{
    static std::string failure;
    return failure;
}

// Which display could not be opened, and how to give the program one.
std::string DescribeMissingDisplay()
{
    std::string what = "no display is set (DISPLAY is empty)";
    if (IsSet("DISPLAY") && IsSet("WAYLAND_DISPLAY"))
    {
        what = std::string("neither the display DISPLAY=") + std::getenv("DISPLAY") +
               " nor WAYLAND_DISPLAY=" + std::getenv("WAYLAND_DISPLAY") + " could be opened";
    }
    else
    {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        {
            if (IsSet(name))
            {
                what = std::string("the display ") + name + "=" + std::getenv(name) + " could not be opened";
            }
        }
    }
    return what + "; set DISPLAY to a running X server (for example DISPLAY=:0), or run the program on a "
                  "virtual display (scripts/play starts one when none is reachable)";
}

bool OpenVideo()
{
    if (!HasDisplay())
    {
        VideoFailure() = DescribeMissingDisplay();
        return false;
    }
    if (!StartEvents())
    {
        VideoFailure() = std::string("SDL's events could not be started: ") + SDL_GetError();
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
    {
        VideoFailure() = DriverChosen() ? std::string("the video driver SDL_VIDEODRIVER=") +
                                              std::getenv("SDL_VIDEODRIVER") + " failed: " + SDL_GetError()
                                        : DescribeMissingDisplay();
        return false;
    }
    if (!DriverChosen() && ShowsNoWindow(SDL_GetCurrentVideoDriver()))
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        VideoFailure() = DescribeMissingDisplay();
        return false;
    }
    return true;
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
        if (!OpenVideo())
        {
            return false;
        }
        // Text comes from polling the keyboard, never from text-input events.
        SDL_StopTextInput();
        return true;
    }();
    return started;
}

const char* GetVideoFailure()
{
    return VideoFailure().c_str();
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
