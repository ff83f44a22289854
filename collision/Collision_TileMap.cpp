#include "collision/Collision_TileMap.h"

#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Stream.h"
#include "core/Core_File.h"

#include <climits>

namespace Collision2D
{
namespace
{
// Smallest streamed tile (no images) and streamed cell.
constexpr u32 TileMinimumBytes = 4 + 4 + 4 + 1;
constexpr u32 CellBytes = 4 + 1;
// Cell indexes beyond any grid, so that a neighbour of them is still outside.
constexpr f32 FarIndex = 1.0e9f;

// Neighbour offsets by direction (index 0 unused).
constexpr i32 StepColumn[TileMap::Directions + 1] = {0, 0, 0, -1, 1, 1, 1, -1, -1};
constexpr i32 StepRow[TileMap::Directions + 1] = {0, 1, -1, 0, 0, 1, -1, 1, -1};

bool ReadSize(Core::File& file, i32& value)
{
    u32 read = 0;
    if (!Core::ReadU32(file, read))
        return false;
    if (read > u32(INT32_MAX))
        return Stream::Reject(file);
    value = static_cast<i32>(read);
    return true;
}
} // namespace

TileMap::TileMap() : MainCollisionObject(KindTileMap), idNumber(nextIdNumber++)
{
}

TileMap::TileMap(const TileMap& other)
    : MainCollisionObject(other), currentBoundingRectangle(other.currentBoundingRectangle), idNumber(nextIdNumber++),
      boundingRectangle(other.boundingRectangle), position(other.position), offset(other.offset),
      zCollision(other.zCollision)
{
    Allocate(other.dimension, other.columns, other.rows, other.GetTileCount());
}

TileMap* TileMap::Clone() const
{
    return new (__FILE__, __LINE__) TileMap(*this);
}

void TileMap::SetOffset(const Math::Vector2D& newOffset)
{
    position = position + offset - newOffset;
    offset = newOffset;
}

void TileMap::Allocate(i32 cellSize, i32 columnCount, i32 rowCount, i32 tileCount)
{
    dimension = cellSize;
    columns = columnCount;
    rows = rowCount;
    width = cellSize * columnCount;
    height = cellSize * rowCount;
    // Cells first: they point into the tiles that are replaced.
    cells.assign(static_cast<std::size_t>(i64(columnCount) * rowCount), Cell());
    tiles.assign(static_cast<std::size_t>(tileCount), Tile());
}

void TileMap::Update(f32 dt)
{
    for (Tile& tile : tiles)
        tile.Advance(dt);
    currentBoundingRectangle.top = boundingRectangle.top + position.y;
    currentBoundingRectangle.bottom = boundingRectangle.bottom + position.y;
    currentBoundingRectangle.left = boundingRectangle.left + position.x;
    currentBoundingRectangle.right = boundingRectangle.right + position.x;
}

Cell* TileMap::GetCell(i32 column, i32 row)
{
    return ValidCell(column, row) ? &cells[static_cast<std::size_t>(column) * rows + row] : nullptr;
}

const Cell* TileMap::GetCell(i32 column, i32 row) const
{
    return ValidCell(column, row) ? &cells[static_cast<std::size_t>(column) * rows + row] : nullptr;
}

u8 TileMap::GetCellUsed(i32 column, i32 row) const
{
    const Cell* cell = GetCell(column, row);
    return cell ? cell->isUsed : 0;
}

const Cell* TileMap::UsedCell(i32 column, i32 row) const
{
    const Cell* cell = GetCell(column, row);
    return cell && cell->isUsed ? cell : nullptr;
}

i32 TileMap::CellIndex(f32 local) const
{
    const f32 index = local / static_cast<f32>(dimension);
    // Also catches an undefined coordinate, which lies in no cell.
    if (!(index > -FarIndex))
        return -static_cast<i32>(FarIndex);
    if (index > FarIndex)
        return static_cast<i32>(FarIndex);
    return static_cast<i32>(index);
}

i8 TileMap::GetCollidedCellId(const Math::Vector2D& point, i32 direction) const
{
    if (!HasCells() || direction < 1 || direction > Directions)
        return -1;
    const i32 column = CellIndex(point.x - position.x) + StepColumn[direction];
    const i32 row = CellIndex(point.y - position.y) + StepRow[direction];
    const Cell* cell = UsedCell(column, row);
    return cell ? static_cast<i8>(cell->Id()) : -1;
}

void TileMap::GetCollidedCellsIDWithBoundingRectangle(const DynamicObject& object, i32 direction,
                                                      Core::Vector<u8>& ids) const
{
    ids.clear();
    if (!HasCells() || direction < 1 || direction > Directions)
        return;
    const VelRect& rectangle = object.GetCurrentWorldRectangle();
    const i32 top = CellIndex(rectangle.top - position.y);
    const i32 bottom = CellIndex(rectangle.bottom - position.y);
    const i32 left = CellIndex(rectangle.left - position.x);
    const i32 right = CellIndex(rectangle.right - position.x);
    // Cells of one row (or column) from first to last, inside the grid, but for the one at skip.
    auto row = [&](i32 r, i32 first, i32 last, i32 skip) {
        if (r < 0 || r >= rows)
            return;
        for (i32 c = first < 0 ? 0 : first; c <= last && c < columns; ++c)
            if (const Cell* cell = UsedCell(c, r); cell && c != skip)
                ids.push_back(cell->Id());
    };
    auto column = [&](i32 c, i32 first, i32 last, i32 skip) {
        if (c < 0 || c >= columns)
            return;
        for (i32 r = first < 0 ? 0 : first; r <= last && r < rows; ++r)
            if (const Cell* cell = UsedCell(c, r); cell && r != skip)
                ids.push_back(cell->Id());
    };
    const i32 none = INT32_MIN;
    switch (direction)
    {
    case 1:
        row(top, left, right, none);
        break;
    case 2:
        row(bottom, left, right, none);
        break;
    case 3:
        column(left, bottom, top, none);
        break;
    case 4:
        column(right, bottom, top, none);
        break;
    // A corner's cell belongs to both of its edges; it is listed with the row.
    case 5:
        row(top, left, right, none);
        column(right, bottom, top, top);
        break;
    case 6:
        row(bottom, left, right, none);
        column(right, bottom, top, bottom);
        break;
    case 7:
        row(top, left, right, none);
        column(left, bottom, top, top);
        break;
    default:
        row(bottom, left, right, none);
        column(left, bottom, top, bottom);
        break;
    }
}

void TileMap::GetCollidedCellsIDWithHotSpots(const DynamicObject& object, i32 direction, Core::Vector<u8>& ids) const
{
    const Core::Vector<Math::Point2D>& hotSpots = object.GetCurrentHotSpots();
    for (i32 i = 0; i < object.GetHotSpotCount() && i < static_cast<i32>(hotSpots.size()); ++i)
    {
        const u8 id = static_cast<u8>(GetCollidedCellId(hotSpots[static_cast<std::size_t>(i)], direction));
        if (id < NoCellId)
            ids.push_back(id);
    }
}

void TileMap::Save(Core::File& file) const
{
    SaveKind(file);
    Core::WriteU32(file, nextIdNumber);
    Core::WriteU32(file, idNumber);
    boundingRectangle.Save(file);
    Stream::WriteVector(file, position);
    Core::WriteU8(file, zCollision);
    Core::WriteU32(file, static_cast<u32>(dimension));
    Core::WriteU32(file, static_cast<u32>(width));
    Core::WriteU32(file, static_cast<u32>(height));
    Core::WriteU32(file, static_cast<u32>(rows));
    Core::WriteU32(file, static_cast<u32>(columns));
    Core::WriteU32(file, static_cast<u32>(tiles.size()));
    for (const Tile& tile : tiles)
        tile.Save(file);
    for (const Cell& cell : cells)
    {
        Core::WriteU32(file, static_cast<u32>(cell.myTileIndex));
        Core::WriteU8(file, cell.isUsed);
    }
}

bool TileMap::Load(Core::File& file)
{
    u32 counter = 0;
    if (!LoadKind(file) || !Core::ReadU32(file, counter) || !Core::ReadU32(file, idNumber) ||
        !boundingRectangle.Load(file) || !Stream::ReadVector(file, position) || !Core::ReadU8(file, zCollision))
        return false;
    i32 cellSize = 0;
    i32 readWidth = 0;
    i32 readHeight = 0;
    i32 rowCount = 0;
    i32 columnCount = 0;
    u32 tileCount = 0;
    if (!ReadSize(file, cellSize) || !ReadSize(file, readWidth) || !ReadSize(file, readHeight) ||
        !ReadSize(file, rowCount) || !ReadSize(file, columnCount) || !Core::ReadCount(file, tileCount, TileMinimumBytes))
        return false;
    const i64 cellCount = i64(columnCount) * rowCount;
    if (readWidth != i64(cellSize) * columnCount || readHeight != i64(cellSize) * rowCount ||
        cellCount > MaximumCells || (cellCount > 0 && cellSize < 1))
        return Stream::Reject(file);
    Allocate(cellSize, columnCount, rowCount, static_cast<i32>(tileCount));
    for (Tile& tile : tiles)
    {
        if (!tile.Load(file))
            return false;
    }
    if (!file.CanRead(u64(cellCount) * CellBytes))
        return false;
    for (Cell& cell : cells)
    {
        u32 index = 0;
        if (!Core::ReadU32(file, index) || !Core::ReadU8(file, cell.isUsed))
            return false;
        cell.myTileIndex = static_cast<i32>(index);
        // The tile of a cell is restored from its index; an index naming no tile leaves none.
        if (cell.isUsed)
            cell.MyTile = GetTile(cell.myTileIndex);
    }
    nextIdNumber = counter;
    return true;
}
} // namespace Collision2D
