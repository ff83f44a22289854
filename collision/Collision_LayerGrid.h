#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Vector2D.h"

#include <span>

namespace Core
{
class File;
}

namespace Collision2D
{
// Slots listed in a grid cell. Its capacity grows by 10 when an insertion finds it full; the list
// keeps its capacity when emptied.
class SlotList
{
public:
    static constexpr u32 Growth = 10;

    void Add(u32 slot);
    // Adds the slot unless it is listed already.
    void AddOnce(u32 slot);
    void Clear() { slots.clear(); }
    const Core::Vector<u32>& Slots() const { return slots; }
    u32 Capacity() const { return capacity; }

    // capacity, count, slots.
    void Save(Core::File& file) const;
    bool Load(Core::File& file);

private:
    Core::Vector<u32> slots;
    u32 capacity = 0;
};

// One square cell: the static shapes registered in it and its four sides in grid-local
// coordinates. The dynamic objects covering a cell are listed by the grid (DynamicObjects).
struct GridCell
{
    enum Edge
    {
        Top,
        Left,
        Right,
        Bottom,
        EdgeCount
    };

    SlotList staticCircles;
    SlotList staticLineSegments;
    Math::LineSegment2D edges[EdgeCount];
};

// The uniform grid of a layer: rows × columns square cells from an origin. Points outside the grid
// fall into its border cells.
class LayerGrid
{
public:
    LayerGrid() = default;
    LayerGrid(const Math::Vector2D& origin, i32 width, i32 height, i32 rows, i32 columns, f32 cellSize);

    i32 GetRows() const { return rows; }
    i32 GetColumns() const { return columns; }
    f32 GetCellSize() const { return cellSize; }
    const Math::Vector2D& GetOrigin() const { return origin; }
    i32 GetWidth() const { return width; }
    i32 GetHeight() const { return height; }

    GridCell& Cell(i32 column, i32 row) { return cells[Index(column, row)]; }
    const GridCell& Cell(i32 column, i32 row) const { return cells[Index(column, row)]; }

    // The cell of a world point, clamped into the grid.
    void CellOf(const Math::Vector2D& point, i32& column, i32& row) const;

    // Lists a static shape in every cell its outline crosses (a circle) or that it meets (a segment);
    // the parts of a shape outside the grid are listed in the border cells they lie beyond.
    void RegisterCircle(const Math::Circle2D& circle, u32 slot);
    void RegisterLineSegment(const Math::LineSegment2D& segment, u32 slot);

    // A frame's dynamic lists: emptied, filled object by object in slot order, then closed, after
    // which each cell lists the slots covering it in increasing order. A list's capacity grows by 10
    // when it fills, and is kept when the list is emptied.
    void ClearDynamicLists();
    void AddDynamicObject(i32 column, i32 row, u32 slot);
    void CloseDynamicLists();
    std::span<const u32> DynamicObjects(i32 column, i32 row) const;

    void Save(Core::File& file) const;
    // False (the stream failed) for an impossible size or a truncated stream; the grid is then
    // left as it was.
    bool Load(Core::File& file);

private:
    std::size_t Index(i32 column, i32 row) const { return static_cast<std::size_t>(column) * rows + row; }
    // An index truncated toward zero and clamped into [0, count - 1]; undefined values give 0.
    static i32 ClampIndex(f32 value, i32 count);
    static constexpr u32 DynamicListGrowth = 10;

    Math::Vector2D origin;
    i32 width = 0;
    i32 height = 0;
    i32 rows = 0;
    i32 columns = 0;
    f32 cellSize = 0.0f;
    Core::Vector<GridCell> cells; // column by column
    // The dynamic lists, kept apart from the cells so that a frame touches compact arrays only: per
    // cell its count, capacity and first entry in the flat list of slots, the cells whose list is
    // not empty, and the (cell, slot) entries of the frame in the order they were added.
    Core::Vector<u32> dynamicCounts;
    Core::Vector<u32> dynamicCapacities;
    Core::Vector<u32> dynamicBegins;
    Core::Vector<u32> dynamicSlots;
    Core::Vector<u32> occupiedCells;
    struct Entry
    {
        u32 cell;
        u32 slot;
    };
    Core::Vector<Entry> entries;
};
} // namespace Collision2D
