// The CPU cost of one frame of the empty main loop: message pump, BeginFrame, Update, EndFrame
// with Present, the rate lock off. With the OpenGL renderer it needs a display (run it under
// Xvfb); with the recording renderer it measures the loop alone.
#include "core/Core_Startup.h"
#include "platform/PAL_MessagePump.h"
#include "platform/PAL_Window.h"
#include "engine/Engine_ApplicationRendering.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

namespace
{
Core::RefPtr<Renderer::IRenderer> MakeRecording(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

Engine::ApplicationSettings Settings()
{
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    settings.refreshRate = 60;
    settings.verticalSync = 0;
    return settings;
}

void RunFrames(benchmark::State& run, Engine::RendererFactory factory)
{
    const Core::StartupGuard core;
    const Core::RefPtr<Engine::RenderingApplication> application(
        new Engine::RenderingApplication(Settings(), factory));
    for (auto _ : run)
    {
        PAL::PumpMessages();
        application->BeginFrame();
        application->Update();
        application->EndFrame();
    }
}

void EmptyFrameOpenGL(benchmark::State& run)
{
    if (!PAL::Window(16, 16).IsCreated())
    {
        run.SkipWithError("no display");
        return;
    }
    RunFrames(run, &Renderer::CreateOGLRenderer);
}

void EmptyFrameRecording(benchmark::State& run)
{
    RunFrames(run, &MakeRecording);
}
}  // namespace

BENCHMARK(EmptyFrameOpenGL)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmptyFrameRecording)->Unit(benchmark::kMicrosecond);
