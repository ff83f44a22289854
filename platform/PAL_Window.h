#pragma once
// The engine's one window, over an SDL window. It is created hidden and centred, keeps the style
// flags the application asks for and hands window events to optional callbacks (the message pump
// dispatches them). The window always carries an OpenGL surface: the surface format is fixed when
// SDL creates the window, so it is part of the constructor's arguments.
#include "core/Core_String.h"
#include "core/Core_Types.h"

struct SDL_Window;

namespace PAL
{
class Window;

// What an SDL window identifies itself by; 0 means no window.
using WindowHandle = u32;

// The OpenGL surface asked for at window creation. Colour bits of 24 or more ask for 8 bits per
// channel, 16 for 5-6-5 and 15 for 5-5-5.
struct SurfaceFormat
{
    i32 colorBits = 24;
    i32 alphaBits = 0;
    i32 depthBits = 24;
    i32 stencilBits = 8;
    i32 samples = 0;
    u8 doubleBuffer = 1;
};

using CancelCallback = void (*)(Window* window, u8* cancel);
using NotifyCallback = void (*)(Window* window);
using SizeCallback = void (*)(Window* window, i32 clientWidth, i32 clientHeight);
using FlagCallback = void (*)(Window* window, u8 on);

// A null callback is skipped. Requests carry a cancel flag, 0 on entry.
struct WindowCallbacks
{
    CancelCallback onMinimizeRequest = nullptr;
    CancelCallback onMaximizeRequest = nullptr;
    CancelCallback onRestoreRequest = nullptr;
    NotifyCallback onMinimized = nullptr;
    NotifyCallback onMaximized = nullptr;
    NotifyCallback onRestored = nullptr;
    SizeCallback onSizing = nullptr;
    FlagCallback onShow = nullptr;
    NotifyCallback onPaint = nullptr;
    CancelCallback onClose = nullptr;
    NotifyCallback onCreate = nullptr;
    NotifyCallback onDestroy = nullptr;
    FlagCallback onActivate = nullptr;
};

class Window
{
public:
    // Hidden, client area of the given size, centred when the screen is strictly larger in both
    // directions (else at the screen origin). Without a display the window has no handle and every
    // operation on it does nothing.
    Window(i32 clientWidth, i32 clientHeight, const SurfaceFormat& format = SurfaceFormat());
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Releases the GL context from this window when it is current here, then destroys the
    // window. Idempotent.
    void Destory();

    bool IsCreated() const { return window != nullptr; }
    // Why the window was not created (no display, with which one and how to set one, or SDL's
    // words); empty for a created window.
    const char* GetCreationFailure() const { return creationFailure.c_str(); }
    WindowHandle GetHandle() const;
    // The SDL window, for the platform layer's own use (GL contexts, display modes, input).
    SDL_Window* GetNativeWindow() const { return window; }
    const SurfaceFormat& GetSurfaceFormat() const { return surfaceFormat; }

    void SetTitle(const Core::String& text);
    const char* GetTitle() const { return title.c_str(); }
    // Loads the image file as the window icon; an ICO that cannot be read is replaced by the PNG
    // of the same name beside it. A name that loads nothing leaves the icon as it was.
    void SetIcon(const Core::String& fileName);
    const char* GetIconName() const { return iconName.c_str(); }

    // The surface is fixed at creation; the number the renderer chose is only kept.
    void SetPixelFormat(i32 number) { pixelFormat = number; }
    i32 GetPixelFormat() const { return pixelFormat; }

    void SetMaximizeBox(u8 on);
    void SetBorder(u8 on);
    void SetResizable(u8 on);
    void SetTopMost(u8 on);
    void SetVisible(u8 on);
    void SetClientSize(i32 width, i32 height);
    // Top-left corner of the outer window, screen coordinates.
    void SetPosition(i32 x, i32 y);
    void GetPosition(i32& x, i32& y) const;

    // What the system reports now (all 0 or false without a handle).
    void GetClientSize(i32& width, i32& height) const;
    // Screen position of the client area's top-left pixel.
    void GetClientOrigin(i32& x, i32& y) const;
    bool IsVisible() const;
    bool HasBorder() const;
    bool IsResizable() const;
    bool IsTopMost() const;
    bool IsMinimized() const;

    void SetCloseCallback(CancelCallback callback) { callbacks.onClose = callback; }
    void SetCallbacks(const WindowCallbacks& all) { callbacks = all; }
    const WindowCallbacks& GetCallbacks() const { return callbacks; }

    // The window that an SDL window belongs to; null for windows not made here.
    static Window* FromNative(SDL_Window* native);

private:
    void ApplyStyle();

    SDL_Window* window = nullptr;
    Core::String title;
    Core::String iconName;
    u8 maximizeBox = 1;
    u8 caption = 1;
    u8 border = 1;
    u8 visible = 0;
    u8 resizable = 1;
    WindowCallbacks callbacks;
    i32 pixelFormat = 0;
    SurfaceFormat surfaceFormat;
    Core::String creationFailure;
};
}  // namespace PAL
