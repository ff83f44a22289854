#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

// One collision layer of moving bodies, each a circle with a segment across it and a hot spot, at
// constant density: every 1024 × 768 of the layer holds 100 bodies, so the layer grows with the
// count. Reports the time of one per-frame update and its growth with the number of bodies: first
// among the bodies alone, then with static segments and circles (20 of each per 1024 × 768) and a
// tile map of 32-unit cells over the whole layer, a tenth of them used.
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
    frame.AddHotSpot({0, -6}, true);
    return actor;
}

// The layer and its bodies, with or without static shapes and a tile map.
class Scene
{
public:
    Scene(i64 count, bool statics) : random(12345), width(1024.0f), height(768.0f)
    {
        const f32 scale = std::sqrt(static_cast<f32>(count) / 100.0f);
        width *= scale;
        height *= scale;
        engine.AddLayer();
        engine.InitializeLayerGrid(0, {0, 0}, static_cast<i32>(width), static_cast<i32>(height), 64);
        if (statics)
            AddStatics(count);
        bodies.reserve(static_cast<std::size_t>(count));
        for (i64 i = 0; i < count; ++i)
        {
            Body body{0, {Unit() * width, Unit() * height}, {Unit() * 6 - 3, Unit() * 6 - 3}, Unit() * 360.0f,
                      Unit() * 4 - 2};
            auto* object = new DynamicObject();
            object->AddCollisionData(&actor, 0, 0);
            object->SetCollisionType(1);
            object->SetCanCollid(0, true);
            object->SetBoundingRectangleCheckingTileMap(i % 2 == 0);
            object->SetOldPosition(body.position);
            object->SetOldOrientation(body.orientation);
            body.id = engine.AddObject(object, 0, body.position);
            bodies.push_back(body);
        }
    }

    // Moves every body on and times one update; returns the records the bodies hold.
    i64 Frame(benchmark::State& state)
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
        i64 records = 0;
        for (const Body& body : bodies)
        {
            const Collision2D::CollisionResults& results = *engine.GetResults(body.id);
            records += results.currentDGEONumber + results.currentLNSNumber + results.currentCIRNumber +
                       results.currentTMAPNumber;
        }
        return records;
    }

private:
    f32 Unit() { return std::uniform_real_distribution<f32>(0.0f, 1.0f)(random); }

    void AddStatics(i64 count)
    {
        const i64 shapes = count / 5;
        for (i64 i = 0; i < shapes; ++i)
        {
            const Vector2D from(Unit() * width, Unit() * height);
            const f32 angle = Unit() * 6.2831853f;
            auto* segment = new Collision2D::StaticCollisionLineSegment(
                {from, from + Vector2D(std::cos(angle), std::sin(angle)) * 40.0f});
            engine.AddObject(segment, 0, {0, 0});
            engine.AddObject(new Collision2D::StaticCollisionCircle({{Unit() * width, Unit() * height}, 10 + Unit() * 10}),
                             0, {0, 0});
        }
        // The tile map's text, written where the benchmark runs and read back.
        const i32 columns = static_cast<i32>(width / 32.0f) + 1;
        const i32 rows = static_cast<i32>(height / 32.0f) + 1;
        std::string text = "X: " + std::to_string(columns) + "\nY: " + std::to_string(rows) +
                           "\nDim: 32\nTile Count: 2\n\nTile 0\nNum: 1\nDurations: 1\nImageValues: 1\nId: 1\n\n"
                           "Tile 1\nNum: 2\nDurations: 0.5 0.5\nImageValues: 2 3\nId: 2 3\n\n";
        std::string cells;
        i32 used = 0;
        for (i32 column = 0; column < columns; ++column)
        {
            for (i32 row = 0; row < rows; ++row)
            {
                if (Unit() >= 0.1f)
                    continue;
                ++used;
                // Appended piece by piece: GCC 12 warns falsely on a literal joined to a temporary.
                cells.append("(").append(std::to_string(column)).append(",").append(std::to_string(row));
                cells.append(",").append(std::to_string(used % 2)).append(")\n");
            }
        }
        text += "Used Cells: " + std::to_string(used) + "\n" + cells;
        const std::string path = "morvane_bench_tilemap.txt";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        auto* map = new Collision2D::TileMap();
        map->ReadInformation(Core::String(std::string_view(path)));
        std::remove(path.c_str());
        engine.AddObject(map, 0, {0, 0});
    }

    std::mt19937 random;
    f32 width;
    f32 height;
    CollisionActor actor = MakeActor();
    CollisionEngine engine;
    std::vector<Body> bodies;
};

void Run(benchmark::State& state, bool statics)
{
    const i64 count = state.range(0);
    Scene scene(count, statics);
    i64 records = 0;
    for (auto _ : state)
        records += scene.Frame(state);
    state.SetComplexityN(count);
    state.counters["records/frame"] = benchmark::Counter(static_cast<double>(records), benchmark::Counter::kAvgIterations);
    state.counters["bodies"] = static_cast<double>(count);
}

void LayerUpdate(benchmark::State& state)
{
    Run(state, false);
}

void LayerUpdateWithStatics(benchmark::State& state)
{
    Run(state, true);
}

BENCHMARK(LayerUpdate)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
BENCHMARK(LayerUpdateWithStatics)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Complexity(benchmark::oN);
} // namespace
