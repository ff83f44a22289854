#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Results.h"
#include "collision/Collision_TileMap.h"

#include <algorithm>

// A dynamic object against the used cells of a tile map. New entries name the cells the object
// entered this frame, with the side crossed, the normal out of the cell against the motion and the
// object's position corrected onto the crossed edge; static entries name the used cells under the
// object's edges (or hot spots) that it did not newly enter. Only cells along the object's edges or
// under its hot spots are visited, and only those inside the grid.
namespace Collision2D
{
namespace
{
// Side codes: the object moved right (through the cell's left edge), left, up (through its bottom
// edge) or down; or through a corner: right and up (its lower-left corner), left and up, right and
// down, left and down.
constexpr i32 SideRight = 1;
constexpr i32 SideLeft = 2;
constexpr i32 SideUp = 3;
constexpr i32 SideDown = 6;

Math::Vector2D SideNormal(i32 side)
{
    constexpr f32 diagonal = 0.70710678f;
    switch (side)
    {
    case SideRight:
        return {-1.0f, 0.0f};
    case SideLeft:
        return {1.0f, 0.0f};
    case SideUp:
        return {0.0f, -1.0f};
    case SideDown:
        return {0.0f, 1.0f};
    // Corners: the two edges' normals together.
    case SideRight + SideUp:
        return {-diagonal, -diagonal};
    case SideLeft + SideUp:
        return {diagonal, -diagonal};
    case SideRight + SideDown:
        return {-diagonal, diagonal};
    default:
        return {diagonal, diagonal};
    }
}

i32 Clamp(i32 index, i32 count)
{
    return index < 0 ? 0 : index >= count ? count - 1 : index;
}
} // namespace

void TileMap::Collide(DynamicObject& object, u8 layer)
{
    CollisionResults& results = *object.GetResults();
    TMAP_C& record = results.NextTileMap();
    record.currentNewIdsNumber = 0;
    record.currentStaticIdsNumber = 0;
    const bool hit = object.GetBoundingRectangleCheckingTileMap() ? CollideRectangle(object, record)
                                                                 : CollideHotSpots(object, record);
    if (!hit)
        return;
    record.id = MakeObjectId(TileMapBase + idNumber, layer, zCollision);
    results.CommitTileMapResult();
}

void TileMap::WalkSide(const DynamicObject& object, i32 side, TMAP_C& record, bool& hit) const
{
    const VelRect& rectangle = object.GetCurrentWorldRectangle();
    const i32 top = CellIndex(rectangle.top - position.y);
    const i32 bottom = CellIndex(rectangle.bottom - position.y);
    const i32 left = CellIndex(rectangle.left - position.x);
    const i32 right = CellIndex(rectangle.right - position.x);
    auto add = [&](i32 column, i32 row) {
        if (const Cell* cell = UsedCell(column, row))
        {
            record.AddStaticEntry({cell->Id(), column, row, side, 0});
            hit = true;
        }
    };
    if (side == SideRight || side == SideLeft)
    {
        const i32 column = side == SideRight ? right : left;
        if (column >= 0 && column < columns)
            for (i32 row = std::max(bottom, 0); row <= top && row < rows; ++row)
                add(column, row);
    }
    else if (side == SideUp || side == SideDown)
    {
        const i32 row = side == SideUp ? top : bottom;
        if (row >= 0 && row < rows)
            for (i32 column = std::max(left, 0); column <= right && column < columns; ++column)
                add(column, row);
    }
}

void TileMap::HotSpotCell(i32 column, i32 row, i32 index, TMAP_C& record, bool& hit) const
{
    if (const Cell* cell = UsedCell(column, row))
    {
        record.AddStaticEntry({cell->Id(), column, row, 0, index});
        hit = true;
    }
}

bool TileMap::CollideRectangle(const DynamicObject& object, TMAP_C& record) const
{
    record.partnerUserData = GetUserData();
    bool hit = false;
    if (!HasCells())
        return hit;
    const VelRect& old = object.GetOldWorldRectangle();
    const VelRect& now = object.GetCurrentWorldRectangle();
    const i32 oldLeft = CellIndex(old.left - position.x);
    const i32 oldRight = CellIndex(old.right - position.x);
    const i32 oldTop = CellIndex(old.top - position.y);
    const i32 oldBottom = CellIndex(old.bottom - position.y);
    const i32 left = CellIndex(now.left - position.x);
    const i32 right = CellIndex(now.right - position.x);
    const i32 top = CellIndex(now.top - position.y);
    const i32 bottom = CellIndex(now.bottom - position.y);
    const i32 horizontal = oldRight < right ? SideRight : oldLeft > left ? SideLeft : 0;
    const i32 vertical = oldTop < top ? SideUp : oldBottom > bottom ? SideDown : 0;

    // The object placed so that its leading edge lies on the edge of the cells it entered.
    const Math::Vector2D at = object.GetPosition();
    const f32 size = static_cast<f32>(dimension);
    const Math::Vector2D rightOnEdge(static_cast<f32>(right) * size - (now.right - at.x - position.x), at.y);
    const Math::Vector2D leftOnEdge(static_cast<f32>(left + 1) * size - (now.left - at.x - position.x), at.y);
    const Math::Vector2D topOnEdge(at.x, static_cast<f32>(top) * size - (now.top - at.y - position.y));
    const Math::Vector2D bottomOnEdge(at.x, static_cast<f32>(bottom + 1) * size - (now.bottom - at.y - position.y));

    auto add = [&](i32 column, i32 row, i32 side, const Math::Vector2D& corrected) {
        if (const Cell* cell = UsedCell(column, row))
        {
            record.AddNewEntry({{cell->Id(), column, row, side, 0}, corrected, SideNormal(side), 0.0f});
            hit = true;
        }
    };
    // The entered cells of one column (rows first to last) or one row, inside the grid.
    auto enteredColumn = [&](i32 column, i32 first, i32 last, i32 side, const Math::Vector2D& corrected) {
        if (column >= 0 && column < columns)
            for (i32 row = std::max(first, 0); row <= last && row < rows; ++row)
                add(column, row, side, corrected);
    };
    auto enteredRow = [&](i32 row, i32 first, i32 last, i32 side, const Math::Vector2D& corrected) {
        if (row >= 0 && row < rows)
            for (i32 column = std::max(first, 0); column <= last && column < columns; ++column)
                add(column, row, side, corrected);
    };
    auto walk = [&](std::initializer_list<i32> sides) {
        for (i32 side : sides)
            WalkSide(object, side, record, hit);
    };

    // In the diagonal cases the entered cells are taken from the old rectangle's rows and columns,
    // so that the corner cell entered diagonally gets no new entry.
    switch (horizontal + vertical)
    {
    case 0:
        walk({SideDown, SideUp, SideLeft, SideRight});
        break;
    case SideRight:
        enteredColumn(right, bottom, top, SideRight, rightOnEdge);
        walk({SideUp, SideLeft, SideDown});
        break;
    case SideLeft:
        enteredColumn(left, bottom, top, SideLeft, leftOnEdge);
        walk({SideUp, SideRight, SideDown});
        break;
    case SideUp:
        enteredRow(top, left, right, SideUp, topOnEdge);
        walk({SideRight, SideLeft, SideDown});
        break;
    case SideRight + SideUp:
        enteredColumn(right, oldBottom, oldTop, SideRight, rightOnEdge);
        enteredRow(top, oldLeft, oldRight, SideUp, topOnEdge);
        walk({SideLeft, SideDown});
        break;
    case SideLeft + SideUp:
        enteredColumn(left, oldBottom, oldTop, SideLeft, leftOnEdge);
        enteredRow(top, oldLeft, oldRight, SideUp, topOnEdge);
        walk({SideRight, SideDown});
        break;
    case SideDown:
        enteredRow(bottom, left, right, SideDown, bottomOnEdge);
        walk({SideUp, SideLeft, SideRight});
        break;
    case SideRight + SideDown:
        enteredColumn(right, oldBottom, oldTop, SideRight, rightOnEdge);
        enteredRow(bottom, oldLeft, oldRight, SideDown, bottomOnEdge);
        walk({SideUp, SideLeft});
        break;
    default:
        enteredColumn(left, oldBottom, oldTop, SideLeft, leftOnEdge);
        enteredRow(bottom, oldLeft, oldRight, SideDown, bottomOnEdge);
        walk({SideUp, SideRight});
        break;
    }
    return hit;
}

bool TileMap::CollideHotSpots(const DynamicObject& object, TMAP_C& record) const
{
    record.partnerUserData = GetUserData();
    bool hit = false;
    if (!HasCells())
        return hit;
    const Core::Vector<Math::Point2D>& oldSpots = object.GetOldHotSpots();
    const Core::Vector<Math::Point2D>& spots = object.GetCurrentHotSpots();
    const i32 count = std::min({object.GetHotSpotCount(), static_cast<i32>(oldSpots.size()), static_cast<i32>(spots.size())});
    const Math::Vector2D at = object.GetPosition();
    const f32 orientation = object.GetOrientation();
    const f32 size = static_cast<f32>(dimension);
    for (i32 i = 0; i < count; ++i)
    {
        const Math::Vector2D offsetToSpot = spots[static_cast<std::size_t>(i)] - at;
        // The hot spot's way over the frame, in map coordinates.
        const Math::Vector2D from = oldSpots[static_cast<std::size_t>(i)] - position;
        const Math::Vector2D to = spots[static_cast<std::size_t>(i)] - position;
        const i32 oldColumn = Clamp(CellIndex(from.x), columns);
        const i32 oldRow = Clamp(CellIndex(from.y), rows);
        const i32 column = Clamp(CellIndex(to.x), columns);
        const i32 row = Clamp(CellIndex(to.y), rows);
        const i32 horizontal = oldColumn < column ? SideRight : column < oldColumn ? SideLeft : 0;
        const i32 vertical = oldRow < row ? SideUp : row < oldRow ? SideDown : 0;

        // The object's position that puts the hot spot at a map point.
        auto placed = [&](f32 x, f32 y) { return Math::Vector2D(x - offsetToSpot.x + position.x, y - offsetToSpot.y + position.y); };
        auto add = [&](i32 c, i32 r, i32 side, const Math::Vector2D& corrected) {
            if (const Cell* cell = UsedCell(c, r))
            {
                record.AddNewEntry({{cell->Id(), c, r, side, i}, corrected, SideNormal(side), orientation});
                hit = true;
            }
        };
        // The current cell's edges that the hot spot crossed.
        const f32 edgeX = static_cast<f32>(horizontal == SideLeft ? column + 1 : column) * size;
        const f32 edgeY = static_cast<f32>(vertical == SideDown ? row + 1 : row) * size;
        if (horizontal == 0 && vertical == 0)
        {
            HotSpotCell(column, row, i, record, hit);
            continue;
        }
        if (vertical == 0)
        {
            add(column, row, horizontal, Math::Vector2D(placed(edgeX, 0.0f).x, at.y));
            continue;
        }
        if (horizontal == 0)
        {
            add(column, row, vertical, Math::Vector2D(at.x, placed(0.0f, edgeY).y));
            continue;
        }
        // Diagonally into the cell through its corner K: the way crosses K's horizontal line first
        // when (K − from) × way has the sign of way.x × way.y.
        const Math::Vector2D way = to - from;
        if (!(way.x != 0.0f && way.y != 0.0f))
            continue;
        const f32 cross = (edgeX - from.x) * way.y - (edgeY - from.y) * way.x;
        const Math::Vector2D throughHorizontal = placed(from.x + (edgeY - from.y) * way.x / way.y, edgeY);
        const Math::Vector2D throughVertical = placed(edgeX, from.y + (edgeX - from.x) * way.y / way.x);
        if (cross == 0.0f)
        {
            add(column, row, horizontal + vertical, placed(edgeX, edgeY));
        }
        else if ((cross > 0.0f) == (way.x * way.y > 0.0f))
        {
            add(oldColumn, row, vertical, throughHorizontal);
            add(column, row, horizontal, throughVertical);
        }
        else
        {
            add(column, oldRow, horizontal, throughVertical);
            add(column, row, vertical, throughHorizontal);
        }
    }
    return hit;
}
} // namespace Collision2D
