// The CPU cost of one frame of 1,000 animated sprites: the scene update (every sprite advances its
// frame) and one viewport drawn through a camera (culling, render items, the queue's sort and the
// draw calls) into the recording renderer, whose log is off.
#include "core/Core_Startup.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr i32 Width = 1024;
constexpr i32 Height = 768;

// A sheet texture with a size and nothing behind it.
class Sheet : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return 256; }
    i32 GetHeight() const override { return 256; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 1; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 1; }
    Core::String GetFileName() const override { return "Sheet.png"; }
};

void AnimatedSprites(benchmark::State& run)
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

    // Three animations of eight 32 x 32 frames with different delays, shared by every sprite.
    const Core::RefPtr<Renderer::ITexture> sheet(new Sheet());
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
        scene->AttachChild(place);
        Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(animations));
        sprite->SetCurrentAnimationIndex(i % 3, true);
        sprite->SetPlaying(true);
        place->AttachChild(sprite);
    }

    for (auto _ : run)
    {
        scene->UpdateScene(1.0f / 60.0f);
        scene->RenderViewport(*camera, *viewport);
    }
    run.SetItemsProcessed(run.iterations() * 1000);
}
} // namespace

BENCHMARK(AnimatedSprites)->Unit(benchmark::kMicrosecond);
