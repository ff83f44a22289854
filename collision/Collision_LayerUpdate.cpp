#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "collision/Collision_TileMap.h"

// The per-frame update of a layer, in this order: tile-map animation, preparation of every dynamic
// object with the refill of the grid's dynamic lists, pair search per cell, pair tests, static and
// tile-map tests, pose commit.
// Objects are visited in slot order throughout; an object without a current collision frame takes
// no part after its preparation.
namespace Collision2D
{
namespace
{
bool Active(const DynamicObject* object)
{
    return object && object->GetCurrentCollisionFrame();
}
} // namespace

void CollisionLayer::Update(f32 dt)
{
    // Tile maps and dynamic objects do not read each other while they are prepared, so each
    // object is prepared and sorted into the grid in one visit.
    for (i32 slot = 1; slot < tileMaps.count; ++slot)
    {
        if (TileMap* map = tileMaps.slots[slot])
            map->Update(dt);
    }
    grid.ClearDynamicLists();
    for (i32 slot = 1; slot < dynamicObjects.count; ++slot)
    {
        DynamicObject* object = dynamicObjects.slots[slot];
        if (!object)
            continue;
        object->PrepareFrame();
        if (!Active(object))
            continue;
        const VelRect& sweep = object->GetSweepRectangle();
        DynamicObject::CellRange range;
        grid.CellOf({sweep.left, sweep.bottom}, range.firstColumn, range.firstRow);
        grid.CellOf({sweep.right, sweep.top}, range.lastColumn, range.lastRow);
        object->SetCellRange(range);
        for (i32 column = range.firstColumn; column <= range.lastColumn; ++column)
            for (i32 row = range.firstRow; row <= range.lastRow; ++row)
                grid.AddDynamicObject(column, row, static_cast<u32>(slot));
    }
    grid.CloseDynamicLists();
    FindCandidates();
    TestPairs();

    // Marks left by an earlier frame, a clone or a stream are cleared once; afterwards each pass
    // clears only the marks of the pass before it. An object's pose is committed after its own
    // static pass: no later pass reads it.
    testedCircles.clear();
    testedLineSegments.clear();
    for (i32 slot = 1; slot < staticCircles.count; ++slot)
        if (StaticCollisionCircle* circle = staticCircles.slots[slot])
            circle->SetTested(false);
    for (i32 slot = 1; slot < staticLineSegments.count; ++slot)
        if (StaticCollisionLineSegment* segment = staticLineSegments.slots[slot])
            segment->SetTested(false);
    for (i32 slot = 1; slot < dynamicObjects.count; ++slot)
    {
        DynamicObject* object = dynamicObjects.slots[slot];
        if (!Active(object))
            continue;
        TestStatics(*object);
        object->CommitPose();
    }
}

void CollisionLayer::FindCandidates()
{
    for (i32 column = 0; column < grid.GetColumns(); ++column)
    {
        for (i32 row = 0; row < grid.GetRows(); ++row)
        {
            const std::span<const u32> slots = grid.DynamicObjects(column, row);
            for (std::size_t a = 0; a < slots.size(); ++a)
            {
                DynamicObject& first = *dynamicObjects.slots[slots[a]];
                for (std::size_t b = a + 1; b < slots.size(); ++b)
                {
                    DynamicObject& second = *dynamicObjects.slots[slots[b]];
                    // Only the lower slot's switch is consulted.
                    if (!first.GetCanCollid(second.GetZCollision()))
                        continue;
                    if (!RectanglesOverlap(&first.GetSweepRectangle(), &second.GetSweepRectangle()))
                        continue;
                    if (first.IsMoved())
                        first.AddCandidate(slots[b]);
                    else if (second.IsMoved())
                        second.AddCandidate(slots[a]);
                    else if (first.GetUpdateOnIdle())
                        first.AddCandidate(slots[b]);
                    else if (second.GetUpdateOnIdle())
                        second.AddCandidate(slots[a]);
                }
            }
        }
    }
}

void CollisionLayer::TestPairs()
{
    for (i32 slot = 1; slot < dynamicObjects.count; ++slot)
    {
        DynamicObject* object = dynamicObjects.slots[slot];
        if (!Active(object))
            continue;
        for (u32 candidate : object->GetCandidates())
        {
            DynamicObject* partner = dynamicObjects.At(candidate);
            if (!Active(partner) || partner == object)
                continue;
            if (object->GetCollisionType() == 0)
                object->CollideRectangles(*partner, layerNumber);
            else if (object->GetCollisionType() == 1)
            {
                if (partner->GetCollisionType() != 0)
                    object->CollideGeometry(*partner, layerNumber);
                else
                    object->CollideRectangles(*partner, layerNumber);
            }
        }
    }
}

void CollisionLayer::TestStatics(DynamicObject& object)
{
    const bool anyStatics = staticCircles.count > 1 || staticLineSegments.count > 1;
    if (anyStatics && (object.IsMoved() || object.GetUpdateOnIdle()))
    {
        for (StaticCollisionCircle* circle : testedCircles)
            circle->SetTested(false);
        for (StaticCollisionLineSegment* segment : testedLineSegments)
            segment->SetTested(false);
        testedCircles.clear();
        testedLineSegments.clear();
        const bool shapes = object.GetCollisionType() != 0;
        const DynamicObject::CellRange& range = object.GetCellRange();
        for (i32 column = range.firstColumn; column <= range.lastColumn; ++column)
        {
            for (i32 row = range.firstRow; row <= range.lastRow; ++row)
            {
                const GridCell& cell = grid.Cell(column, row);
                for (u32 slot : cell.staticCircles.Slots())
                {
                    StaticCollisionCircle* circle = staticCircles.At(slot);
                    if (!circle || circle->IsTested() || !object.GetCanCollid(circle->GetZCollision()))
                        continue;
                    if (shapes && object.IsMoved())
                        object.CollideStaticCircle(*circle, layerNumber);
                    else if (shapes)
                        object.IdleStaticCircle(*circle, layerNumber);
                    circle->SetTested(true);
                    testedCircles.push_back(circle);
                }
                for (u32 slot : cell.staticLineSegments.Slots())
                {
                    StaticCollisionLineSegment* segment = staticLineSegments.At(slot);
                    if (!segment || segment->IsTested() || !object.GetCanCollid(segment->GetZCollision()))
                        continue;
                    if (shapes && object.IsMoved())
                        object.CollideStaticLineSegment(*segment, layerNumber);
                    else if (shapes)
                        object.IdleStaticLineSegment(*segment, layerNumber);
                    segment->SetTested(true);
                    testedLineSegments.push_back(segment);
                }
            }
        }
    }
    for (i32 slot = 1; slot < tileMaps.count; ++slot)
    {
        TileMap* map = tileMaps.slots[slot];
        if (map && object.GetCanCollid(map->GetZCollision()) &&
            RectanglesOverlap(&object.GetSweepRectangle(), &map->GetCurrentBoundingRectangle()))
            map->Collide(object, layerNumber);
    }
}
} // namespace Collision2D
