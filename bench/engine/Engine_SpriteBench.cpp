// The CPU cost of one frame of 1,000 animated sprites: the scene update (every sprite advances its
// frame) and one viewport drawn through a camera (culling, render items, the queue's sort and the
// draw calls) into the recording renderer, whose log is off.
#include "Engine_BenchScene.h"
#include "engine/Engine_Sprite.h"

#include <benchmark/benchmark.h>

namespace
{
void AnimatedSprites(benchmark::State& run)
{
    EngineBench::Scene scene;

    // Three animations of eight 32 x 32 frames with different delays, shared by every sprite.
    const Core::RefPtr<Renderer::ITexture> sheet(new EngineBench::SizedTexture(256));
    Engine::Sprite::Animations animations;
    for (u32 a = 0; a < 3; ++a)
    {
        Core::Vector<Engine::SpriteFrame> frames;
        for (u32 f = 0; f < 8; ++f)
            frames.push_back(Engine::SpriteFrame{f, a, 0.05f + 0.02f * static_cast<f32>(a)});
        animations.push_back(new Engine::SpriteAnimation(sheet, 32, 32, frames));
    }
    // Spread over the window, a few of them off screen to the right.
    for (u32 i = 0; i < 1000; ++i)
    {
        Core::RefPtr<Engine::TransformationGroup> place(new Engine::TransformationGroup());
        const f32 x = static_cast<f32>(i % 40) * 28.0f - 500.0f;
        const f32 y = static_cast<f32>(i / 40) * 28.0f - 350.0f;
        place->SetTransform(Math::Matrix4x4::Translation(x, y, 0.0f));
        scene.graph->AttachChild(place);
        Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(animations));
        sprite->SetCurrentAnimationIndex(i % 3, true);
        sprite->SetPlaying(true);
        place->AttachChild(sprite);
    }

    for (auto _ : run)
    {
        scene.Frame(1.0f / 60.0f);
    }
    run.SetItemsProcessed(run.iterations() * 1000);
}
} // namespace

BENCHMARK(AnimatedSprites)->Unit(benchmark::kMicrosecond);
