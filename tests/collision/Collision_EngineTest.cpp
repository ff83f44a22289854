#include "Collision_TestBodies.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"

#include <gtest/gtest.h>

// Object ids and the engine's id-based operations.
namespace
{
using namespace CollisionTest;
using namespace Collision2D;

class EngineTest : public ::testing::Test
{
protected:
    EngineTest() { AddCircleFrame(ball, 5.0f); }

    u32 AddBall(u8 layer, const Vector2D& position)
    {
        std::unique_ptr<DynamicObject> body = MakeBody(ball, position);
        const u32 id = engine.AddObject(body.get(), layer, position);
        if (id)
            body.release();
        return id;
    }

    InterpolationGuard guard;
    CollisionEngine engine;
    CollisionActor ball;
};

TEST_F(EngineTest, LayerGridCellsAreAtLeastFiftyUnits)
{
    EXPECT_EQ(engine.AddLayer(), 0);
    engine.InitializeLayerGrid(0, {0, 0}, 640, 480, 30);
    EXPECT_EQ(engine.GetLayer(0)->GetGrid().GetCellSize(), 50.0f);
    EXPECT_EQ(engine.GetLayer(0)->GetGrid().GetColumns(), 13);
    EXPECT_EQ(engine.GetLayer(0)->GetGrid().GetRows(), 10);
    engine.InitializeLayerGrid(0, {0, 0}, 640, 480, 100);
    EXPECT_EQ(engine.GetLayer(0)->GetGrid().GetColumns(), 7);
    EXPECT_EQ(engine.GetLayer(0)->GetGrid().GetRows(), 5);
    engine.InitializeLayerGrid(1, {0, 0}, 640, 480, 100);
}

TEST_F(EngineTest, IdsOfTheFirstObjects)
{
    engine.AddLayer();
    engine.AddLayer();
    EXPECT_EQ(AddBall(0, {0, 0}), 9536u);
    EXPECT_EQ(AddBall(2, {0, 0}), 0u) << "no layer 2";
    auto* circle = new StaticCollisionCircle({{0, 0}, 1});
    circle->SetZCollision(3);
    EXPECT_EQ(engine.AddObject(circle, 1, {0, 0}), 1u << 24 | 3u << 16 | 536u);
    EXPECT_EQ(circle->GetId(), 1u);
    EXPECT_EQ(engine.GetObject(1u << 24 | 536u), circle) << "the z field is not used to find objects";

    const SplitId split = SplitObjectId(1u << 24 | 3u << 16 | 536u);
    EXPECT_EQ(split.kind, KindStaticCircle);
    EXPECT_EQ(split.slot, 1u);
    EXPECT_EQ(split.layer, 1);
    EXPECT_EQ(split.z, 3);
    EXPECT_EQ(SplitObjectId(7000).kind, KindFour);
    EXPECT_EQ(SplitObjectId(534).kind, KindUnset);
}

TEST_F(EngineTest, IdsThatNameNothingFindNothing)
{
    engine.AddLayer();
    const u32 id = AddBall(0, {0, 0});
    EXPECT_NE(engine.GetResults(id), nullptr);
    for (u32 bad : {9535u, 9537u, 0x7F000000u | 9536u, 0u, 600u, 7000u, 8536u, 3536u, 6535u, 7535u, 7536u})
    {
        EXPECT_EQ(engine.GetResults(bad), nullptr) << bad;
        EXPECT_FALSE(engine.ObjectInCollision(bad));
        EXPECT_EQ(engine.GetObject(bad), nullptr);
        engine.SetDynamicObjectPosition(bad, {1, 1});
        engine.SetDynamicObjectOrientation(bad, 5);
        engine.SetObjectBoundingRectangle(bad, VelRect(1, 2, 3, 4));
        EXPECT_EQ(engine.GetObjectBoundingRectangle(bad), VelRect());
        engine.RemoveObject(bad);
        // Kinds without objects come back as ids of the layer, storing nothing.
        EXPECT_EQ(engine.CloneObject(bad, {0, 0}, nullptr), bad == 7000u || bad == 7536u ? bad : 0u) << bad;
    }
    EXPECT_NE(engine.GetResults(id), nullptr);
}

TEST_F(EngineTest, ZCollisionOfEachKind)
{
    engine.AddLayer();
    const u32 body = AddBall(0, {0, 0});
    const u32 circle = engine.AddObject(new StaticCollisionCircle({{0, 0}, 1}), 0, {0, 0});
    const u32 renamed = engine.SetObjectZCollision(body, 255);
    EXPECT_EQ(engine.GetDynamicObject(body)->GetZCollision(), 254);
    EXPECT_EQ(renamed, MakeObjectId(9536, 0, 254));
    EXPECT_EQ(engine.SetObjectZCollision(circle, 255), MakeObjectId(536, 0, 255));
    EXPECT_EQ(static_cast<StaticCollisionCircle*>(engine.GetObject(circle))->GetZCollision(), 255);
    EXPECT_EQ(engine.SetObjectZCollision(300, 4), 300u);
    EXPECT_EQ(engine.SetObjectZCollision(0, 4), 0u);
    EXPECT_EQ(engine.SetObjectZCollision(9535, 4), 0u);
    EXPECT_EQ((engine.SetObjectZCollision(body, 7) >> 16) & 0xFF, 7u);
}

TEST_F(EngineTest, PoseSettersReachTheObject)
{
    engine.AddLayer();
    const u32 id = AddBall(0, {0, 0});
    engine.SetDynamicObjectOffset(id, {1, 1});
    engine.SetDynamicObjectPosition(id, {10, 20});
    engine.SetDynamicObjectOldPosition(id, {4, 4});
    engine.SetDynamicObjectOrientation(id, 30);
    engine.SetDynamicObjectOldOrientation(id, 10);
    const DynamicObject& body = *engine.GetDynamicObject(id);
    EXPECT_EQ(body.GetPosition(), Vector2D(9, 19));
    EXPECT_EQ(body.GetOldPosition(), Vector2D(3, 3));
    EXPECT_EQ(body.GetOrientation(), 30.0f);
    EXPECT_EQ(body.GetOldOrientation(), 10.0f);
    engine.Update(0.016f);
    EXPECT_EQ(engine.GetCurrentObjectBoundingRectangle(id), body.GetCurrentWorldRectangle());
    EXPECT_EQ(engine.GetObjectBoundingRectangle(id), VelRect(5, -5, 5, -5));
}

TEST_F(EngineTest, ClonesLiveInTheSourceLayer)
{
    engine.AddLayer();
    const u32 source = AddBall(0, {0, 0});
    int owner = 0;
    const u32 copy = engine.CloneObject(source, {50, 60}, &owner);
    EXPECT_EQ(copy, 9537u);
    DynamicObject* cloned = engine.GetDynamicObject(copy);
    ASSERT_NE(cloned, nullptr);
    EXPECT_EQ(cloned->GetSlot(), 2);
    EXPECT_EQ(cloned->GetPosition(), Vector2D(50, 60));
    EXPECT_EQ(cloned->GetUserData(), &owner);

    auto* circle = new StaticCollisionCircle({{5, 6}, 7});
    circle->SetUserId(99);
    const u32 circleId = engine.AddObject(circle, 0, {0, 0});
    const u32 circleCopy = engine.CloneObject(circleId, {0, 0}, nullptr);
    auto* clonedCircle = static_cast<StaticCollisionCircle*>(engine.GetObject(circleCopy));
    ASSERT_NE(clonedCircle, nullptr);
    EXPECT_EQ(clonedCircle->GetId(), 2u);
    EXPECT_EQ(clonedCircle->GetUserId(), 99u);
    engine.RemoveObject(circleId);
    EXPECT_EQ(clonedCircle->GetCircle().radius, 7.0f);

    auto* map = new TileMap();
    const u32 mapId = engine.AddObject(map, 0, {3, 4});
    EXPECT_EQ(mapId, 8536u);
    const u32 mapCopy = engine.CloneObject(mapId, {8, 9}, &owner);
    ASSERT_NE(engine.GetObject(mapCopy), nullptr);
    EXPECT_EQ(static_cast<TileMap*>(engine.GetObject(mapCopy))->GetPosition(), Vector2D(8, 9));
    EXPECT_EQ(engine.CloneObject(300, {0, 0}, nullptr), 300u);
    EXPECT_EQ(engine.GetLayer(0)->GetDynamicObjects().count, 3);
}

TEST_F(EngineTest, RemoveAllLayersRestartsTheNumbering)
{
    engine.AddLayer();
    engine.AddLayer();
    engine.AddObject(new StaticCollisionCircle(), 1, {0, 0});
    engine.AddObject(new TileMap(), 1, {0, 0});
    engine.RemoveAllLayers();
    EXPECT_EQ(engine.GetLayerCount(), 0u);
    EXPECT_EQ(engine.AddLayer(), 0);
    EXPECT_EQ(engine.GetLayer(0)->GetLayerNumber(), 0);
    auto* circle = new StaticCollisionCircle();
    EXPECT_EQ(circle->GetId(), 1u);
    engine.AddObject(circle, 0, {0, 0});
    EXPECT_EQ(TileMap().GetIdNumber(), 1u);
}

TEST_F(EngineTest, ResultsAreQueriedById)
{
    engine.AddLayer();
    const u32 a = AddBall(0, {100, 100});
    const u32 b = AddBall(0, {130, 100});
    engine.SetDynamicObjectPosition(a, {125, 100});
    engine.Update(0.016f);
    ASSERT_TRUE(engine.ObjectInCollision(a));
    ASSERT_TRUE(engine.ObjectInCollision(b));
    const CollisionResults* results = engine.GetResults(b);
    ASSERT_EQ(results->currentDGEONumber, 1);
    EXPECT_EQ(results->geometries[0].id, a);
    EXPECT_EQ(engine.GetResults(a)->geometries[0].id, b);
    engine.RemoveObject(b);
    EXPECT_EQ(engine.GetResults(b), nullptr);
}
} // namespace
