#include "tests/support/Support_ScriptFolder.h"
#include "tests/support/Support_ScriptTest.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"
#include "script/Lua_Stack.h"
#include "tests/collision/Collision_TileMapFiles.h"

#include <cstdio>
#include <fstream>
#include <memory>

namespace
{
using namespace Collision2D;

const DynamicObject* watchedBody = nullptr;

int NativeZ(lua_State* state)
{
    lua_pushnumber(state, watchedBody->GetZCollision());
    return 1;
}

int NativePose(lua_State* state)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g %g %g", watchedBody->GetPosition().x, watchedBody->GetPosition().y,
                  watchedBody->GetOrientation());
    lua_pushstring(state, text);
    return 1;
}

int NativeBound(lua_State* state)
{
    lua_pushboolean(state, watchedBody->GetCollisionActor() != nullptr);
    return 1;
}

TEST_F(ScriptTest, ScriptsDriveTheCollisionEngineItsObjectsShapesAndTileMaps)
{
    CollisionEngine engine;
    engine.AddLayer();
    engine.InitializeLayerGrid(0, {0, 0}, 640, 480, 100);
    CollisionActor actor;
    CollisionFrame& frame = actor.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(6, -6, 10, -6), true);
    frame.AddLineSegment({0, 0}, {8, 0}, 21, true);
    frame.AddCircle({0, 0}, 4, 11, true);
    frame.AddHotSpot({2, 3}, true);

    auto* body = new DynamicObject();
    body->AddCollisionData(&actor, 0, 0);
    body->SetCanCollid(0, true);
    body->SetOldPosition({5, 5});
    body->SetPosition({5, 5});
    const u32 bodyId = engine.AddObject(body, 0, {5, 5});
    auto* circle = new StaticCollisionCircle({{50, 50}, 3});
    const u32 circleId = engine.AddObject(circle, 0, {50, 50});
    auto* segment = new StaticCollisionLineSegment({{0, 100}, {100, 100}});
    engine.AddObject(segment, 0, {0, 100});
    engine.Update(1.0f / 60);
    watchedBody = body;

    ScriptFolder folder;
    const std::string mapPath = folder.Directory().c_str() + std::string("/map.txt");
    std::ofstream(mapPath) << CollisionTest::MapText(4, 3, 10, {{{"1"}, {3}, {6}}}, {{1, 1, 0}, {2, 1, 0}});
    TileMap map;
    TileMap nativeMap;
    ASSERT_TRUE(nativeMap.ReadInformation(mapPath.c_str()));
    nativeMap.SetPosition({100, 0});

    Lua::PushObject(master, &engine);
    SetGlobalFromTop("engine");
    Lua::PushObject(master, body);
    SetGlobalFromTop("body");
    Lua::PushObject(master, &actor);
    SetGlobalFromTop("actor");
    Lua::PushObject(master, circle);
    SetGlobalFromTop("circle");
    Lua::PushObject(master, segment);
    SetGlobalFromTop("segment");
    Lua::PushObject(master, &map);
    SetGlobalFromTop("map");
    lua_pushstring(master, mapPath.c_str());
    SetGlobalFromTop("mapPath");
    lua_register(master, "expected_z", &NativeZ);
    lua_register(master, "expected_pose", &NativePose);
    lua_register(master, "expected_bound", &NativeBound);
    SetGlobalNumber("bodyId", bodyId);
    SetGlobalNumber("circleId", circleId);
    lua_pushboolean(master, engine.ObjectInCollision(bodyId));
    SetGlobalFromTop("expected_in_collision");
    SetGlobalNumber("expected_z_id", static_cast<i32>(engine.SetObjectZCollision(circleId, 44)));
    SetGlobalNumber("expected_segment_slots", engine.GetLayer(0)->GetLineSegmentsNumber());
    SetGlobalNumber("expected_circle_slots", engine.GetLayer(0)->GetCirclesNumber());
    SetGlobalNumber("expected_world_b_x", body->GetCurrentLineSegments()[0].GetPointB().x);
    SetGlobalNumber("expected_world_hot_x", body->GetCurrentHotSpots()[0].x);
    SetGlobalNumber("expected_top", engine.GetObjectBoundingRectangle(bodyId).top);
    SetGlobalNumber("expected_current_right", engine.GetCurrentObjectBoundingRectangle(bodyId).right);
    SetGlobalNumber("expected_circle_id", circle->GetId());
    SetGlobalNumber("expected_segment_id", segment->GetId());
    SetGlobalNumber("expected_tile_index", nativeMap.GetCell(1, 1)->myTileIndex);
    SetGlobalNumber("expected_direction", 2);
    SetGlobalNumber("expected_cell_id", static_cast<u8>(nativeMap.GetCollidedCellId({105, 15}, 2)));

    EXPECT_EQ(RunFile("Collision_Objects.lua"), "");
    EXPECT_EQ(circle->GetCircle().GetRadius(), 9);
    EXPECT_EQ(body->GetCollisionThickness(), 1.5f);
}

TEST_F(ScriptTest, ScriptsBuildCollisionDataAndReadALayersStaticShapes)
{
    CollisionFrame frame;
    CollisionFrame copiedFrame;
    CollisionAnimation animation;
    CollisionActor actor;
    VelRect rectangle(10, -4, 6, -2);
    VelRect other(1, 1, 1, 1);
    CollisionEngine engine;
    engine.AddLayer();
    engine.InitializeLayerGrid(0, {0, 0}, 640, 480, 100);
    const u32 firstCircle = engine.AddObject(new StaticCollisionCircle({{50, 50}, 3}), 0, {50, 50});
    auto* circle = new StaticCollisionCircle({{150, 50}, 4});
    engine.AddObject(circle, 0, {150, 50});
    auto* segment = new StaticCollisionLineSegment({{0, 100}, {100, 100}});
    engine.AddObject(segment, 0, {0, 100});
    engine.RemoveObject(firstCircle);
    CollisionLayer bare{CollisionLayer::StreamConstruction()};

    Lua::PushObject(master, &frame);
    SetGlobalFromTop("frame");
    Lua::PushObject(master, &copiedFrame);
    SetGlobalFromTop("copiedFrame");
    Lua::PushObject(master, &animation);
    SetGlobalFromTop("animation");
    Lua::PushObject(master, &actor);
    SetGlobalFromTop("actor");
    Lua::PushObject(master, &rectangle);
    SetGlobalFromTop("rectangle");
    Lua::PushObject(master, &other);
    SetGlobalFromTop("other");
    Lua::PushObject(master, engine.GetLayer(0));
    SetGlobalFromTop("layer");
    Lua::PushObject(master, &bare);
    SetGlobalFromTop("bare");
    SetGlobalNumber("expected_circle_id", circle->GetId());
    SetGlobalNumber("expected_segment_id", segment->GetId());

    EXPECT_EQ(RunFile("Collision_ActorData.lua"), "");

    ASSERT_EQ(frame.lineSegments.size(), 1u);
    const DynamicCollisionLineSegment& addedSegment = frame.lineSegments.front();
    EXPECT_EQ(addedSegment.userId, 0xFFFFFFFFu);
    EXPECT_EQ(addedSegment.variants[HFlip].GetPointA(), Math::Point2D(-3, 4));
    EXPECT_EQ(addedSegment.variants[VFlip].GetPointB(), Math::Point2D(1, -2));
    ASSERT_EQ(frame.circles.size(), 1u);
    EXPECT_EQ(frame.circles.front().userId, 1u) << "a 64-bit truncation kept in 32 bits";
    EXPECT_EQ(frame.circles.front().variants[HVFlip].GetCenter(), Math::Point2D(1, 2)) << "copied, not mirrored";
    EXPECT_EQ(frame.circles.front().variants[NoFlip].GetRadius(), 2.5f);
    ASSERT_EQ(frame.hotSpots.size(), 1u);
    EXPECT_EQ(frame.hotSpots.front().variants[HFlip], Math::Point2D(-3, 4));
    EXPECT_EQ(frame.boundingRectangles[HVFlip], VelRect(2, -6, 4, -10));
    EXPECT_EQ(frame.boundingRectangles[HFlip], VelRect(10, -6, 4, -2));
    EXPECT_EQ(frame.boundingRectangles[VFlip], VelRect(2, -4, 6, -10));
    for (const VelRect& copied : copiedFrame.boundingRectangles)
        EXPECT_EQ(copied, rectangle);

    ASSERT_EQ(actor.animations.size(), 1u);
    const CollisionFrame* built = actor.GetFrame(0, 0);
    ASSERT_NE(built, nullptr);
    EXPECT_EQ(actor.GetFrame(0, 1), nullptr);
    EXPECT_EQ(built->lineSegments.size(), 1u);
    EXPECT_EQ(built->circles.size(), 1u);
    EXPECT_EQ(built->boundingRectangles[HFlip], frame.boundingRectangles[HFlip]);
}
} // namespace
