// One layer of plain game objects stepped as the level steps it each frame: the layer's update
// (every object's Update in id order), its end-of-frame transform refresh and the collision
// engine's update. Reported per frame, and per object as the "per_object" counter. The second
// variant gives every object a collision body (a circle of radius 8), the objects spread over a
// grid 32 units apart so that neighbours do not touch.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "renderer/Renderer_RecordingRenderer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>

namespace
{
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

Core::RefPtr<Vellumar::Game> MakeGame()
{
    // No sound device is needed.
    setenv("ALSOFT_DRIVERS", "null", 0);
    Engine::ApplicationSettings settings;
    settings.width = 320;
    settings.height = 240;
    return new Vellumar::Game(new EmptyFactory(), settings, 0, &MakeRecordingRenderer);
}

void StepLayer(benchmark::State& state, bool withBodies)
{
    const Core::RefPtr<Vellumar::Game> game = MakeGame();
    const i64 count = state.range(0);
    const i32 side = static_cast<i32>(std::ceil(std::sqrt(static_cast<double>(count))));
    auto* actor = new Collision2D::CollisionActor();
    Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(Collision2D::VelRect(8.0f, -8.0f, 8.0f, -8.0f), true);
    frame.AddCircle({0.0f, 0.0f}, 8.0f, 1, true);
    game->AddCollisionAssets(actor);

    Core::RefPtr<Vellumar::Layer> layer(new Vellumar::Layer(0.0f));
    layer->SetCollisionProperties(Math::Vector2D(0.0f, 0.0f), side * 32, side * 32, 128);
    for (i64 i = 0; i < count; ++i)
    {
        auto* object = new Vellumar::GameObject();
        object->SetPosition(static_cast<f32>(i % side) * 32.0f + 16.0f, static_cast<f32>(i / side) * 32.0f + 16.0f);
        if (withBodies)
        {
            auto* body = new Collision2D::DynamicObject();
            body->AddCollisionData(actor, 0, 0);
            body->SetCollisionType(1);
            body->SetCanCollid(0, true);
            object->AddCollision(body, layer->GetCollisionId());
        }
        layer->AddGameObject(object);
    }
    constexpr f32 dt = 1.0f / 60.0f;
    layer->Update(dt);
    for (auto _ : state)
    {
        layer->Update(dt);
        layer->EndFrame();
        game->GetCollisionEngine()->Update(dt);
    }
    state.counters["per_object"] = benchmark::Counter(static_cast<double>(count),
                                                      benchmark::Counter::kIsIterationInvariantRate |
                                                          benchmark::Counter::kInvert);
    layer->Cleanup();
    layer = nullptr;
    game->Shutdown();
}

void BM_LayerOfPlainObjects(benchmark::State& state)
{
    StepLayer(state, false);
}

void BM_LayerOfObjectsWithCollisionBodies(benchmark::State& state)
{
    StepLayer(state, true);
}
}  // namespace

BENCHMARK(BM_LayerOfPlainObjects)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LayerOfObjectsWithCollisionBodies)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
