#include "tests/platform/Input_X11Window.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

namespace
{
bool X11InfoOf(SDL_Window* window, SDL_SysWMinfo& info)
{
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
}
}  // namespace

unsigned long X11WindowOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    return X11InfoOf(window, info) ? static_cast<unsigned long>(info.info.x11.window) : 0;
}

bool SendCloseRequest(SDL_Window* window)
{
    SDL_SysWMinfo info;
    if (!X11InfoOf(window, info))
    {
        return false;
    }
    Display* display = info.info.x11.display;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = info.info.x11.window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, info.info.x11.window, False, NoEventMask, &event);
    XFlush(display);
    return sent != 0;
}
