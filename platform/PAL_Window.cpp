#include "platform/PAL_Window.h"

#include "platform/PAL_ErrorReporter.h"
#include "platform/PAL_GLContext.h"
#include "platform/PAL_Image.h"
#include "core/PAL_Path.h"
#include "platform/PAL_SDL.h"

#include <SDL.h>

#include <strings.h>

#include <cstring>
#include <string>

namespace PAL
{
namespace
{
// Key under which each SDL window keeps a pointer to its PAL::Window.
constexpr const char* OwnerKey = "PAL::Window";

SDL_Window* CreateNative(i32 x, i32 y, i32 width, i32 height, SurfaceFormat& format)
{
    const Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    ApplySurfaceAttributes(format);
    SDL_Window* created = SDL_CreateWindow("", x, y, width, height, flags);
    if (!created && format.samples > 0)
    {
        // No multisampled visual: the window goes on without, and the format records that.
        format.samples = 0;
        ApplySurfaceAttributes(format);
        created = SDL_CreateWindow("", x, y, width, height, flags);
    }
    return created;
}

// Width of the frame left of and above the client area; 0 where the window manager adds none or
// does not say.
void FrameSize(SDL_Window* window, int& left, int& top)
{
    if (SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) != 0)
    {
        top = 0;
        left = 0;
    }
}

bool EndsWithNoCase(const Core::String& text, const char* suffix)
{
    const std::size_t length = std::char_traits<char>::length(suffix);
    return text.size() >= length && strcasecmp(text.c_str() + text.size() - length, suffix) == 0;
}

SDL_Surface* LoadIcon(const Core::String& fileName)
{
    DecodedImage image;
    bool decoded = DecodeImageFile(fileName, image, ImageUse::Icon);
    if (!decoded && EndsWithNoCase(fileName, ".ico"))
    {
        // SDL_image reads only some ICO files; the PNG beside it carries the same picture.
        std::string png(fileName.c_str());
        png.replace(png.size() - 4, 4, ".png");
        decoded = DecodeImageFile(Core::String(png.c_str()), image, ImageUse::Icon);
    }
    if (!decoded)
    {
        return nullptr;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormat(0, image.width, image.height, 32, SDL_PIXELFORMAT_RGBA32);
    if (!icon)
    {
        return nullptr;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    for (i32 row = 0; row < image.height; ++row)
    {
        std::memcpy(static_cast<u8*>(icon->pixels) + static_cast<std::size_t>(icon->pitch) * static_cast<std::size_t>(row),
                    image.pixels.data() + rowBytes * static_cast<std::size_t>(row), rowBytes);
    }
    return icon;
}
}  // namespace

Window::Window(i32 clientWidth, i32 clientHeight, const SurfaceFormat& format) : surfaceFormat(format)
{
    if (!StartVideo())
    {
        creationFailure = GetVideoFailure();
        return;
    }
    i32 x = 0;
    i32 y = 0;
    SDL_DisplayMode screen;
    if (SDL_GetDesktopDisplayMode(0, &screen) == 0 && screen.w > clientWidth && screen.h > clientHeight)
    {
        x = (screen.w - clientWidth) / 2;
        y = (screen.h - clientHeight) / 2;
    }
    window = CreateNative(x, y, clientWidth, clientHeight, surfaceFormat);
    if (window)
    {
        SDL_SetWindowData(window, OwnerKey, this);
    }
    else
    {
        creationFailure = SDL_GetError();
    }
}

Window::~Window()
{
    Destory();
}

void Window::Destory()
{
    pixelFormat = 0;
    if (!window)
    {
        return;
    }
    if (SDL_GL_GetCurrentWindow() == window)
    {
        SetErrorContext("SDL_GL_MakeCurrent", "PAL::Window::Destory", __LINE__, "PAL_Window");
        CheckWin32Error(SDL_GL_MakeCurrent(window, nullptr) != 0);
    }
    if (callbacks.onDestroy)
    {
        callbacks.onDestroy(this);
    }
    SDL_SetWindowData(window, OwnerKey, nullptr);
    SDL_DestroyWindow(window);
    window = nullptr;
}

WindowHandle Window::GetHandle() const
{
    return window ? SDL_GetWindowID(window) : 0;
}

Window* Window::FromNative(SDL_Window* native)
{
    return native ? static_cast<Window*>(SDL_GetWindowData(native, OwnerKey)) : nullptr;
}

void Window::SetTitle(const Core::String& text)
{
    title = text;
    if (window)
    {
        SDL_SetWindowTitle(window, title.c_str());
    }
}

void Window::SetIcon(const Core::String& fileName)
{
    iconName = fileName;
    if (!window)
    {
        return;
    }
    if (SDL_Surface* icon = LoadIcon(fileName))
    {
        SDL_SetWindowIcon(window, icon);
        SDL_FreeSurface(icon);
    }
}

void Window::SetMaximizeBox(u8 on)
{
    maximizeBox = on;
    ApplyStyle();
}

void Window::SetBorder(u8 on)
{
    border = on;
    ApplyStyle();
}

void Window::SetResizable(u8 on)
{
    resizable = on;
    ApplyStyle();
}

// SDL keeps the client size across these changes. The minimise and maximise boxes are the window
// manager's: SDL offers no switch for them, so their flags are only kept.
void Window::ApplyStyle()
{
    if (!window)
    {
        return;
    }
    SDL_SetWindowBordered(window, border && caption ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowResizable(window, border && resizable ? SDL_TRUE : SDL_FALSE);
}

void Window::SetTopMost(u8 on)
{
    if (window)
    {
        SDL_SetWindowAlwaysOnTop(window, on ? SDL_TRUE : SDL_FALSE);
    }
}

void Window::SetVisible(u8 on)
{
    visible = on;
    if (!window)
    {
        return;
    }
    if (on)
    {
        SDL_ShowWindow(window);
    }
    else
    {
        SDL_HideWindow(window);
    }
}

void Window::SetClientSize(i32 width, i32 height)
{
    if (window)
    {
        SDL_SetWindowSize(window, width, height);
    }
}

// SDL places the client area; the frame the window manager adds lies above and left of it.
void Window::SetPosition(i32 x, i32 y)
{
    if (!window)
    {
        return;
    }
    int left = 0;
    int top = 0;
    FrameSize(window, left, top);
    SDL_SetWindowPosition(window, x + left, y + top);
}

void Window::GetPosition(i32& x, i32& y) const
{
    x = 0;
    y = 0;
    if (!window)
    {
        return;
    }
    int left = 0;
    int top = 0;
    FrameSize(window, left, top);
    SDL_GetWindowPosition(window, &x, &y);
    x -= left;
    y -= top;
}

void Window::GetClientSize(i32& width, i32& height) const
{
    width = 0;
    height = 0;
    if (window)
    {
        SDL_GetWindowSize(window, &width, &height);
    }
}

void Window::GetClientOrigin(i32& x, i32& y) const
{
    x = 0;
    y = 0;
    if (window)
    {
        SDL_GetWindowPosition(window, &x, &y);
    }
}

bool Window::IsVisible() const
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0;
}

bool Window::HasBorder() const
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) == 0;
}

bool Window::IsResizable() const
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_RESIZABLE) != 0;
}

bool Window::IsTopMost() const
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_ALWAYS_ON_TOP) != 0;
}

bool Window::IsMinimized() const
{
    return window && (SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0;
}
}  // namespace PAL
