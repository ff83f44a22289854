#include "platform/PAL_MessagePump.h"

#include "platform/Input_Scancodes.h"
#include "platform/PAL_SDL.h"
#include "platform/PAL_Window.h"

#include <SDL.h>

namespace PAL
{
namespace
{
void Notify(Window* window, NotifyCallback callback)
{
    if (callback)
    {
        callback(window);
    }
}

void NotifyFlag(Window* window, FlagCallback callback, u8 on)
{
    if (callback)
    {
        callback(window, on);
    }
}

// SDL reports minimising, maximising and restoring after the fact, so the three request callbacks
// have no event to answer; a close is still a request.
void Dispatch(const SDL_WindowEvent& event)
{
    Window* window = Window::FromNative(SDL_GetWindowFromID(event.windowID));
    if (!window)
    {
        return;
    }
    const WindowCallbacks& callbacks = window->GetCallbacks();
    switch (event.event)
    {
    case SDL_WINDOWEVENT_SHOWN:
        NotifyFlag(window, callbacks.onShow, 1);
        break;
    case SDL_WINDOWEVENT_HIDDEN:
        NotifyFlag(window, callbacks.onShow, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        Notify(window, callbacks.onPaint);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (callbacks.onSizing)
        {
            i32 width = 0;
            i32 height = 0;
            window->GetClientSize(width, height);
            callbacks.onSizing(window, width, height);
        }
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        Notify(window, callbacks.onMinimized);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        Notify(window, callbacks.onMaximized);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        Notify(window, callbacks.onRestored);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        NotifyFlag(window, callbacks.onActivate, 1);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        NotifyFlag(window, callbacks.onActivate, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
    {
        // The window is never destroyed here: it lives on until Destory.
        u8 cancel = 0;
        if (callbacks.onClose)
        {
            callbacks.onClose(window, &cancel);
        }
        if (!cancel)
        {
            PostQuit();
        }
        break;
    }
    default:
        break;
    }
}
}  // namespace

bool PumpMessages()
{
    // SDL pumps its video driver's events with the queue's: a process that left the display it
    // inherited polls nothing.
    if (HasLeftDisplay() || !StartEvents())
    {
        return true;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event))
    {
        if (event.type == SDL_QUIT)
        {
            return false;
        }
        switch (event.type)
        {
        case SDL_WINDOWEVENT:
            Dispatch(event.window);
            break;
        // A repeat comes while the key is held, which the next poll sees anyway.
        case SDL_KEYDOWN:
            if (!event.key.repeat)
            {
                Input::NoteKeyDown(event.key.keysym.scancode);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
            Input::NoteButtonDown(event.button.button);
            break;
        default:
            break;
        }
    }
    return true;
}

void PostQuit()
{
    if (!StartEvents())
    {
        return;
    }
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}
}  // namespace PAL
