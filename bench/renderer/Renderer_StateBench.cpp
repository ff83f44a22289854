// The CPU cost of state changes through the renderer's shadow: 10,000 set operations of mixed
// kinds, as passes apply them, with the log off (the OpenGL renderer's own path minus OpenGL) and
// on (what headless tests pay).
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_States.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int Changes = 10000;

void StateChanges(benchmark::State& run, u8 logging)
{
    Renderer::DisplaySettings settings(1024, 768);
    const Core::RefPtr<Renderer::RecordingRenderer> renderer(new Renderer::RecordingRenderer(settings));
    renderer->SetLogging(logging);
    Renderer::DepthBufferState depth;
    Renderer::AlphaBlendingState blending;
    Renderer::AlphaTestingState alpha;
    Renderer::TextureUnit0State unit;
    Renderer::LightingState lighting;
    Renderer::CullingState culling;
    Renderer::State* const states[] = {&depth, &blending, &alpha, &unit, &lighting, &culling};
    for (auto _ : run)
    {
        for (int i = 0; i < Changes; ++i)
        {
            depth.writeEnabled = static_cast<u8>(i & 1);
            states[i % 6]->Apply(*renderer);
        }
        renderer->ClearLog();
        benchmark::ClobberMemory();
    }
    run.SetItemsProcessed(run.iterations() * Changes);
}

void StateChangesThroughTheShadow(benchmark::State& run)
{
    StateChanges(run, 0);
}

void StateChangesLogged(benchmark::State& run)
{
    StateChanges(run, 1);
}

// Capture, apply and restore of one built-in pass: what one draw through an effect costs.
void CaptureApplyRestore(benchmark::State& run)
{
    Renderer::DisplaySettings settings(1024, 768);
    const Core::RefPtr<Renderer::RecordingRenderer> renderer = Renderer::CreateRecordingRenderer(settings);
    renderer->SetLogging(0);
    Renderer::CurrentColorState color;
    Renderer::DepthBufferState depth;
    Renderer::AlphaBlendingState blending;
    Renderer::State* const pass[] = {&color, &depth, &blending};
    Renderer::CurrentColorState savedColor;
    Renderer::DepthBufferState savedDepth;
    Renderer::AlphaBlendingState savedBlending;
    Renderer::State* const saved[] = {&savedColor, &savedDepth, &savedBlending};
    for (auto _ : run)
    {
        for (Renderer::State* state : saved)
        {
            state->Capture(*renderer);
        }
        for (Renderer::State* state : pass)
        {
            state->Apply(*renderer);
        }
        for (Renderer::State* state : saved)
        {
            state->Apply(*renderer);
        }
    }
}
}  // namespace

BENCHMARK(StateChangesThroughTheShadow);
BENCHMARK(StateChangesLogged);
BENCHMARK(CaptureApplyRestore);
