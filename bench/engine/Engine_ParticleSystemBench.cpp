// The CPU cost of one frame of 2,000 live particles in one particle system: the owner's write of
// every particle record (a simple fall with spin and fade), the scene update and one viewport
// drawn through a camera (camera-facing quads, one render item, the draw call) into the recording
// renderer, whose log is off.
#include "Engine_BenchScene.h"
#include "engine/Engine_ParticleSystem.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr u32 ParticleCount = 2000;

void LiveParticles(benchmark::State& run)
{
    EngineBench::Scene scene;

    const Core::RefPtr<Engine::ParticleSystem> system(new Engine::ParticleSystem(new EngineBench::SizedTexture(16), ParticleCount));
    system->SetBoundingSize(800.0f);
    scene.graph->AttachChild(system);
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
        scene.Frame(dt);
    }
    run.SetItemsProcessed(run.iterations() * ParticleCount);
}
} // namespace

BENCHMARK(LiveParticles)->Unit(benchmark::kMicrosecond);
