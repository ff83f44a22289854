// CPU cost of one frame of textured quads through the render queue: every quad submitted, the
// lists sorted and every draw issued to the recording renderer (its log off, so the queue's own
// work is what is measured). Run for 1,000 and 10,000 quads; the fitted complexity and the time
// per quad show how the cost grows between the two.
#include "Engine_BenchScene.h"
#include "core/Core_Random.h"
#include "engine/Engine_RenderQueue.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
// Sprite-like quads: the queue's default effect and quad mesh, one of a few textures, scattered in
// depth so that the blended sort has work to do.
std::vector<Engine::RenderItem> MakeQuads(u32 count)
{
    Core::Random random(7);
    const Core::RefPtr<Renderer::ITexture> textures[4] = {new EngineBench::SizedTexture(256), new EngineBench::SizedTexture(256), new EngineBench::SizedTexture(256),
                                                         new EngineBench::SizedTexture(256)};
    std::vector<Engine::RenderItem> quads(count);
    for (u32 i = 0; i < count; ++i)
    {
        Engine::RenderItem& item = quads[i];
        item.useQueueDefaults = 1;
        item.subset = 0;
        item.texture = textures[i % 4];
        const f32 x = static_cast<f32>(random.Next() % 1024);
        const f32 y = static_cast<f32>(random.Next() % 768);
        const f32 z = static_cast<f32>(random.Next() % 100) * 0.01f;
        item.world = Math::Matrix4x4::Translation(x, y, z) * Math::Matrix4x4::Scaling(32.0f, 32.0f, 1.0f);
    }
    return quads;
}

// Opaque mesh items of a few effects, meshes and subsets, for the opaque sort.
std::vector<Engine::RenderItem> MakeOpaqueItems(u32 count, Engine::RenderQueue& queue)
{
    Core::Random random(11);
    const Core::RefPtr<Renderer::Effect> effects[3] = {Renderer::CreateTexturedOpaqueEffect(),
                                                       Renderer::CreateTextEffectNoCulling(),
                                                       Renderer::CreateTextEffect()};
    std::vector<Core::RefPtr<Engine::Mesh>> meshes;
    for (u32 m = 0; m < 8; ++m)
    {
        Core::RefPtr<Engine::Mesh> mesh(queue.GetDefaultQuadMesh()->Clone());
        mesh->GetSubset(0)->blended = 0;
        for (u32 s = 1; s < 4; ++s)
            mesh->AddSubset(*mesh->GetSubset(0));
        meshes.push_back(mesh);
    }
    std::vector<Engine::RenderItem> items(count);
    for (u32 i = 0; i < count; ++i)
    {
        Engine::RenderItem& item = items[i];
        item.effect = effects[random.Next() % 3];
        item.mesh = meshes[static_cast<u32>(random.Next()) % meshes.size()];
        item.subset = static_cast<u32>(random.Next() % 4);
        item.world = Math::Matrix4x4::Translation(static_cast<f32>(i % 1024), 0.0f, 0.0f);
    }
    return items;
}

struct Frame
{
    Frame() : renderer(Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(1024, 768)))
    {
        renderer->SetLogging(0);
        scene = new Engine::SceneGraph(renderer.Get());
        scene->SetViewportCount(1);
        scene->SetCurrentViewport(0);
    }

    Core::RefPtr<Renderer::RecordingRenderer> renderer;
    Core::RefPtr<Engine::SceneGraph> scene;
};

void RunFrames(benchmark::State& state, Frame& frame, std::vector<Engine::RenderItem>& items)
{
    Engine::RenderQueue& queue = frame.scene->GetRenderQueue();
    for (auto _ : state)
    {
        for (Engine::RenderItem& item : items)
            queue.Submit(item);
        queue.Render();
        queue.Clear();
    }
    state.SetComplexityN(state.range(0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["time_per_quad"] = benchmark::Counter(
        static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void TexturedQuadsPerFrame(benchmark::State& state)
{
    Frame frame;
    std::vector<Engine::RenderItem> quads = MakeQuads(static_cast<u32>(state.range(0)));
    RunFrames(state, frame, quads);
}

void OpaqueItemsPerFrame(benchmark::State& state)
{
    Frame frame;
    std::vector<Engine::RenderItem> items = MakeOpaqueItems(static_cast<u32>(state.range(0)), frame.scene->GetRenderQueue());
    RunFrames(state, frame, items);
}
} // namespace

BENCHMARK(TexturedQuadsPerFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(OpaqueItemsPerFrame)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity();
