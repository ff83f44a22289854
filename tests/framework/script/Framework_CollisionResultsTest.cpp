#include "collision/Collision_Results.h"
#include "framework/core/Vellumar_CollisionResults.h"

#include <gtest/gtest.h>

namespace
{
using Vellumar::CollisionResults;

TEST(CollisionResultsTest, ANullHandleAnswersNothing)
{
    const CollisionResults none(nullptr);
    EXPECT_EQ(none.GetCollidedSpritesCount(false), 0);
    EXPECT_EQ(none.GetCollidedSprite(0, true), nullptr);
    EXPECT_FALSE(none.IsCollidedWithSprite("any", false));
    EXPECT_FALSE(none.IsMyCircleCollided(1));
    Core::Vector<u32> list{7};
    EXPECT_FALSE(none.FilterNewEntries({}, 0, list, 0));
    EXPECT_EQ(list.size(), 1u) << "untouched";
}

TEST(CollisionResultsTest, TileMapFiltersKeepWholeIndexesAndMatchActiveConditions)
{
    Collision2D::CollisionResults block;
    Collision2D::TMAP_C& map = block.NextTileMap();
    for (int i = 0; i < 302; ++i)
    {
        Collision2D::TMAP_DATA entry;
        entry.id = i == 300 ? 9 : 1;
        entry.cellX = i % 3;
        entry.collisionSide = i == 301 ? 2 : 1;
        map.AddNewEntry(entry);
    }
    block.CommitTileMapResult();
    const CollisionResults results(&block);
    Core::Vector<u32> list;
    CollisionResults::EntryFilter typed;
    typed.type = 9;
    ASSERT_TRUE(results.FilterNewEntries(typed, 0, list, 0));
    EXPECT_EQ(list, Core::Vector<u32>{300});
    CollisionResults::EntryFilter all;
    EXPECT_TRUE(results.FilterNewEntries(all, 0, list, 299));
    EXPECT_EQ(list, (Core::Vector<u32>{299, 300, 301}));
    CollisionResults::EntryFilter side;
    side.side = 2;
    side.cellX = 1;
    EXPECT_TRUE(results.FilterNewEntries(side, 0, list, 0));
    EXPECT_EQ(list, Core::Vector<u32>{301});
    EXPECT_FALSE(results.FilterNewEntries(all, 0, list, 302));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(results.FilterStaticEntries(all, 0, list, 0));
    EXPECT_FALSE(results.FilterNewEntries(all, 1, list, 0)) << "no such record";
}

TEST(CollisionResultsTest, OwnShapeQueriesReadTheFilledSlotsOfEveryContact)
{
    Collision2D::CollisionResults block;
    Collision2D::CIR_C& circle = block.NextCircle();
    circle.userId = 5;
    circle.numberOfIntersectedPoints = 2;
    circle.myLineSegmentUserId[1] = 40;
    circle.myCircleUserId[3] = 41;
    block.CommitCircleResult();
    Collision2D::LNS_C& segment = block.NextLineSegment();
    segment.userId = 6;
    block.CommitLineSegmentResult();
    const CollisionResults results(&block);
    EXPECT_TRUE(results.IsMyLineSegmentCollided(40));
    const u32 partner = 5;
    const u32 stranger = 6;
    EXPECT_TRUE(results.IsMyLineSegmentCollided(40, &partner));
    EXPECT_FALSE(results.IsMyLineSegmentCollided(40, &stranger));
    EXPECT_FALSE(results.IsMyCircleCollided(41)) << "slot 3 is past the filled points";
    EXPECT_TRUE(results.IsCollidedWithCircle(5));
    EXPECT_TRUE(results.IsCollidedWithLineSegment(6));
    EXPECT_FALSE(results.IsCollidedWithLineSegment(5));
    EXPECT_EQ(results.GetCollidedCircleData(1), nullptr);
    EXPECT_EQ(results.GetCollidedCircleData(-1), nullptr);
}
} // namespace

namespace
{
TEST(CollisionResultsTest, RecordsPastThisFramesCountAndUnknownPartnersGiveNull)
{
    Collision2D::CollisionResults block;
    block.NextGeometry().id = 0xFFFFFFFFu;
    block.CommitGeometryResult();
    block.NextCircle().userId = 3;
    block.CommitCircleResult();
    const CollisionResults results(&block);
    EXPECT_NE(results.GetCollidedGeometryData(0), nullptr);
    EXPECT_EQ(results.GetCollidedSprite(0, true), nullptr) << "the partner id names no object";
    // A new frame: the records stay allocated but are no longer this frame's.
    block.Reset();
    EXPECT_EQ(results.GetCollidedGeometryData(0), nullptr);
    EXPECT_EQ(results.GetCollidedCircleData(0), nullptr);
    EXPECT_FALSE(results.IsCollidedWithCircle(3));
}
TEST(CollisionResultsTest, SpriteDataComesFromThePoolTheFlagPicks)
{
    Collision2D::CollisionResults block;
    block.NextGeometry().id = 5;
    block.CommitGeometryResult();
    const CollisionResults results(&block);
    const CollisionResults::SpriteData geometric = results.GetCollidedSpriteData(0, true);
    EXPECT_EQ(geometric.geometry, results.GetCollidedGeometryData(0));
    ASSERT_NE(geometric.geometry, nullptr);
    EXPECT_EQ(geometric.geometry->id, 5u);
    EXPECT_EQ(geometric.rectangle, nullptr);
    const CollisionResults::SpriteData rectangles = results.GetCollidedSpriteData(0, false);
    EXPECT_EQ(rectangles.geometry, nullptr);
    EXPECT_EQ(rectangles.rectangle, nullptr) << "no rectangle record this frame";
}
} // namespace
