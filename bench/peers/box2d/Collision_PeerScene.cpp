// Morvane's side of the collision-detection comparison with Box2D: circles of radius 6, one per
// 40 × 40 units of a square field closed by four walls, each moving 2 units per frame in a
// direction of its own and turning back at the walls. Times the collision engine's update alone;
// Box2D_CollisionScene.cpp builds the same field from the same random numbers.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <time.h>
#include <vector>

namespace
{
// Processor time of this thread: on a shared machine, the time of the work itself, without the
// time the scheduler gives other processes (both sides of the comparison time themselves so).
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

using Collision2D::CollisionEngine;
using Math::Vector2D;

constexpr float Radius = 6.0f;
constexpr float Speed = 2.0f;
constexpr float Spacing = 40.0f;

struct Disc
{
    u32 id;
    Vector2D position;
    Vector2D velocity;
};

class Field
{
public:
    explicit Field(i64 count) : side(Spacing * std::sqrt(float(count)))
    {
        Collision2D::CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(Collision2D::VelRect(Radius, -Radius, Radius, -Radius), true);
        frame.AddCircle({0, 0}, Radius, 1, true);

        engine.AddLayer();
        engine.InitializeLayerGrid(0, {0, 0}, i32(side), i32(side), 64);
        const Vector2D corners[4] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
        for (int i = 0; i < 4; ++i)
            engine.AddObject(new Collision2D::StaticCollisionLineSegment({corners[i], corners[(i + 1) % 4]}), 0, {0, 0});

        std::mt19937 random(2024);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        for (i64 i = 0; i < count; ++i)
        {
            const Vector2D position(Radius + unit(random) * (side - 2 * Radius), Radius + unit(random) * (side - 2 * Radius));
            const float angle = unit(random) * 6.2831853f;
            auto* object = new Collision2D::DynamicObject();
            object->AddCollisionData(&actor, 0, 0);
            object->SetCollisionType(1);
            object->SetCanCollid(0, true);
            object->SetOldPosition(position);
            discs.push_back({engine.AddObject(object, 0, position), position,
                             Vector2D(std::cos(angle) * Speed, std::sin(angle) * Speed)});
        }
    }

    // Moves every disc on, times one update and returns the result records of the frame.
    i64 Step(benchmark::State& state)
    {
        for (Disc& disc : discs)
        {
            disc.position = disc.position + disc.velocity;
            if (disc.position.x < Radius || disc.position.x > side - Radius)
                disc.velocity.x = -disc.velocity.x;
            if (disc.position.y < Radius || disc.position.y > side - Radius)
                disc.velocity.y = -disc.velocity.y;
            engine.SetDynamicObjectPosition(disc.id, disc.position);
        }
        const double start = ThreadSeconds();
        engine.Update(1.0f / 60.0f);
        state.SetIterationTime(ThreadSeconds() - start);
        i64 records = 0;
        for (const Disc& disc : discs)
        {
            const Collision2D::CollisionResults& results = *engine.GetResults(disc.id);
            records += results.currentDGEONumber + results.currentLNSNumber;
        }
        return records;
    }

private:
    float side;
    Collision2D::CollisionActor actor;
    CollisionEngine engine;
    std::vector<Disc> discs;
};

void CollisionScene(benchmark::State& state)
{
    Field field(state.range(0));
    i64 records = 0;
    for (auto _ : state)
        records += field.Step(state);
    state.counters["records/frame"] = benchmark::Counter(double(records), benchmark::Counter::kAvgIterations);
    state.counters["bodies"] = double(state.range(0));
}

BENCHMARK(CollisionScene)->Arg(100)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
