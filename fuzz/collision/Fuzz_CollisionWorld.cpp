// The collision world's stream: layers, grids, dynamic and static objects and tile maps. The seed
// is a world of two layers saved by the engine itself.
#include "fuzz/Fuzz_Target.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"
#include "core/Core_File.h"

#include <string>

namespace
{
using namespace Collision2D;
using Math::Vector2D;

bool Read(const u8* data, std::size_t size)
{
    MaximumInterpolationValue = DefaultMaximumInterpolationValue;
    Core::MemoryFile file(data, static_cast<u32>(size));
    CollisionEngine engine;
    const bool loaded = engine.Load(file);
    if (loaded)
        engine.Update(0.016f);
    MaximumInterpolationValue = DefaultMaximumInterpolationValue;
    return loaded;
}

void AddBody(CollisionEngine& engine, const CollisionActor& actor, u8 layer, const Vector2D& from, const Vector2D& to)
{
    auto* body = new DynamicObject();
    body->AddCollisionData(&actor, 0, 0);
    body->SetCollisionType(1);
    body->SetCanCollid(0, true);
    body->SetOldPosition(from);
    body->SetPosition(from);
    body->SetUpdateOnIdle(true);
    const u32 id = engine.AddObject(body, layer, from);
    engine.SetDynamicObjectPosition(id, to);
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    CollisionActor ball;
    CollisionFrame& round = ball.AddCollisionAnimation().AddCollisionFrame();
    round.SetBoundingRectangle(VelRect(5, -5, 5, -5), true);
    round.AddCircle({0.0f, 0.0f}, 5.0f, 11, true);
    CollisionActor wall;
    CollisionFrame& flat = wall.AddCollisionAnimation().AddCollisionFrame();
    flat.SetBoundingRectangle(VelRect(6, -1, 1, -6), true);
    flat.AddLineSegment({0, 5}, {0, -5}, 21, true);

    const std::string mapText = "X: 10\nY: 10\nDim: 20\nTile Count: 1\n\nTile 0\nNum: 1\nDurations: 1.0\n"
                                "ImageValues: 1\nId: 3\n\nUsed Cells: 2\n(4,3,0)\n(5,3,0)\n";
    const Fuzz::TemporaryFile mapFile(".map.txt", reinterpret_cast<const u8*>(mapText.data()), mapText.size());

    CollisionEngine engine;
    engine.AddLayer();
    engine.AddLayer();
    engine.InitializeLayerGrid(1, {-100, -100}, 500, 300, 60);
    for (u8 layer = 0; layer < 2; ++layer)
    {
        AddBody(engine, ball, layer, {100, 100}, {140, 100});
        AddBody(engine, ball, layer, {150, 100}, {150, 100});
        AddBody(engine, wall, layer, {300, 100}, {250, 110});
        engine.AddObject(new StaticCollisionCircle({{160, 120}, 15}), layer, {0, 0});
        engine.AddObject(new StaticCollisionLineSegment({{90, 0}, {90, 300}}), layer, {0, 0});
        auto* map = new TileMap();
        if (map->ReadInformation(mapFile.Path()))
            engine.AddObject(map, layer, {20, 30});
        else
            delete map;
    }
    engine.Update(0.016f);

    Core::MemoryFile file;
    engine.Save(file);
    seeds.emplace_back("two-layers", Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize()));
    MaximumInterpolationValue = DefaultMaximumInterpolationValue;
}

const Fuzz::Registration registration("CollisionWorld", Read, WriteSeeds);
}  // namespace
