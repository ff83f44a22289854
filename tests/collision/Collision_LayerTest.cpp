#include "Collision_TestBodies.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

// A collision layer: its slots, its grid and the per-frame update.
namespace
{
using namespace CollisionTest;
using namespace Collision2D;

class LayerTest : public ::testing::Test
{
protected:
    LayerTest()
    {
        engine.AddLayer();
        AddCircleFrame(ball, 5.0f);
        AddBoxFrame(box, 60.0f, 60.0f);
        AddSegmentFrame(wall, {0, -5}, {0, 5});
    }

    CollisionLayer& Layer() { return *engine.GetLayer(0); }

    // A body added to layer 0, at rest at the position.
    DynamicObject& Add(const CollisionActor& actor, const Vector2D& position, u8 type = 1)
    {
        DynamicObject* body = MakeBody(actor, position, type).release();
        ids.push_back(engine.AddObject(body, 0, position));
        return *body;
    }

    static bool Listed(const SlotList& list, u32 slot)
    {
        return std::find(list.Slots().begin(), list.Slots().end(), slot) != list.Slots().end();
    }

    InterpolationGuard guard;
    CollisionEngine engine;
    CollisionActor ball;
    CollisionActor box;
    CollisionActor wall;
    std::vector<u32> ids;
};

TEST_F(LayerTest, DynamicSlotsGrowAndAreReusedFirstFreedFirst)
{
    for (int i = 0; i < 24; ++i)
        Add(ball, {0, 0});
    EXPECT_EQ(Layer().GetDynamicObjects().count, 25);
    EXPECT_EQ(Layer().GetDynamicObjects().capacity, 50);
    engine.RemoveObject(ids[2]);
    engine.RemoveObject(ids[0]);
    engine.RemoveObject(ids[0]);
    EXPECT_EQ(Layer().GetDynamicObject(1), nullptr);
    EXPECT_EQ(Add(ball, {0, 0}).GetSlot(), 3);
    EXPECT_EQ(Add(ball, {0, 0}).GetSlot(), 1);
    EXPECT_EQ(Add(ball, {0, 0}).GetSlot(), 25);
}

TEST_F(LayerTest, PointsOutsideTheGridFallIntoItsBorderCells)
{
    engine.InitializeLayerGrid(0, {100, 50}, 600, 300, 100);
    const LayerGrid& grid = Layer().GetGrid();
    i32 column = -1;
    i32 row = -1;
    grid.CellOf({90, 60}, column, row);
    EXPECT_EQ(column, 0);
    grid.CellOf({100 + 7 * 100 + 5, -1e30f}, column, row);
    EXPECT_EQ(column, grid.GetColumns() - 1);
    EXPECT_EQ(row, 0);
    grid.CellOf({std::nanf(""), 1e30f}, column, row);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, grid.GetRows() - 1);
}

TEST_F(LayerTest, PairSharingFourCellsIsRecordedOnceByTheLowerSlot)
{
    DynamicObject& low = Add(box, {100, 100}, 0);
    DynamicObject& high = Add(box, {110, 100}, 0);
    MoveTo(low, {101, 100}, 0);
    MoveTo(high, {111, 100}, 0);
    engine.Update(0.016f);
    EXPECT_EQ(low.GetCandidates().size(), 1u);
    EXPECT_EQ(low.GetCandidates()[0], 2u);
    EXPECT_TRUE(high.GetCandidates().empty());
    EXPECT_EQ(low.GetResults()->currentBRECTNumber, 1);
    EXPECT_EQ(high.GetResults()->currentBRECTNumber, 1);
    EXPECT_EQ(low.GetOldPosition(), Vector2D(101, 100)) << "the pose is committed";
}

TEST_F(LayerTest, StillPairIsOwnedByTheObjectWithUpdateOnIdle)
{
    DynamicObject& low = Add(box, {100, 100}, 0);
    DynamicObject& high = Add(box, {110, 100}, 0);
    engine.Update(0.016f);
    EXPECT_TRUE(low.GetCandidates().empty());
    EXPECT_TRUE(high.GetCandidates().empty());
    high.SetUpdateOnIdle(true);
    engine.Update(0.016f);
    EXPECT_TRUE(low.GetCandidates().empty());
    ASSERT_EQ(high.GetCandidates().size(), 1u);
    EXPECT_EQ(high.GetCandidates()[0], 1u);
    EXPECT_TRUE(engine.ObjectInCollision(ids[0]));
}

TEST_F(LayerTest, OnlyTheLowerSlotsSwitchIsConsulted)
{
    DynamicObject& low = Add(box, {100, 100}, 0);
    DynamicObject& high = Add(box, {110, 100}, 0);
    high.SetZCollision(3);
    high.SetCanCollid(0, true);
    MoveTo(high, {111, 100}, 0);
    engine.Update(0.016f);
    EXPECT_TRUE(high.GetCandidates().empty());
    EXPECT_FALSE(engine.ObjectInCollision(ids[1]));
    low.SetCanCollid(3, true);
    MoveTo(high, {112, 100}, 0);
    engine.Update(0.016f);
    EXPECT_TRUE(engine.ObjectInCollision(ids[1]));
}

TEST_F(LayerTest, GeometryBodyMeetsRectangleBodyByRectangles)
{
    DynamicObject& round = Add(ball, {100, 100}, 1);
    Add(box, {150, 100}, 0);
    MoveTo(round, {120, 100}, 0);
    engine.Update(0.016f);
    EXPECT_EQ(round.GetResults()->currentBRECTNumber, 1);
    EXPECT_EQ(round.GetResults()->currentDGEONumber, 0);
}

TEST_F(LayerTest, MovingBodiesMeetThroughTheUpdate)
{
    DynamicObject& a = Add(ball, {100, 100});
    DynamicObject& b = Add(ball, {200, 100});
    MoveTo(a, {190, 100}, 0);
    engine.Update(0.016f);
    ASSERT_EQ(a.GetResults()->currentDGEONumber, 1);
    EXPECT_NEAR(a.GetResults()->geometries[0].contactPosition.x, 190.0f, 1e-3f) << "just touching at the end";
    EXPECT_EQ(engine.GetResults(ids[1]), b.GetResults());
    EXPECT_EQ(b.GetResults()->geometries[0].id, ids[0]);
    // The next frame starts from the committed pose, at rest.
    engine.Update(0.016f);
    EXPECT_FALSE(a.IsMoved());
    EXPECT_FALSE(engine.ObjectInCollision(ids[0]));
}

TEST_F(LayerTest, BodyWithoutFrameTakesNoPart)
{
    DynamicObject& a = Add(ball, {100, 100});
    DynamicObject& b = Add(ball, {105, 100});
    b.SetCurrentCollisionFrame(4, 0, false, false);
    MoveTo(a, {110, 100}, 0);
    engine.Update(0.016f);
    EXPECT_FALSE(engine.ObjectInCollision(ids[0]));
    EXPECT_EQ(b.GetOldPosition(), Vector2D(105, 100));
}

TEST_F(LayerTest, StaticShapesAreRegisteredInTheCellsTheyMeet)
{
    // A segment crossing cell (1, 0) without an end point in it, and one inside cell (3, 2).
    auto* crossing = new StaticCollisionLineSegment({{50, 20}, {250, 80}});
    const u32 crossingId = engine.AddObject(crossing, 0, {0, 0});
    auto* inside = new StaticCollisionLineSegment({{310, 210}, {390, 290}});
    engine.AddObject(inside, 0, {0, 0});
    const LayerGrid& grid = Layer().GetGrid();
    EXPECT_TRUE(Listed(grid.Cell(0, 0).staticLineSegments, 1));
    EXPECT_TRUE(Listed(grid.Cell(1, 0).staticLineSegments, 1));
    EXPECT_TRUE(Listed(grid.Cell(2, 0).staticLineSegments, 1));
    EXPECT_FALSE(Listed(grid.Cell(1, 1).staticLineSegments, 1));
    for (i32 column = 0; column < grid.GetColumns(); ++column)
        for (i32 row = 0; row < grid.GetRows(); ++row)
            EXPECT_EQ(Listed(grid.Cell(column, row).staticLineSegments, 2), column == 3 && row == 2);
    EXPECT_EQ(crossingId, MakeObjectId(StaticLineSegmentBase + 1, 0, 0));

    // A circle lists the cells its outline crosses, not those wholly inside it.
    engine.InitializeLayerGrid(0, {0, 0}, 600, 600, 50);
    auto* round = new StaticCollisionCircle({{300, 300}, 120});
    engine.AddObject(round, 0, {0, 0});
    EXPECT_TRUE(Listed(Layer().GetGrid().Cell(8, 6).staticCircles, 1));
    EXPECT_TRUE(Listed(Layer().GetGrid().Cell(6, 8).staticCircles, 1));
    EXPECT_FALSE(Listed(Layer().GetGrid().Cell(6, 6).staticCircles, 1));
}

TEST_F(LayerTest, StaticShapesBeyondTheGridAreMetInItsBorderCells)
{
    // The default grid covers 0..600 × 0..400; the wall stands left of it, the floor below it.
    engine.AddObject(new StaticCollisionLineSegment({{-200, 250}, {-200, 50}}), 0, {0, 0});
    engine.AddObject(new StaticCollisionLineSegment({{-50, -100}, {650, -100}}), 0, {0, 0});
    const LayerGrid& grid = Layer().GetGrid();
    for (i32 row = 0; row < grid.GetRows(); ++row)
        EXPECT_EQ(Listed(grid.Cell(0, row).staticLineSegments, 1), row <= 2) << row;
    EXPECT_FALSE(Listed(grid.Cell(1, 1).staticLineSegments, 1));
    for (i32 column = 0; column < grid.GetColumns(); ++column)
    {
        EXPECT_TRUE(Listed(grid.Cell(column, 0).staticLineSegments, 2)) << column;
        EXPECT_FALSE(Listed(grid.Cell(column, 1).staticLineSegments, 2)) << column;
    }

    // A body running into the floor out there meets it.
    DynamicObject& body = Add(ball, {300, -50});
    engine.SetDynamicObjectPosition(ids.back(), {300, -150});
    engine.Update(0.016f);
    ASSERT_EQ(body.GetResults()->currentLNSNumber, 1);
    EXPECT_NEAR(body.GetResults()->lineSegments[0].contactPosition.y, -95.0f, 1e-3f);
}

TEST_F(LayerTest, StillBodyMeetsStaticsOnlyWithUpdateOnIdle)
{
    auto* segment = new StaticCollisionLineSegment({{100, 50}, {100, 150}});
    segment->SetUserId(17);
    segment->SetZCollision(2);
    engine.AddObject(segment, 0, {0, 0});
    DynamicObject& body = Add(ball, {102, 100});
    body.SetCanCollid(2, true);
    engine.Update(0.016f);
    EXPECT_EQ(body.GetResults()->currentLNSNumber, 0);
    body.SetUpdateOnIdle(true);
    engine.Update(0.016f);
    ASSERT_EQ(body.GetResults()->currentLNSNumber, 1);
    const LNS_C& record = body.GetResults()->lineSegments[0];
    EXPECT_EQ(record.numberOfIntersectedPoints, 2);
    EXPECT_EQ(record.userId, 17u);
    EXPECT_EQ(record.id, MakeObjectId(StaticLineSegmentBase + segment->GetId(), 0, 2));
    EXPECT_EQ(record.normal[0], Vector2D(-1, 0));
    EXPECT_EQ(record.penetrationDistance, 0.0f);
    EXPECT_EQ(record.myCircleUserId[1], 11u);
    body.SetCanCollid(2, false);
    engine.Update(0.016f);
    EXPECT_EQ(body.GetResults()->currentLNSNumber, 0) << "z-level switched off";
}

TEST_F(LayerTest, StaticRecordHoldsAtMostFourPoints)
{
    CollisionActor comb;
    Collision2D::CollisionFrame& frame = comb.AddCollisionAnimation().AddCollisionFrame();
    frame.SetBoundingRectangle(VelRect(10, -30, 30, -10), true);
    for (int i = 0; i < 6; ++i)
        frame.AddLineSegment({f32(i * 10 - 25), -10}, {f32(i * 10 - 25), 10}, u32(60 + i), true);
    auto* floor = new StaticCollisionLineSegment({{0, 100}, {300, 100}});
    engine.AddObject(floor, 0, {0, 0});
    DynamicObject& body = Add(comb, {150, 100});
    body.SetUpdateOnIdle(true);
    engine.Update(0.016f);
    ASSERT_EQ(body.GetResults()->currentLNSNumber, 1);
    const LNS_C& record = body.GetResults()->lineSegments[0];
    EXPECT_EQ(record.numberOfIntersectedPoints, 4);
    EXPECT_EQ(record.myLineSegmentUserId[3], 65u) << "later points overwrite the last slot";
    EXPECT_EQ(record.contactPoint[3], Vector2D(175, 100));
}

TEST_F(LayerTest, RemovingEveryStaticShapeLeavesAnEmptyArray)
{
    engine.AddObject(new StaticCollisionCircle({{50, 50}, 10}), 0, {0, 0});
    engine.AddObject(new StaticCollisionCircle({{80, 50}, 10}), 0, {0, 0});
    engine.AddObject(new StaticCollisionLineSegment({{0, 0}, {10, 10}}), 0, {0, 0});
    DynamicObject& body = Add(ball, {50, 60});
    body.SetUpdateOnIdle(true);
    engine.RemoveStaticObjects(0);
    EXPECT_EQ(Layer().GetStaticCircle(1), nullptr);
    EXPECT_EQ(Layer().GetCirclesNumber(), 3);
    EXPECT_EQ(Layer().GetStaticCircles().freeSlots.size(), 2u);
    engine.Update(0.016f);
    EXPECT_EQ(body.GetResults()->currentCIRNumber, 0);
    const u32 id = engine.AddObject(new StaticCollisionCircle({{50, 50}, 10}), 0, {0, 0});
    EXPECT_EQ(id, MakeObjectId(StaticCircleBase + 3, 0, 0));
    engine.Update(0.016f);
    EXPECT_EQ(body.GetResults()->currentCIRNumber, 1);
}

TEST_F(LayerTest, StaticShapesBeyondTheirIdRangeAreRefused)
{
    for (u32 i = 0; i < MaximumStaticCircles; ++i)
        ASSERT_NE(engine.AddObject(new StaticCollisionCircle({{0, 0}, 1}), 0, {0, 0}), 0u);
    auto extra = std::make_unique<StaticCollisionCircle>(Math::Circle2D({0, 0}, 1));
    EXPECT_EQ(engine.AddObject(extra.get(), 0, {0, 0}), 0u) << "the next slot's id would be a segment's";
    EXPECT_EQ(Layer().GetCirclesNumber(), 3000);
}
} // namespace
