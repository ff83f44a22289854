#pragma once
// The OpenGL seam of the platform layer: the renderer makes, binds, presents and tunes its context
// through these calls and never sees SDL. A context is made for one window, may be made current
// on any window of the same surface format, and is deleted with its object.
#include "core/Core_Types.h"
#include "platform/PAL_Window.h"

namespace PAL
{
class GLContext
{
public:
    // Makes the context (compatibility profile) for the window and makes it current there. On
    // failure the context is not valid and SDL's reason is kept in GetError.
    explicit GLContext(Window& window);
    ~GLContext();
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;

    bool IsValid() const { return context != nullptr; }
    // Binds the context to the window (which becomes its window). False when SDL refuses.
    bool MakeCurrent(Window& window);
    // Unbinds whatever context is current on this thread.
    static bool ReleaseCurrent();
    Window* GetWindow() const { return window; }

private:
    void* context = nullptr;  // SDL_GLContext
    Window* window = nullptr;
};

// Applies a surface format to the attributes SDL reads when it makes a window or a context.
void ApplySurfaceAttributes(const SurfaceFormat& format);

// Presents the back buffer of the window.
void SwapBuffers(Window& window);
// Swap interval of the current context: 0 immediate, 1 vertical sync. False when unsupported.
bool SetSwapInterval(i32 interval);
// Entry point of the current GL library. Under GLX any "gl..." name may give a callable stub, so
// an entry point is only meaningful once the extension string lists its extension.
void* GetGLProcAddress(const char* name);
// What the current context was granted (colour bits are the sum of the red, green and blue bits).
// False when no context is current.
bool QueryGrantedFormat(SurfaceFormat& granted);
// SDL's text for the last failure of the calls above.
const char* GetLastGLError();
}  // namespace PAL
