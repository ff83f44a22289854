// The CPU cost of one frame of 2,000 live particles in one particle system: the owner's write of
// every particle record (a simple fall with spin and fade), the scene update and one viewport
// drawn through a camera (camera-facing quads, one render item, the draw call) into the recording
// renderer, whose log is off.
#include "core/Core_Startup.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_ParticleSystem.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr i32 Width = 1024;
constexpr i32 Height = 768;
constexpr u32 ParticleCount = 2000;

class Spark : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return 16; }
    i32 GetHeight() const override { return 16; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 1; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 1; }
    Core::String GetFileName() const override { return "spark.png"; }
};

void LiveParticles(benchmark::State& run)
{
    const Core::StartupGuard core;
    const Core::RefPtr<Renderer::RecordingRenderer> renderer =
        Renderer::CreateRecordingRenderer(Renderer::DisplaySettings(Width, Height));
    renderer->SetLogging(0);
    const Core::RefPtr<Engine::SceneGraph> scene(new Engine::SceneGraph(renderer.Get()));
    scene->SetViewportCount(1);

    Core::RefPtr<Engine::TransformationGroup> eye(new Engine::TransformationGroup());
    eye->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, 927.0f));
    scene->AttachChild(eye);
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 10000.0f));
    eye->AttachChild(camera);
    const Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, Width, Height));

    const Core::RefPtr<Engine::ParticleSystem> system(new Engine::ParticleSystem(new Spark(), ParticleCount));
    system->SetBoundingSize(800.0f);
    scene->AttachChild(system);
    Engine::Particle* particles = system->GetParticles();
    for (u32 i = 0; i < ParticleCount; ++i)
    {
        const f32 spread = static_cast<f32>(i);
        particles[i] = {static_cast<f32>(i % 50) * 10.0f - 250.0f, static_cast<f32>(i / 50) * 10.0f - 200.0f, 0.0f,
                        1.0f, 1.0f, spread, 1.0f, 0.5f, 0.25f, 1.0f};
    }

    const f32 dt = 1.0f / 60.0f;
    for (auto _ : run)
    {
        for (u32 i = 0; i < ParticleCount; ++i)
        {
            Engine::Particle& particle = particles[i];
            particle.y -= 30.0f * dt;
            particle.rotation += 90.0f * dt;
            particle.a = particle.a > 0.01f ? particle.a - 0.1f * dt : 1.0f;
        }
        scene->UpdateScene(dt);
        scene->RenderViewport(*camera, *viewport);
    }
    run.SetItemsProcessed(run.iterations() * ParticleCount);
}
} // namespace

BENCHMARK(LiveParticles)->Unit(benchmark::kMicrosecond);
