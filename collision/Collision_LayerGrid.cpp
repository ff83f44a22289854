#include "collision/Collision_LayerGrid.h"

#include "collision/Collision_Stream.h"
#include "math/Math_Constants.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace Collision2D
{
namespace
{
constexpr u32 MaximumSlotListCapacity = 1u << 20;
constexpr u32 CellMinimumBytes = 3 * 8 + GridCell::EdgeCount * 16;

// Whether the segment meets the closed box [left, right] × [bottom, top] (bounds may be infinite):
// the part of the segment within each axis's bounds, narrowed axis by axis, is not empty.
bool SegmentMeetsBox(const Math::LineSegment2D& segment, const f32 (&low)[2], const f32 (&high)[2])
{
    const f32 from[2] = {segment.A.x, segment.A.y};
    const f32 along[2] = {segment.B.x - segment.A.x, segment.B.y - segment.A.y};
    f32 first = 0.0f;
    f32 last = 1.0f;
    for (i32 axis = 0; axis < 2; ++axis)
    {
        if (along[axis] == 0.0f)
        {
            if (from[axis] < low[axis] || from[axis] > high[axis])
                return false;
            continue;
        }
        f32 enter = (low[axis] - from[axis]) / along[axis];
        f32 leave = (high[axis] - from[axis]) / along[axis];
        if (enter > leave)
            std::swap(enter, leave);
        first = std::fmax(first, enter);
        last = std::fmin(last, leave);
        if (first > last)
            return false;
    }
    return true;
}
} // namespace

void SlotList::Add(u32 slot)
{
    if (slots.size() == capacity)
    {
        capacity += Growth;
        slots.reserve(capacity);
    }
    slots.push_back(slot);
}

void SlotList::AddOnce(u32 slot)
{
    if (std::find(slots.begin(), slots.end(), slot) == slots.end())
        Add(slot);
}

void SlotList::Save(Core::File& file) const
{
    Core::WriteU32(file, capacity);
    Core::WriteU32(file, static_cast<u32>(slots.size()));
    for (u32 slot : slots)
        Core::WriteU32(file, slot);
}

bool SlotList::Load(Core::File& file)
{
    u32 readCapacity = 0;
    u32 count = 0;
    if (!Core::ReadU32(file, readCapacity) || !Core::ReadCount(file, count, 4))
        return false;
    if (readCapacity > MaximumSlotListCapacity || count > readCapacity)
        return Stream::Reject(file);
    Core::Vector<u32> loaded(count);
    for (u32& slot : loaded)
    {
        if (!Core::ReadU32(file, slot))
            return false;
    }
    slots.swap(loaded);
    capacity = readCapacity;
    return true;
}

LayerGrid::LayerGrid(const Math::Vector2D& origin, i32 width, i32 height, i32 rows, i32 columns, f32 cellSize)
    : origin(origin), width(width), height(height), rows(rows < 1 ? 1 : rows), columns(columns < 1 ? 1 : columns),
      cellSize(cellSize > 0.0f ? cellSize : 1.0f)
{
    cells.resize(static_cast<std::size_t>(this->rows) * this->columns);
    dynamicCounts.assign(cells.size(), 0);
    dynamicCapacities.assign(cells.size(), 0);
    dynamicBegins.assign(cells.size(), 0);
    const f32 s = this->cellSize;
    for (i32 c = 0; c < this->columns; ++c)
    {
        for (i32 r = 0; r < this->rows; ++r)
        {
            const f32 x0 = static_cast<f32>(c) * s;
            const f32 x1 = static_cast<f32>(c + 1) * s;
            const f32 y0 = static_cast<f32>(r) * s;
            const f32 y1 = static_cast<f32>(r + 1) * s;
            Math::LineSegment2D* edges = Cell(c, r).edges;
            edges[GridCell::Top] = {{x0, y1}, {x1, y1}};
            edges[GridCell::Left] = {{x0, y0}, {x0, y1}};
            edges[GridCell::Right] = {{x1, y1}, {x1, y0}};
            edges[GridCell::Bottom] = {{x1, y0}, {x0, y0}};
        }
    }
}

i32 LayerGrid::ClampIndex(f32 value, i32 count)
{
    if (!(value >= 0.0f))
        return 0;
    if (value >= static_cast<f32>(count))
        return count - 1;
    return static_cast<i32>(value);
}

void LayerGrid::CellOf(const Math::Vector2D& point, i32& column, i32& row) const
{
    column = ClampIndex((point.x - origin.x) / cellSize, columns);
    row = ClampIndex((point.y - origin.y) / cellSize, rows);
}

void LayerGrid::RegisterCircle(const Math::Circle2D& circle, u32 slot)
{
    const Math::Vector2D c = circle.center - origin;
    const f32 r = circle.radius;
    i32 previousColumn = -1;
    i32 previousRow = -1;
    for (f32 a = 0.0f; static_cast<f64>(a) < 6.283185307179586; a += Math::DegreesToRadians)
    {
        const f32 px = c.x + std::cos(a) * r;
        const f32 py = c.y + std::sin(a) * r;
        const i32 column = ClampIndex(std::trunc(std::trunc(px + 0.5f) / cellSize), columns);
        const i32 row = ClampIndex(std::trunc(std::trunc(py + 0.5f) / cellSize), rows);
        if (column == previousColumn && row == previousRow)
            continue;
        previousColumn = column;
        previousRow = row;
        Cell(column, row).staticCircles.AddOnce(slot);
    }
}

void LayerGrid::RegisterLineSegment(const Math::LineSegment2D& segment, u32 slot)
{
    const Math::LineSegment2D local(segment.A - origin, segment.B - origin);
    const i32 columnA = ClampIndex(local.A.x / cellSize, columns);
    const i32 columnB = ClampIndex(local.B.x / cellSize, columns);
    const i32 rowA = ClampIndex(local.A.y / cellSize, rows);
    const i32 rowB = ClampIndex(local.B.y / cellSize, rows);
    // A cell is met when an end point lies in it (edges included) or the segment crosses one of its
    // edges. Points outside the grid fall into its border cells, so a border cell reaches out
    // without end beyond the grid's edge: shapes out there are met by the bodies out there.
    constexpr f32 far = std::numeric_limits<f32>::infinity();
    for (i32 column = std::min(columnA, columnB); column <= std::max(columnA, columnB); ++column)
    {
        for (i32 row = std::min(rowA, rowB); row <= std::max(rowA, rowB); ++row)
        {
            const f32 low[2] = {column == 0 ? -far : static_cast<f32>(column) * cellSize,
                                row == 0 ? -far : static_cast<f32>(row) * cellSize};
            const f32 high[2] = {column == columns - 1 ? far : static_cast<f32>(column + 1) * cellSize,
                                 row == rows - 1 ? far : static_cast<f32>(row + 1) * cellSize};
            if (SegmentMeetsBox(local, low, high))
                Cell(column, row).staticLineSegments.AddOnce(slot);
        }
    }
}

void LayerGrid::ClearDynamicLists()
{
    for (u32 index : occupiedCells)
        dynamicCounts[index] = 0;
    occupiedCells.clear();
    entries.clear();
}

void LayerGrid::AddDynamicObject(i32 column, i32 row, u32 slot)
{
    const u32 index = static_cast<u32>(Index(column, row));
    if (dynamicCounts[index]++ == 0)
        occupiedCells.push_back(index);
    entries.push_back({index, slot});
}

void LayerGrid::CloseDynamicLists()
{
    u32 begin = 0;
    for (u32 index : occupiedCells)
    {
        dynamicBegins[index] = begin;
        begin += dynamicCounts[index];
        u32& capacity = dynamicCapacities[index];
        while (capacity < dynamicCounts[index])
            capacity += DynamicListGrowth;
    }
    dynamicSlots.resize(begin);
    // Entries were added in slot order, so each cell's part of the flat list is in slot order too.
    for (const Entry& entry : entries)
        dynamicSlots[dynamicBegins[entry.cell]++] = entry.slot;
    for (u32 index : occupiedCells)
        dynamicBegins[index] -= dynamicCounts[index];
}

std::span<const u32> LayerGrid::DynamicObjects(i32 column, i32 row) const
{
    const std::size_t index = Index(column, row);
    const u32 count = dynamicCounts[index];
    if (count == 0)
        return {};
    return {dynamicSlots.data() + dynamicBegins[index], count};
}

void LayerGrid::Save(Core::File& file) const
{
    Stream::WriteVector(file, origin);
    Core::WriteI32(file, width);
    Core::WriteI32(file, height);
    Core::WriteI32(file, rows);
    Core::WriteI32(file, columns);
    Core::WriteF32(file, cellSize);
    for (std::size_t index = 0; index < cells.size(); ++index)
    {
        const GridCell& cell = cells[index];
        const std::span<const u32> dynamic =
            DynamicObjects(static_cast<i32>(index / rows), static_cast<i32>(index % rows));
        Core::WriteU32(file, dynamicCapacities[index]);
        Core::WriteU32(file, static_cast<u32>(dynamic.size()));
        for (u32 slot : dynamic)
            Core::WriteU32(file, slot);
        cell.staticCircles.Save(file);
        cell.staticLineSegments.Save(file);
        for (const Math::LineSegment2D& edge : cell.edges)
        {
            Stream::WriteVector(file, edge.A);
            Stream::WriteVector(file, edge.B);
        }
    }
}

bool LayerGrid::Load(Core::File& file)
{
    LayerGrid loaded;
    if (!Stream::ReadVector(file, loaded.origin) || !Core::ReadI32(file, loaded.width) ||
        !Core::ReadI32(file, loaded.height) || !Core::ReadI32(file, loaded.rows) || !Core::ReadI32(file, loaded.columns) ||
        !Core::ReadF32(file, loaded.cellSize))
        return false;
    if (loaded.rows < 1 || loaded.columns < 1 || !(loaded.cellSize > 0.0f) || !std::isfinite(loaded.cellSize) ||
        !std::isfinite(loaded.origin.x) || !std::isfinite(loaded.origin.y))
        return Stream::Reject(file);
    const u64 cellCount = u64(loaded.rows) * u64(loaded.columns);
    if (cellCount > 0xFFFFFFFFu)
        return Stream::Reject(file);
    if (!file.CanRead(cellCount * CellMinimumBytes))
        return false;
    loaded.cells.resize(static_cast<std::size_t>(cellCount));
    loaded.dynamicCounts.assign(loaded.cells.size(), 0);
    loaded.dynamicCapacities.assign(loaded.cells.size(), 0);
    loaded.dynamicBegins.assign(loaded.cells.size(), 0);
    for (u32 index = 0; index < loaded.cells.size(); ++index)
    {
        GridCell& cell = loaded.cells[index];
        SlotList dynamic;
        if (!dynamic.Load(file) || !cell.staticCircles.Load(file) || !cell.staticLineSegments.Load(file))
            return false;
        loaded.dynamicCapacities[index] = dynamic.Capacity();
        for (u32 slot : dynamic.Slots())
            loaded.AddDynamicObject(static_cast<i32>(index / loaded.rows), static_cast<i32>(index % loaded.rows), slot);
        for (Math::LineSegment2D& edge : cell.edges)
        {
            if (!Stream::ReadVector(file, edge.A) || !Stream::ReadVector(file, edge.B))
                return false;
        }
    }
    loaded.CloseDynamicLists();
    *this = std::move(loaded);
    return true;
}
} // namespace Collision2D
