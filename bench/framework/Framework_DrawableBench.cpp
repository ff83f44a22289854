// The framework's drawables at game scale. Sprites: one layer of animated sprites that move and
// turn every frame, stepped as the game steps a level (the layer's update, the render transforms,
// the scene graph's update) and drawn through a camera into a viewport by the recording renderer
// with its log off; reported per frame. Particles: a system whose 4,096 particles are all alive,
// updated and written into its vertex array once per iteration.
#include "engine/Engine_SceneGraph.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "renderer/Renderer_RecordingRenderer.h"
#include "renderer/Renderer_Texture.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace
{
constexpr f32 FrameTime = 1.0f / 60.0f;

class EmptyFactory : public Vellumar::LevelFactory
{
public:
    u32 GetLevelsCount() override { return 1; }
    Vellumar::Level* CreateLevel(u32) override { return new Vellumar::Level(); }
    void OnLevelSwitch() override {}
    bool GetLevelIndex(const Core::String&, u32*) override { return false; }
};

Core::RefPtr<Renderer::IRenderer> MakeRecordingRenderer(const Renderer::DisplaySettings& settings)
{
    return Renderer::CreateRecordingRenderer(settings);
}

// A sheet without a device behind it: the recording renderer draws with its size alone.
class SheetTexture : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return 128; }
    i32 GetHeight() const override { return 128; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 1; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 1; }
    Core::String GetFileName() const override { return "Sheet.png"; }
};

// Walks in a small circle, one degree per frame.
class WalkingSprite : public Vellumar::Sprite
{
public:
    using Vellumar::Sprite::Sprite;

    void ScriptUpdate(f32 dt) override
    {
        const f32 angle = GetRotationAngle() + 1.0f;
        SetRotationAngle(angle);
        SetPosition(GetPositionX() + std::cos(angle * 0.017453292f) * 60.0f * dt,
                    GetPositionY() + std::sin(angle * 0.017453292f) * 60.0f * dt);
        Vellumar::Sprite::ScriptUpdate(dt);
    }
};

void BM_AnimatedSpritesMovingAndTurning(benchmark::State& state)
{
    setenv("ALSOFT_DRIVERS", "null", 0);
    Engine::ApplicationSettings settings;
    settings.width = 1024;
    settings.height = 768;
    const Core::RefPtr<Vellumar::Game> game = new Vellumar::Game(new EmptyFactory(), settings, 0, &MakeRecordingRenderer);
    static_cast<Renderer::RecordingRenderer*>(game->GetRenderer())->SetLogging(0);

    const Core::RefPtr<Renderer::ITexture> sheet(new SheetTexture());
    const Core::RefPtr<Vellumar::SpriteAnimation> walk(
        new Vellumar::SpriteAnimation(sheet.Get(), 4, 4, Core::Vector<f32>(16, 0.05f)));
    const Core::RefPtr<Vellumar::Layer> layer(new Vellumar::Layer(0.0f));
    game->GetSceneGraph()->AttachChild(layer->GetSceneGroup());
    auto* camera = new Vellumar::Camera(45.0f);
    camera->SetPosition(512.0f, 384.0f);
    camera->SetZOrder(768.0f / (2.0f * std::tan(22.5f * 0.017453292f)));
    layer->AddGameObject(camera);
    const Core::RefPtr<Vellumar::Viewport> viewport(new Vellumar::Viewport(0, 0, 1024, 768));
    viewport->SetCamera(camera);

    const i64 count = state.range(0);
    for (i64 i = 0; i < count; ++i)
    {
        auto* sprite = new WalkingSprite(Core::Vector<Vellumar::SpriteAnimation*>{walk.Get()});
        sprite->SetPosition(static_cast<f32>(i % 100) * 10.0f + 16.0f, static_cast<f32>(i / 100) * 7.0f + 16.0f);
        sprite->SetRotationAngle(static_cast<f32>(i % 360));
        sprite->Play(true);
        layer->AddGameObject(sprite);
    }
    layer->Update(FrameTime);
    for (auto _ : state)
    {
        layer->Update(FrameTime);
        layer->EndFrame();
        game->GetSceneGraph()->UpdateScene(FrameTime);
        viewport->Draw(FrameTime);
    }
    state.counters["per_sprite"] = benchmark::Counter(static_cast<double>(count),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
    layer->Cleanup();
    game->Shutdown();
}

void BM_LiveParticlesUpdatedAndWritten(benchmark::State& state)
{
    const u32 count = static_cast<u32>(state.range(0));
    const Core::RefPtr<Vellumar::ParticleSystem> system(
        new Vellumar::ParticleSystem("spark.png", count, 256.0f, Math::Vector2D(0.0f, -98.0f)));
    system->SetEmitter(new Vellumar::DiskEmitter(Math::Point2D(), 20.0f));
    system->SetEmissionRate(1.0e9f, 1.0e9f);
    system->SetParticleLifeTime(1.0e6f, 1.0e6f);
    system->SetParticleSpeed(10.0f, 50.0f);
    system->SetParticleEndingColor(Math::Color(1.0f, 0.5f, 0.0f, 0.0f), Math::Color(1.0f, 1.0f, 0.0f, 0.0f));
    system->Update(FrameTime);
    for (auto _ : state)
    {
        system->Update(FrameTime);
        benchmark::DoNotOptimize(system->GetVertexArray()[0]);
    }
    state.counters["per_particle"] = benchmark::Counter(static_cast<double>(count),
                                                        benchmark::Counter::kIsIterationInvariantRate |
                                                            benchmark::Counter::kInvert);
    system->Cleanup();
}
}  // namespace

BENCHMARK(BM_AnimatedSpritesMovingAndTurning)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveParticlesUpdatedAndWritten)->Arg(4096)->Unit(benchmark::kMicrosecond);
