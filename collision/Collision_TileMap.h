#pragma once

#include "collision/Collision_MainObject.h"
#include "collision/Collision_Rect.h"
#include "collision/Collision_Tile.h"
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Core
{
class File;
}

namespace Collision2D
{
class DynamicObject;
class TMAP_C;

// A static collision object made of a grid of square cells over a set of tiles, anchored at its
// position: cell (column c, row r) covers x from position.x + c × Dimension to position.x + (c + 1)
// × Dimension, and y likewise by rows, y growing upwards. Dynamic objects are tested against the
// used cells and learn which cells they touched and the ids those cells showed.
//
// Invariants: the cells are NumberOfColumns × NumberOfRows, stored column by column; a used cell's
// tile is one of the map's tiles; a map with cells has a Dimension of at least 1, and Width and
// Height are Dimension times the columns and rows.
class TileMap : public MainCollisionObject
{
public:
    // Directions of the cell queries: 1 up, 2 down, 3 left, 4 right, 5 up-right, 6 down-right,
    // 7 up-left, 8 down-left.
    static constexpr i32 Directions = 8;

    TileMap();
    // Same geometry and placement and a new id number, with default tiles and unused cells: the
    // tiles and the cells' contents are not copied.
    TileMap(const TileMap& other);
    TileMap& operator=(const TileMap&) = delete;

    TileMap* Clone() const;

    // Builds the tiles and cells from a tile-map text file (LF or CR LF line ends), and sets the
    // local bounding rectangle to the grid's extent. False, with the map unchanged, when the file
    // cannot be opened or does not hold a well-formed map.
    bool ReadInformation(const Core::String& path);

    // Once per frame: tile animations advance, the world rectangle follows the position.
    void Update(f32 dt);

    // Position = the point minus the offset.
    void SetPosition(const Math::Vector2D& point) { position = point - offset; }
    // Moves the position so that the owner's position stays.
    void SetOffset(const Math::Vector2D& newOffset);
    const Math::Vector2D& GetPosition() const { return position; }
    u8 GetZCollision() const { return zCollision; }
    void SetZCollision(u8 z) { zCollision = z; }
    u32 GetIdNumber() const { return idNumber; }
    // The rectangle relative to the position, and its world placement refreshed by Update.
    const VelRect& GetBoundingRectangle() const { return boundingRectangle; }
    void SetBoundingRectangle(const VelRect& rectangle) { boundingRectangle = rectangle; }
    const VelRect& GetCurrentBoundingRectangle() const { return currentBoundingRectangle; }
    void SetCurrentBoundingRectangle(const VelRect& rectangle) { currentBoundingRectangle = rectangle; }

    i32 Dimension() const { return dimension; }
    i32 Width() const { return width; }
    i32 Height() const { return height; }
    i32 NumberOfRows() const { return rows; }
    i32 NumberOfColumns() const { return columns; }
    i32 GetTileCount() const { return static_cast<i32>(tiles.size()); }
    Tile* GetTile(i32 index) { return index >= 0 && index < GetTileCount() ? &tiles[static_cast<std::size_t>(index)] : nullptr; }

    // Cell queries. Cells outside the grid do not exist: they are never used and have no id.
    bool ValidCell(i32 column, i32 row) const { return column >= 0 && column < columns && row >= 0 && row < rows; }
    Cell* GetCell(i32 column, i32 row);
    const Cell* GetCell(i32 column, i32 row) const;
    u8 GetCellUsed(i32 column, i32 row) const;
    static u8 CellId(const Cell& cell) { return cell.Id(); }
    // The column or row of a map-local coordinate (truncated toward zero).
    i32 CellIndex(f32 local) const;
    // The id of the used neighbour, in the direction, of the cell holding the world point; −1 (255
    // as a byte) when there is none or the direction is not 1 to 8.
    i8 GetCollidedCellId(const Math::Vector2D& point, i32 direction) const;
    // Replaces ids by the current ids of the used cells under one edge of the object's current world
    // rectangle, or two edges for a corner direction (each cell once), in increasing order.
    void GetCollidedCellsIDWithBoundingRectangle(const DynamicObject& object, i32 direction, Core::Vector<u8>& ids) const;
    // Appends, for each of the object's current hot spots, the id GetCollidedCellId finds in the
    // direction, when there is one below 255.
    void GetCollidedCellsIDWithHotSpots(const DynamicObject& object, i32 direction, Core::Vector<u8>& ids) const;

    // Records the used cells the object touched into its current tile-map record, by its bounding
    // rectangle or by its hot spots, and commits the record when there is any.
    void Collide(DynamicObject& object, u8 layer);
    // The two tests; true when they added an entry to the record.
    bool CollideRectangle(const DynamicObject& object, TMAP_C& record) const;
    bool CollideHotSpots(const DynamicObject& object, TMAP_C& record) const;

    // Kind, the running id counter, id number, local rectangle, position, z-level, the sizes, the
    // tiles and every cell's tile index and used flag.
    void Save(Core::File& file) const;
    // Restores the running id counter and each used cell's tile. False (the stream failed) on a
    // truncated record or impossible sizes, tiles or cells.
    bool Load(Core::File& file);

    static void ResetIdCounter() { nextIdNumber = 1; }
    static u32 GetNextIdNumber() { return nextIdNumber; }

protected:
    const char* GetScriptTypeName() const override { return "CollisionTileMap"; }

private:
    // Grids larger than this many cells are refused by the reader and the stream.
    static constexpr i64 MaximumCells = i64(1) << 20;

    inline static u32 nextIdNumber = 1;

    // Replaces the grid: sizes set, tileCount default tiles, every cell unused and without a tile.
    void Allocate(i32 cellSize, i32 columnCount, i32 rowCount, i32 tileCount);
    bool HasCells() const { return !cells.empty(); }
    // The cell at (column, row) when it lies in the grid and is used; otherwise null.
    const Cell* UsedCell(i32 column, i32 row) const;
    // Static entries for the used cells under one edge (side 1 right, 2 left, 3 top, 6 bottom) of
    // the object's current world rectangle.
    void WalkSide(const DynamicObject& object, i32 side, TMAP_C& record, bool& hit) const;
    // A static entry for the cell under a hot spot, when it is used.
    void HotSpotCell(i32 column, i32 row, i32 index, TMAP_C& record, bool& hit) const;

    Core::Vector<Tile> tiles;
    VelRect currentBoundingRectangle;
    u32 idNumber;
    VelRect boundingRectangle;
    Math::Vector2D position;
    Math::Vector2D offset;
    u8 zCollision = 0;
    i32 dimension = 0;
    i32 width = 0;
    i32 height = 0;
    i32 rows = 0;
    i32 columns = 0;
    Core::Vector<Cell> cells; // cells[column × rows + row]
};
} // namespace Collision2D
