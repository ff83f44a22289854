#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <random>
#include <vector>

// One collision layer of moving bodies, each a circle with a segment across it, at constant
// density: every 1024 × 768 of the layer holds 100 bodies, so the layer grows with the count.
// Reports the time of one per-frame update and its growth with the number of bodies.
namespace
{
using Collision2D::CollisionActor;
using Collision2D::CollisionEngine;
using Collision2D::DynamicObject;
using Math::Vector2D;

struct Body
{
    u32 id;
    Vector2D position;
    Vector2D velocity;
    f32 orientation;
    f32 turn;
};

CollisionActor MakeActor()
{
    CollisionActor actor;
    Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(Collision2D::VelRect(8, -8, 8, -8), true);
    frame.AddCircle({0, 0}, 6.0f, 1, true);
    frame.AddLineSegment({-8, 0}, {8, 0}, 2, true);
    return actor;
}

void LayerUpdate(benchmark::State& state)
{
    const i64 count = state.range(0);
    const f32 scale = std::sqrt(static_cast<f32>(count) / 100.0f);
    const f32 width = 1024.0f * scale;
    const f32 height = 768.0f * scale;

    const CollisionActor actor = MakeActor();
    CollisionEngine engine;
    engine.AddLayer();
    engine.InitializeLayerGrid(0, {0, 0}, static_cast<i32>(width), static_cast<i32>(height), 64);

    std::mt19937 random(12345);
    std::uniform_real_distribution<f32> unit(0.0f, 1.0f);
    std::vector<Body> bodies;
    bodies.reserve(static_cast<std::size_t>(count));
    for (i64 i = 0; i < count; ++i)
    {
        Body body{0, {unit(random) * width, unit(random) * height}, {unit(random) * 6 - 3, unit(random) * 6 - 3},
                  unit(random) * 360.0f, unit(random) * 4 - 2};
        auto* object = new DynamicObject();
        object->AddCollisionData(&actor, 0, 0);
        object->SetCollisionType(1);
        object->SetCanCollid(0, true);
        object->SetOldPosition(body.position);
        object->SetOldOrientation(body.orientation);
        body.id = engine.AddObject(object, 0, body.position);
        bodies.push_back(body);
    }

    i64 contacts = 0;
    for (auto _ : state)
    {
        for (Body& body : bodies)
        {
            body.position = body.position + body.velocity;
            if (body.position.x < 0 || body.position.x > width)
                body.velocity.x = -body.velocity.x;
            if (body.position.y < 0 || body.position.y > height)
                body.velocity.y = -body.velocity.y;
            body.orientation += body.turn;
            engine.SetDynamicObjectPosition(body.id, body.position);
            engine.SetDynamicObjectOrientation(body.id, body.orientation);
        }
        const auto start = std::chrono::steady_clock::now();
        engine.Update(1.0f / 60.0f);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        for (const Body& body : bodies)
            contacts += engine.GetResults(body.id)->currentDGEONumber;
    }
    state.SetComplexityN(count);
    state.counters["contacts/frame"] = benchmark::Counter(static_cast<double>(contacts), benchmark::Counter::kAvgIterations);
    state.counters["bodies"] = static_cast<double>(count);
}

BENCHMARK(LayerUpdate)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
} // namespace
