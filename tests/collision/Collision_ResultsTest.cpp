#include "collision/Collision_Results.h"

#include "core/Core_File.h"

#include <gtest/gtest.h>

#include <cstring>

// Result records and pools: growth, the frame reset and the stream form.
namespace
{
using namespace Collision2D;
using Math::Vector2D;

TEST(CollisionResults, NewBlock)
{
    CollisionResults block;
    EXPECT_FALSE(block.Any());
    EXPECT_EQ(block.buffer_BRECT, 5);
    EXPECT_EQ(block.buffer_DGEO, 5);
    EXPECT_EQ(block.buffer_TMAP, 20);
    EXPECT_EQ(block.buffer_Extra, 20);
    EXPECT_EQ(block.NextGeometry().buffer_LineSegments, 5);
    EXPECT_EQ(block.NextGeometry().buffer_Circles, 5);
    EXPECT_EQ(block.NextTileMap().buffer_NewIds, 20u);
    const CIR_C& fresh = block.NextCircle();
    EXPECT_EQ(fresh.myCircleUserId[3], EmptyUserId);
    EXPECT_EQ(fresh.myLineSegmentUserId[0], EmptyUserId);
    EXPECT_EQ(fresh.numberOfIntersectedPoints, 0);
    EXPECT_EQ(fresh.contactPoint[2], Vector2D(0, 0));
}

// What a new block holds, and what one saved before any contact holds again when loaded.
void ExpectFirstCapacities(const CollisionResults& block)
{
    EXPECT_EQ(block.rectangles.size(), 5u);
    EXPECT_EQ(block.geometries.size(), 5u);
    EXPECT_EQ(block.lineSegments.size(), 5u);
    ASSERT_EQ(block.circles.size(), 5u);
    EXPECT_EQ(block.circles[4].myLineSegmentUserId[0], EmptyUserId);
    ASSERT_EQ(block.tileMaps.size(), 20u);
    for (const DGEO_C& geometry : block.geometries)
    {
        EXPECT_EQ(geometry.lineSegments.size(), 5u);
        EXPECT_EQ(geometry.circles.size(), 5u);
    }
    for (const TMAP_C& map : block.tileMaps)
    {
        EXPECT_EQ(map.newEntries.size(), 20u);
        EXPECT_EQ(map.staticEntries.size(), 20u);
    }
}

TEST(CollisionResults, NewBlocksHoldTheirFirstCapacitiesOfRecords)
{
    const CollisionResults block;
    ExpectFirstCapacities(block);
    CollisionResults copy;
    copy = block;
    ExpectFirstCapacities(copy);

    Core::MemoryFile saved;
    block.Save(saved);
    Core::MemoryFile reader(saved.GetData(), saved.GetSize());
    CollisionResults loaded;
    loaded.NextCircle();
    loaded.CommitCircleResult();
    ASSERT_TRUE(loaded.Load(reader));
    ExpectFirstCapacities(loaded);
}

// Every pool holds its capacity of records, with the count below it.
template <class Pool, class Count>
void ExpectHeld(const Pool& pool, Count count, Count capacity)
{
    EXPECT_LT(count, capacity);
    EXPECT_EQ(pool.size(), static_cast<std::size_t>(capacity));
}

void ExpectCapacitiesHeld(const CollisionResults& block)
{
    ExpectHeld(block.rectangles, block.currentBRECTNumber, block.buffer_BRECT);
    ExpectHeld(block.geometries, block.currentDGEONumber, block.buffer_DGEO);
    ExpectHeld(block.circles, block.currentCIRNumber, block.buffer_CIR);
    ExpectHeld(block.lineSegments, block.currentLNSNumber, block.buffer_LNS);
    ExpectHeld(block.tileMaps, block.currentTMAPNumber, block.buffer_TMAP);
    for (const DGEO_C& geometry : block.geometries)
    {
        ExpectHeld(geometry.lineSegments, geometry.currentLineSegmentsNumber, geometry.buffer_LineSegments);
        ExpectHeld(geometry.circles, geometry.currentCirclesNumber, geometry.buffer_Circles);
    }
    for (const TMAP_C& map : block.tileMaps)
    {
        ExpectHeld(map.newEntries, map.currentNewIdsNumber, map.buffer_NewIds);
        ExpectHeld(map.staticEntries, map.currentStaticIdsNumber, map.buffer_StaticIds);
    }
}

TEST(CollisionResults, PoolsGrowByTheirStepAndHoldTheirCapacities)
{
    CollisionResults block;
    for (int i = 0; i < 4; ++i)
        block.CommitCircleResult();
    EXPECT_EQ(block.buffer_CIR, 5);
    block.CommitCircleResult();
    EXPECT_EQ(block.buffer_CIR, 10);
    EXPECT_EQ(block.circles.size(), 10u);
    for (int i = 0; i < 5; ++i)
        block.CommitCircleResult();
    EXPECT_EQ(block.buffer_CIR, 15);
    ASSERT_EQ(block.circles.size(), 15u);
    EXPECT_EQ(block.circles[14].myCircleUserId[0], EmptyUserId) << "appended records are default ones";

    TMAP_C& record = block.NextTileMap();
    TMAP_DATA entry;
    entry.cellX = 3;
    for (int i = 0; i < 20; ++i)
        record.AddNewEntry(entry);
    EXPECT_EQ(record.buffer_NewIds, 25u);
    EXPECT_EQ(record.newEntries[19].cellX, 3);
    DGEO_C& geometry = block.NextGeometry();
    for (int i = 0; i < 5; ++i)
        geometry.CommitCircleResult();
    for (int i = 0; i < 6; ++i)
        block.CommitGeometryResult();
    block.CommitTileMapResult();
    ExpectCapacitiesHeld(block);
}

TEST(CollisionResults, ResetMarksOnlyTheOwnShapeSlots)
{
    CollisionResults block;
    CIR_C& circle = block.NextCircle();
    circle.contactPoint[0] = {4, 5};
    circle.myCircleUserId[2] = 8;
    circle.numberOfIntersectedPoints = 3;
    block.CommitCircleResult();
    LNS_C& sub = block.NextGeometry().NextLineSegment();
    sub.myCircleUserId[0] = 1;
    sub.myCircleUserId[1] = 2;
    sub.numberOfIntersectedPoints = 2;
    block.NextGeometry().CommitLineSegmentResult();
    block.CommitGeometryResult();

    block.Reset();
    EXPECT_FALSE(block.Any());
    EXPECT_EQ(block.circles[0].contactPoint[0], Vector2D(4, 5));
    EXPECT_EQ(block.circles[0].myCircleUserId[2], 192038273u);
    EXPECT_EQ(block.circles[0].numberOfIntersectedPoints, 0);
    EXPECT_EQ(block.geometries[0].currentLineSegmentsNumber, 0);
    EXPECT_EQ(block.geometries[0].lineSegments[0].myCircleUserId[0], EmptyUserId);
    EXPECT_EQ(block.geometries[0].lineSegments[0].myCircleUserId[1], 2u);
    EXPECT_EQ(block.geometries[0].lineSegments[0].numberOfIntersectedPoints, 2);
}

CollisionResults FilledBlock()
{
    CollisionResults block;
    for (int i = 0; i < 7; ++i)
        block.CommitCircleResult();
    block.Reset();
    for (int i = 0; i < 3; ++i)
    {
        CIR_C& record = block.NextCircle();
        record.id = 100 + i;
        record.contactPoint[1] = {1.5f, -2.0f};
        record.normal[0] = {0, 1};
        record.numberOfIntersectedPoints = 2;
        record.userId = 0xFFFFFFFFu;
        record.partnerUserData = &block;
        block.CommitCircleResult();
    }
    BRECT_C& rectangle = block.NextRectangle();
    rectangle.rectangleIntersection = VelRect(1, 2, 3, 4);
    block.CommitRectangleResult();
    DGEO_C& geometry = block.NextGeometry();
    geometry.NextCircle().normal[0] = {1, 0};
    geometry.CommitCircleResult();
    block.CommitGeometryResult();
    TMAP_C& map = block.NextTileMap();
    TMAP_DATA_BASE cell;
    cell.id = 200;
    cell.hotSpotIndex = -1;
    for (int i = 0; i < 21; ++i)
        map.AddStaticEntry(cell);
    map.AddNewEntry(TMAP_DATA());
    block.CommitTileMapResult();
    return block;
}

TEST(CollisionResults, StreamKeepsCapacitiesAndCountedRecords)
{
    const CollisionResults block = FilledBlock();
    Core::MemoryFile first;
    block.Save(first);

    Core::MemoryFile reader(first.GetData(), first.GetSize());
    CollisionResults loaded;
    ASSERT_TRUE(loaded.Load(reader));
    EXPECT_EQ(reader.GetRemaining(), 0u);
    EXPECT_EQ(loaded.buffer_CIR, 10);
    EXPECT_EQ(loaded.currentCIRNumber, 3);
    EXPECT_EQ(loaded.circles[2].id, 102u);
    EXPECT_EQ(loaded.circles[2].contactPoint[1], Vector2D(1.5f, -2.0f));
    EXPECT_EQ(loaded.circles[2].partnerUserData, nullptr);
    EXPECT_EQ(loaded.tileMaps[0].buffer_StaticIds, 25u);
    EXPECT_EQ(loaded.tileMaps[0].staticEntries[20].id, 200);
    ExpectCapacitiesHeld(loaded);
    // The loaded pools fill further without a check of their own.
    for (int i = 0; i < 20; ++i)
        loaded.CommitCircleResult();
    EXPECT_EQ(loaded.buffer_CIR, 25);

    Core::MemoryFile second;
    CollisionResults reloaded;
    Core::MemoryFile reader2(first.GetData(), first.GetSize());
    ASSERT_TRUE(reloaded.Load(reader2));
    reloaded.Save(second);
    ASSERT_EQ(second.GetSize(), first.GetSize());
    EXPECT_EQ(0, std::memcmp(first.GetData(), second.GetData(), first.GetSize()));
}

// Writes a block's stream with one 32-bit field replaced.
Core::MemoryFile Patched(const Core::MemoryFile& source, u32 offset, u32 value)
{
    Core::MemoryFile patched(source.GetData(), source.GetSize());
    std::memcpy(const_cast<u8*>(patched.GetData()) + offset, &value, 4);
    return Core::MemoryFile(patched.GetData(), patched.GetSize());
}

TEST(CollisionResults, HostileCountsAndCapacitiesFailCleanly)
{
    Core::MemoryFile good;
    FilledBlock().Save(good);
    const u32 rectangleCapacity = 0;
    const u32 rectangleCount = 4;
    struct Case
    {
        u32 offset;
        u32 value;
    };
    // One rectangle record (32 bytes), then the geometry pool, its first record's base (20 bytes)
    // and that record's segment capacity.
    const u32 geometrySegmentCapacity = 8 + 32 + 8 + 20;
    // Capacities may not together ask for more than 8192 records, sub-records and entries, nested
    // ones included. Besides that segment pool the block holds its rectangles, geometry records
    // with five segments and five circles each, the first one's circles, the circle and segment
    // contacts, tile-map records with twenty entries of each kind, and the first one's entries.
    const u32 otherRecords = 5 + 5 * 11 + 5 + 10 + 5 + 20 * 41 + 20 + 25;
    const u32 overBudget = 8192 - otherRecords + 1;
    for (const Case& bad : {Case{rectangleCount, 5}, Case{rectangleCount, 0xFFFFFFFFu},
                            Case{rectangleCapacity, 0x7FFFFFFFu}, Case{rectangleCapacity, 1},
                            Case{rectangleCapacity, 8193}, Case{geometrySegmentCapacity, overBudget},
                            Case{good.GetSize() - 8, 0}, Case{good.GetSize() - 8, 0x10000000u}})
    {
        Core::MemoryFile reader = Patched(good, bad.offset, bad.value);
        CollisionResults block;
        EXPECT_FALSE(block.Load(reader)) << bad.offset << " " << bad.value;
        EXPECT_TRUE(reader.Failed());
        // Whatever was read, the invariant holds.
        EXPECT_GE(block.rectangles.size(), static_cast<std::size_t>(block.currentBRECTNumber));
        EXPECT_LT(block.currentBRECTNumber, block.buffer_BRECT);
    }
    Core::MemoryFile withinBudget = Patched(good, geometrySegmentCapacity, overBudget - 1);
    CollisionResults large;
    ASSERT_TRUE(large.Load(withinBudget));
    EXPECT_EQ(large.geometries[0].lineSegments.size(), static_cast<std::size_t>(overBudget - 1));
    for (u32 size = 0; size < good.GetSize(); size += 13)
    {
        Core::MemoryFile reader(good.GetData(), size);
        CollisionResults block;
        EXPECT_FALSE(block.Load(reader)) << size;
    }
}

TEST(CollisionResults, PointCountOfARecordIsBounded)
{
    CIR_C record;
    record.numberOfIntersectedPoints = 4;
    Core::MemoryFile file;
    record.Save(file);
    EXPECT_EQ(file.GetSize(), 124u);
    std::memcpy(const_cast<u8*>(file.GetData()) + 116, "\x05\0\0\0", 4);
    Core::MemoryFile reader(file.GetData(), file.GetSize());
    CIR_C loaded;
    EXPECT_FALSE(loaded.Load(reader));
}
} // namespace
