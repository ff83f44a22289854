#include "platform/PAL_GLContext.h"

#include <SDL.h>

namespace PAL
{
namespace
{
void ChannelBits(i32 colorBits, int& red, int& green, int& blue)
{
    red = green = blue = 0;
    if (colorBits >= 24)
    {
        red = green = blue = 8;
    }
    else if (colorBits == 16)
    {
        red = 5;
        green = 6;
        blue = 5;
    }
    else if (colorBits == 15)
    {
        red = green = blue = 5;
    }
}
}  // namespace

void ApplySurfaceAttributes(const SurfaceFormat& format)
{
    int red = 0;
    int green = 0;
    int blue = 0;
    ChannelBits(format.colorBits, red, green, blue);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, format.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, format.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, format.doubleBuffer ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, format.samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, format.samples > 0 ? format.samples : 0);
    // The renderer is fixed-function OpenGL 1.x: never a core profile.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

GLContext::GLContext(Window& target)
{
    SDL_Window* native = target.GetNativeWindow();
    if (!native)
    {
        SDL_SetError("the window was never created");
        return;
    }
    // Another window may have changed SDL's attributes since this one was made.
    ApplySurfaceAttributes(target.GetSurfaceFormat());
    context = SDL_GL_CreateContext(native);
    if (context)
    {
        window = &target;
    }
}

GLContext::~GLContext()
{
    if (!context)
    {
        return;
    }
    if (SDL_GL_GetCurrentContext() == context)
    {
        SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
    }
    SDL_GL_DeleteContext(context);
}

bool GLContext::MakeCurrent(Window& target)
{
    SDL_Window* native = target.GetNativeWindow();
    if (!context || !native)
    {
        return false;
    }
    if (SDL_GL_MakeCurrent(native, context) != 0)
    {
        return false;
    }
    window = &target;
    return true;
}

bool GLContext::ReleaseCurrent()
{
    return SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr) == 0;
}

void SwapBuffers(Window& window)
{
    if (SDL_Window* native = window.GetNativeWindow())
    {
        SDL_GL_SwapWindow(native);
    }
}

bool SetSwapInterval(i32 interval)
{
    return SDL_GL_SetSwapInterval(interval) == 0;
}

void* GetGLProcAddress(const char* name)
{
    return SDL_GL_GetProcAddress(name);
}

bool QueryGrantedFormat(SurfaceFormat& granted)
{
    if (!SDL_GL_GetCurrentContext())
    {
        return false;
    }
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
    int depth = 0;
    int stencil = 0;
    int doubleBuffer = 0;
    int sampleBuffers = 0;
    int samples = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blue);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &depth);
    SDL_GL_GetAttribute(SDL_GL_STENCIL_SIZE, &stencil);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLEBUFFERS, &sampleBuffers);
    SDL_GL_GetAttribute(SDL_GL_MULTISAMPLESAMPLES, &samples);
    granted.colorBits = red + green + blue;
    granted.alphaBits = alpha;
    granted.depthBits = depth;
    granted.stencilBits = stencil;
    granted.doubleBuffer = doubleBuffer ? 1 : 0;
    granted.samples = sampleBuffers ? samples : 0;
    return true;
}

const char* GetLastGLError()
{
    return SDL_GetError();
}
}  // namespace PAL
