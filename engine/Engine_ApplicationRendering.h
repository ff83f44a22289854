#pragma once
// The application that owns the window, the input devices and the renderer, and times the frames:
// BeginFrame starts the frame stopwatch; EndFrame presents, holds the frame to the target frame
// time while the rate lock is on, and measures the rate of the frame just ended. The frame covers
// update, present and the wait, never the message pumping before it. The framework's game derives
// from it and supplies Update and Shutdown.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "platform/Input_Source.h"
#include "core/PAL_Stopwatch.h"
#include "engine/Engine_Application.h"
#include "engine/Engine_FontCache.h"
#include "engine/Engine_RenderingWindow.h"
#include "renderer/Renderer_Adapter.h"
#include "renderer/Renderer_IRenderer.h"

namespace Engine
{
// Makes the renderer for the window the settings name; the program uses the OpenGL renderer's.
using RendererFactory = Core::RefPtr<Renderer::IRenderer> (*)(const Renderer::DisplaySettings& settings);

class RenderingApplication : public Application
{
public:
    // Opens the window (shown, not resizable), full screen when the settings ask, makes the font
    // cache the process-wide one, makes the mouse and the keyboard over the input source, then the
    // renderer through the factory. Tests pass a recording renderer's factory and a scripted source.
    explicit RenderingApplication(const ApplicationSettings& settings,
                                  RendererFactory createRenderer = &Renderer::CreateOGLRenderer,
                                  Input::Source& input = Input::GetSystemSource());
    ~RenderingApplication() override;

    // The process-wide rendering application; null when none lives.
    static RenderingApplication* GetInstance();

    RenderingWindow& GetWindow() { return window; }
    FontCache& GetFontCache() { return fontCache; }
    Renderer::IRenderer* GetRenderer() const { return renderer.Get(); }
    Input::Keyboard* GetKeyboard() const { return keyboard.Get(); }
    Input::Mouse* GetMouse() const { return mouse.Get(); }
    // The resource folder put before the texture names that loaded sprite animations read; empty
    // until the framework sets it before loading them.
    const Core::String& GetPath() const { return path; }
    void SetPath(const Core::String& folder) { path = folder; }

    void SetRateLock(u8 on) { rateLock = on; }
    u8 IsRateLocked() const { return rateLock; }
    // Desired rate in frames per second; the target frame time becomes 1000 / fps ms. A rate that
    // is not above 0 is ignored: it would make the locked frame endless.
    void SetFrameRate(f64 fps);
    f64 GetFrameRate() const { return desiredFrameRate; }
    f64 GetTargetFrameTime() const { return targetFrameTime; }
    // The rate measured over the last frame: 1000 / its milliseconds.
    f64 GetCurrentFrameRate() const { return currentFrameRate; }
    // Milliseconds since the application was made.
    f64 GetTotalTime() const { return totalStopwatch.GetElapsed(); }

    void SetVSync(u8 on);
    u8 IsVSync() const;
    // Toggles only when the renderer's flag differs.
    void SetFullScreen(u8 on);
    u8 IsFullScreen() const;
    void ToggleFullScreen();

    void BeginFrame() override;
    void EndFrame() override;
    // What the rate lock does while the frame is shorter than the target: it sleeps while more
    // than about 2 ms remain, then gives up the rest of its time slice.
    virtual void Idle();

private:
    // The window's close callback: quits the application, leaving the cancel flag alone.
    static void OnWindowClose(PAL::Window* window, u8* cancel);

    Renderer::AdapterHolder adapter;
    PAL::Stopwatch totalStopwatch;
    PAL::Stopwatch frameStopwatch;
    RenderingWindow window;
    FontCache fontCache;
    Core::RefPtr<Input::Mouse> mouse;
    Core::RefPtr<Input::Keyboard> keyboard;
    Core::RefPtr<Renderer::IRenderer> renderer;
    Core::String path;
    f64 targetFrameTime = 1.0;
    f64 desiredFrameRate = 1000.0;
    f64 currentFrameRate = 0.0;
    u8 rateLock = 0;
    u8 fullScreen = 0;
    u8 windowed = 1;
};
}  // namespace Engine
