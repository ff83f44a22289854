#include "Collision_TestBodies.h"
#include "Collision_TileMapFiles.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"
#include "core/Core_File.h"

#include <gtest/gtest.h>

#include <cstring>

// The collision world through a stream: saved, read back and saved again, and hostile streams.
namespace
{
using namespace CollisionTest;
using namespace Collision2D;

class WorldStream : public ::testing::Test
{
protected:
    WorldStream()
    {
        AddCircleFrame(ball, 5.0f);
        AddSegmentFrame(wall, {0, 5}, {0, -5});
    }

    void AddBody(CollisionEngine& engine, const CollisionActor& actor, u8 layer, const Vector2D& from,
                 const Vector2D& to)
    {
        DynamicObject* body = MakeBody(actor, from).release();
        body->SetUpdateOnIdle(true);
        body->SetCanCollid(9, true);
        body->SetCollisionThickness(0.25f);
        const u32 id = engine.AddObject(body, layer, from);
        engine.SetDynamicObjectPosition(id, to);
    }

    // Two layers of bodies in contact, statics, a tile map and emptied slots of every kind.
    void BuildWorld(CollisionEngine& engine)
    {
        engine.AddLayer();
        engine.AddLayer();
        engine.InitializeLayerGrid(1, {-100, -100}, 500, 300, 60);
        for (u8 layer = 0; layer < 2; ++layer)
        {
            AddBody(engine, ball, layer, {100, 100}, {140, 100});
            AddBody(engine, ball, layer, {150, 100}, {150, 100});
            AddBody(engine, wall, layer, {300, 100}, {250, 110});
            AddBody(engine, ball, layer, {120, 140}, {121, 140});
            AddBody(engine, wall, layer, {240, 100}, {240, 100});
            auto* circle = new StaticCollisionCircle({{160, 120}, 15});
            circle->SetUserId(40 + layer);
            circle->SetZCollision(9);
            engine.AddObject(circle, layer, {0, 0});
            const u32 doomed = engine.AddObject(new StaticCollisionCircle({{10, 10}, 1}), layer, {0, 0});
            engine.AddObject(new StaticCollisionLineSegment({{90, 0}, {90, 300}}), layer, {0, 0});
            // Cells of 20 units from (20, 30): the bodies' row is row 3.
            const MapFile text(MapText(10, 10, 20, {StillTile(3), {{"0.01", "1"}, {4, 5}, {6, 7}}},
                                       {{4, 3, 0}, {5, 3, 1}, {6, 3, 0}, {7, 3, 1}, {9, 9, 1}}));
            auto* map = new TileMap();
            ASSERT_TRUE(map->ReadInformation(text.Path()));
            map->SetBoundingRectangle(VelRect(200, 0, 200, 0));
            map->SetZCollision(9);
            engine.AddObject(map, layer, {20, 30});
            const u32 doomedMap = engine.AddObject(new TileMap(), layer, {0, 0});
            engine.RemoveObject(doomed);
            engine.RemoveObject(doomedMap);
            engine.RemoveObject(MakeObjectId(DynamicObjectBase + 4, layer, 0));
        }
        engine.Update(0.016f);
        Collision2D::MaximumInterpolationValue = 17;
    }

    static void ExpectSameBytes(const Core::MemoryFile& a, const Core::MemoryFile& b)
    {
        ASSERT_EQ(a.GetSize(), b.GetSize());
        EXPECT_EQ(0, std::memcmp(a.GetData(), b.GetData(), a.GetSize()));
    }

    InterpolationGuard guard;
    CollisionActor ball;
    CollisionActor wall;
};

TEST_F(WorldStream, SaveLoadSaveIsByteEqual)
{
    CollisionEngine engine;
    BuildWorld(engine);
    ASSERT_TRUE(engine.ObjectInCollision(MakeObjectId(DynamicObjectBase + 1, 0, 0)));
    Core::MemoryFile first;
    engine.Save(first);
    const u32 circleCounter = StaticCollisionCircle::GetNextId();

    // Another world in between changes every global counter.
    engine.RemoveAllLayers();
    Collision2D::MaximumInterpolationValue = 20;
    CollisionEngine other;
    other.AddLayer();
    other.AddObject(new StaticCollisionCircle(), 0, {0, 0});

    CollisionEngine loaded;
    Core::MemoryFile reader(first.GetData(), first.GetSize());
    ASSERT_TRUE(loaded.Load(reader));
    EXPECT_EQ(reader.GetRemaining(), 0u);
    EXPECT_EQ(Collision2D::MaximumInterpolationValue, 17);
    EXPECT_EQ(StaticCollisionCircle::GetNextId(), circleCounter);
    EXPECT_EQ(CollisionLayer::GetLayerNumberCounter(), 2);
    ASSERT_EQ(loaded.GetLayerCount(), 2u);
    EXPECT_TRUE(loaded.ObjectInCollision(MakeObjectId(DynamicObjectBase + 1, 1, 0)));
    EXPECT_EQ(loaded.GetDynamicObject(MakeObjectId(DynamicObjectBase + 4, 0, 0)), nullptr);
    EXPECT_EQ(loaded.GetLayer(1)->GetGrid().GetCellSize(), 60.0f);
    const TileMap& map = *loaded.GetLayer(0)->GetTileMap(1);
    EXPECT_EQ(map.GetCell(5, 3)->Id(), 7) << "the used cells have their tiles again";
    EXPECT_GE(loaded.GetResults(MakeObjectId(DynamicObjectBase + 1, 0, 0))->currentTMAPNumber, 1);

    Core::MemoryFile second;
    loaded.Save(second);
    ExpectSameBytes(first, second);

    // A freed slot read back is used again first.
    std::unique_ptr<DynamicObject> body = MakeBody(ball, {0, 0});
    EXPECT_EQ(loaded.AddObject(body.release(), 0, {0, 0}), MakeObjectId(DynamicObjectBase + 4, 0, 0));
}

TEST_F(WorldStream, LoadedWorldRunsOnceItsBodiesAreBoundAgain)
{
    CollisionEngine engine;
    BuildWorld(engine);
    Core::MemoryFile saved;
    engine.Save(saved);
    CollisionEngine loaded;
    Core::MemoryFile reader(saved.GetData(), saved.GetSize());
    ASSERT_TRUE(loaded.Load(reader));
    // Without collision data a body takes no part.
    loaded.Update(0.016f);
    const u32 first = MakeObjectId(DynamicObjectBase + 1, 0, 0);
    EXPECT_EQ(loaded.GetDynamicObject(first)->GetCurrentCollisionFrame(), nullptr);
    for (u32 slot = 1; slot <= 5; ++slot)
    {
        if (DynamicObject* body = loaded.GetDynamicObject(MakeObjectId(DynamicObjectBase + slot, 0, 0)))
            body->AddCollisionData(slot == 3 || slot == 5 ? &wall : &ball, 0, 0);
    }
    loaded.SetDynamicObjectPosition(first, {148, 100});
    loaded.Update(0.016f);
    EXPECT_TRUE(loaded.ObjectInCollision(first));
}

TEST_F(WorldStream, TruncatedStreamsFailAndLeaveNoLayers)
{
    CollisionEngine engine;
    BuildWorld(engine);
    Core::MemoryFile saved;
    engine.Save(saved);
    Collision2D::MaximumInterpolationValue = 5;
    for (u32 size = 0; size < saved.GetSize(); size += 97)
    {
        CollisionEngine loaded;
        Core::MemoryFile reader(saved.GetData(), size);
        EXPECT_FALSE(loaded.Load(reader)) << size;
        EXPECT_TRUE(reader.Failed());
        EXPECT_EQ(loaded.GetLayerCount(), 0u);
        EXPECT_EQ(Collision2D::MaximumInterpolationValue, 5) << "the saved cap of 17 is not taken";
    }
}

// A saved layer with one field replaced.
Core::MemoryFile Patched(const Core::MemoryFile& source, u32 offset, const void* value, u32 size)
{
    Core::MemoryFile copy(source.GetData(), source.GetSize());
    std::memcpy(const_cast<u8*>(copy.GetData()) + offset, value, size);
    return Core::MemoryFile(copy.GetData(), copy.GetSize());
}

TEST_F(WorldStream, ImpossibleCountsSlotsAndNumbersAreRejected)
{
    CollisionEngine engine;
    engine.AddLayer();
    engine.AddLayer();
    const u32 doomed = engine.AddObject(MakeBody(ball, {0, 0}).release(), 1, {0, 0});
    engine.AddObject(MakeBody(ball, {20, 0}).release(), 1, {20, 0});
    engine.RemoveObject(doomed);
    Core::MemoryFile saved;
    engine.Save(saved);

    // Layer 0 is empty: count, four empty free lists, four arrays of (capacity, count 1), the
    // numbers, the rectangle, the vector and a 6 × 4 grid.
    const u32 layer0 = 4;
    const u32 gridBytes = 28 + 24 * (24 + 64);
    const u32 layer1 = layer0 + 16 + 32 + 2 + 16 + 8 + gridBytes;
    const u32 freeSlot = layer1 + 4;       // the dynamic free list holds slot 1
    const u32 dynamicCount = layer1 + 4 + 4 + 12 + 4;
    // The record of slot 2: kind, animation, frame, sub-step cap, then its slot.
    const u32 recordSlot = dynamicCount + 4 + 16;
    struct Case
    {
        u32 offset;
        u32 value;
        u32 size;
    };
    const u32 layerNumberOffset = layer0 + 16 + 32 + 1;
    for (const Case& bad : {Case{0, 0x40000000u, 4}, Case{freeSlot, 0, 4}, Case{freeSlot, 3, 4},
                            Case{layer1, 5, 4}, Case{dynamicCount, 0, 4}, Case{dynamicCount, 30, 4},
                            Case{dynamicCount - 4, 2, 4}, Case{dynamicCount - 4, 0x10000000u, 4},
                            Case{recordSlot, 7, 4}, Case{layerNumberOffset, 1, 1}, Case{layer0 + 16, 0xFFFFFFFFu, 4}})
    {
        Core::MemoryFile reader = Patched(saved, bad.offset, &bad.value, bad.size);
        CollisionEngine loaded;
        EXPECT_FALSE(loaded.Load(reader)) << bad.offset << " " << bad.value;
        EXPECT_EQ(loaded.GetLayerCount(), 0u);
    }
    Core::MemoryFile reader(saved.GetData(), saved.GetSize());
    CollisionEngine loaded;
    EXPECT_TRUE(loaded.Load(reader)) << "the unpatched stream is sound";
}
} // namespace
