#include "collision/Collision_LayerGrid.h"

#include "collision/Collision_Stream.h"
#include "core/Math_Constants.h"

#include <algorithm>
#include <cmath>

namespace Collision2D
{
namespace
{
constexpr u32 MaximumSlotListCapacity = 1u << 20;
constexpr u32 CellMinimumBytes = 3 * 8 + GridCell::EdgeCount * 16;

bool Contains(const GridCell& cell, const Math::Vector2D& p)
{
    const f32 left = cell.edges[GridCell::Left].A.x;
    const f32 right = cell.edges[GridCell::Right].A.x;
    const f32 bottom = cell.edges[GridCell::Bottom].A.y;
    const f32 top = cell.edges[GridCell::Top].A.y;
    return left <= p.x && p.x <= right && bottom <= p.y && p.y <= top;
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
    for (i32 column = std::min(columnA, columnB); column <= std::max(columnA, columnB); ++column)
    {
        for (i32 row = std::min(rowA, rowB); row <= std::max(rowA, rowB); ++row)
        {
            GridCell& cell = Cell(column, row);
            bool meets = Contains(cell, local.A) || Contains(cell, local.B);
            for (i32 edge = 0; !meets && edge < GridCell::EdgeCount; ++edge)
            {
                const int code = local.ClassifyToLineSegment(cell.edges[edge]);
                meets = code == Math::Code::Meet || code == Math::Code::Same;
            }
            if (meets)
                cell.staticLineSegments.AddOnce(slot);
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
