#include "engine/Engine_ApplicationRendering.h"

#include "core/PAL_ThreadManager.h"

#include <algorithm>
#include <cmath>

namespace Engine
{
namespace
{
RenderingApplication* renderingApplication = nullptr;

// What the lock leaves to the scheduler's yield rather than to a sleep, which may overshoot; and
// the longest single sleep, so that a very low rate still wakes to look at the clock.
constexpr f64 YieldMargin = 2.0;
constexpr f64 LongestSleep = 100.0;

Renderer::DisplaySettings DisplaySettingsFor(const ApplicationSettings& settings)
{
    Renderer::DisplaySettings display(settings.width, settings.height);
    display.refreshRate = settings.refreshRate;
    display.samples = settings.samples;
    display.fullScreen = settings.fullScreen;
    display.vsync = settings.verticalSync;
    return display;
}

// The window's OpenGL surface follows the display settings: it is fixed when the window is made.
PAL::SurfaceFormat SurfaceFormatFor(const ApplicationSettings& settings)
{
    const Renderer::DisplaySettings display = DisplaySettingsFor(settings);
    PAL::SurfaceFormat format;
    format.colorBits = display.colorBits;
    format.depthBits = display.depthBits;
    format.stencilBits = display.stencilBits;
    format.samples = display.samples;
    return format;
}
}  // namespace

RenderingApplication::RenderingApplication(const ApplicationSettings& settings, RendererFactory createRenderer,
                                           Input::Source& input)
    : window(settings.width, settings.height, SurfaceFormatFor(settings))
{
    renderingApplication = this;
    totalStopwatch.Start();

    if (settings.fullScreen)
    {
        window.SetBorder(0);
        window.SetPosition(0, 0);
        window.SetClientSize(settings.width, settings.height);
        window.SetTopMost(1);
        fullScreen = 1;
        windowed = 0;
    }
    window.SetResizable(0);
    window.SetMaximizeBox(0);
    window.SetVisible(1);
    window.SetCloseCallback(&RenderingApplication::OnWindowClose);

    Input::MouseImp::Create(mouse, input);
    mouse->SetWindow(window.GetHandle());
    Input::KeyboardImp::Create(keyboard, input);

    Renderer::DisplaySettings display = DisplaySettingsFor(settings);
    display.window = &window;
    renderer = createRenderer(display);
}

// The fonts go first, then the renderer, keyboard and mouse, in that order, before the window; the
// adapter goes last.
RenderingApplication::~RenderingApplication()
{
    fontCache.Clear();
    path.clear();
    renderer = nullptr;
    keyboard = nullptr;
    mouse = nullptr;
    if (renderingApplication == this)
    {
        renderingApplication = nullptr;
    }
}

RenderingApplication* RenderingApplication::GetInstance()
{
    return renderingApplication;
}

void RenderingApplication::SetFrameRate(f64 fps)
{
    if (!(fps > 0.0))
    {
        return;
    }
    desiredFrameRate = fps;
    targetFrameTime = 1000.0 / fps;
}

void RenderingApplication::SetVSync(u8 on)
{
    if (renderer)
    {
        renderer->SetVSync(on);
    }
}

u8 RenderingApplication::IsVSync() const
{
    return renderer ? renderer->GetVSync() : 0;
}

void RenderingApplication::SetFullScreen(u8 on)
{
    if (renderer && (renderer->GetDisplaySettings().fullScreen != 0) != (on != 0))
    {
        ToggleFullScreen();
    }
}

u8 RenderingApplication::IsFullScreen() const
{
    return renderer ? renderer->GetDisplaySettings().fullScreen : 0;
}

void RenderingApplication::ToggleFullScreen()
{
    if (renderer)
    {
        renderer->ToggleFullScreen();
    }
}

void RenderingApplication::BeginFrame()
{
    frameStopwatch.Start();
}

void RenderingApplication::EndFrame()
{
    if (renderer)
    {
        renderer->Present();
    }
    if (rateLock)
    {
        while (frameStopwatch.GetElapsed() < targetFrameTime)
        {
            Idle();
        }
    }
    currentFrameRate = 1000.0 / frameStopwatch.GetElapsed();
    frameStopwatch.Reset();
}

void RenderingApplication::Idle()
{
    const f64 remaining = targetFrameTime - frameStopwatch.GetElapsed();
    if (rateLock && remaining > YieldMargin)
    {
        PAL::Sleep(static_cast<u32>(std::floor(std::min(remaining - YieldMargin, LongestSleep))));
    }
    else
    {
        PAL::Sleep(0);
    }
}

void RenderingApplication::OnWindowClose(PAL::Window*, u8*)
{
    if (Application* application = Application::GetInstance())
    {
        application->Quit();
    }
}
}  // namespace Engine
