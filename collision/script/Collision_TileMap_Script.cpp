// Script methods of "CollisionTileMap", "Cell" and "Tile", and the fields of cells and tiles.
// Cells are addressed by column and row; one outside the grid gives no result.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Rect.h"
#include "collision/Collision_Tile.h"
#include "collision/Collision_TileMap.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
// A tile-map file named by a script stays below the folder the game gave it.
bool IsContainedPath(const Core::String& path)
{
    return !path.empty() && path.find("..") == Core::String::npos;
}

i32 ReadInformation(lua_State* state, TileMap& map)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const Core::String path = Lua::CheckString(state, 1);
    if (IsContainedPath(path))
        map.ReadInformation(path);
    return 0;
}

i32 SetPosition(lua_State* state, TileMap& map)
{
    if (Lua::IsTable(state, 1))
        map.SetPosition(Lua::ToPoint(state, 1));
    return 0;
}

i32 SetZCollision(lua_State* state, TileMap& map)
{
    if (Lua::HasArguments(state, 1))
        map.SetZCollision(static_cast<u8>(Lua::CheckInteger(state, 1)));
    return 0;
}

template <i32 (TileMap::*Size)() const>
i32 GetSize(lua_State* state, TileMap& map)
{
    return Lua::PushNumber(state, (map.*Size)());
}

i32 SetBoundingRectangle(lua_State* state, TileMap& map)
{
    if (Lua::HasArguments(state, 4))
        map.SetBoundingRectangle(
            VelRect(Lua::CheckFloat(state, 1), Lua::CheckFloat(state, 2), Lua::CheckFloat(state, 3), Lua::CheckFloat(state, 4)));
    return 0;
}

i32 GetBoundingRectangle(lua_State* state, TileMap& map)
{
    return Lua::PushValueCopy(state, map.GetBoundingRectangle(), "VelRect");
}

i32 GetCurrentBoundingRectangle(lua_State* state, TileMap& map)
{
    return Lua::PushValueCopy(state, map.GetCurrentBoundingRectangle(), "VelRect");
}

i32 GetCell(lua_State* state, TileMap& map)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    Cell* cell = map.GetCell(Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2));
    return cell ? Lua::PushObject(state, cell) : 0;
}

i32 GetCellUsed(lua_State* state, TileMap& map)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, map.GetCellUsed(Lua::CheckInteger(state, 1), Lua::CheckInteger(state, 2)) != 0);
}

i32 GetCollidedCellId(lua_State* state, TileMap& map)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    const i8 id = map.GetCollidedCellId(Lua::ToPoint(state, 1), Lua::CheckInteger(state, 2));
    return Lua::PushNumber(state, static_cast<u8>(id));
}

i32 PushIds(lua_State* state, const Core::Vector<u8>& ids)
{
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const u8 id : ids)
    {
        Lua::PushNumber(state, id);
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

i32 GetCollidedCellsIDWithBoundingRectangle(lua_State* state, TileMap& map)
{
    const DynamicObject* object = Lua::ToObject<DynamicObject>(state, 1);
    if (!object || !Lua::HasArguments(state, 2))
        return 0;
    Core::Vector<u8> ids;
    map.GetCollidedCellsIDWithBoundingRectangle(*object, Lua::CheckInteger(state, 2), ids);
    return PushIds(state, ids);
}

i32 GetCollidedCellsIDWithHotSpots(lua_State* state, TileMap& map)
{
    const DynamicObject* object = Lua::ToObject<DynamicObject>(state, 1);
    if (!object || !Lua::HasArguments(state, 2))
        return 0;
    Core::Vector<u8> ids;
    map.GetCollidedCellsIDWithHotSpots(*object, Lua::CheckInteger(state, 2), ids);
    return PushIds(state, ids);
}

const Vellumar::ScriptMethodEntry mapMethods[] = {
    {"ReadInformation", Lua::Method<&ReadInformation>},
    {"SetPosition", Lua::Method<&SetPosition>},
    {"SetZCollision", Lua::Method<&SetZCollision>},
    {"Dimension", Lua::Method<&GetSize<&TileMap::Dimension>>},
    {"Width", Lua::Method<&GetSize<&TileMap::Width>>},
    {"Height", Lua::Method<&GetSize<&TileMap::Height>>},
    {"NumberOfRows", Lua::Method<&GetSize<&TileMap::NumberOfRows>>},
    {"NumberOfColumns", Lua::Method<&GetSize<&TileMap::NumberOfColumns>>},
    {"SetBoundingRectangle", Lua::Method<&SetBoundingRectangle>},
    {"GetBoundingRectangle", Lua::Method<&GetBoundingRectangle>},
    {"GetCurrentBoundingRectangle", Lua::Method<&GetCurrentBoundingRectangle>},
    {"GetCell", Lua::Method<&GetCell>},
    {"GetCellUsed", Lua::Method<&GetCellUsed>},
    {"GetCollidedCellId", Lua::Method<&GetCollidedCellId>},
    {"GetCollidedCellsIDWithBoundingRectangle", Lua::Method<&GetCollidedCellsIDWithBoundingRectangle>},
    {"GetCollidedCellsIDWithHotSpots", Lua::Method<&GetCollidedCellsIDWithHotSpots>},
    {nullptr, nullptr},
};
const Lua::ScriptClass mapClass{"CollisionTileMap", mapMethods, true};
const Lua::ScriptClassRegistrar mapRegistrar(mapClass);

i32 CellId(lua_State* state, Cell& cell)
{
    return Lua::PushNumber(state, cell.Id());
}

i32 CellImage(lua_State* state, Cell& cell)
{
    return Lua::PushNumber(state, cell.MyImage());
}

i32 GetUsed(lua_State* state, Cell& cell)
{
    return Lua::PushBoolean(state, cell.isUsed != 0);
}

i32 SetUsed(lua_State* state, Cell& cell)
{
    cell.isUsed = Lua::ToBoolean(state, 1) ? 1 : 0;
    return 0;
}

i32 GetTileIndex(lua_State* state, Cell& cell)
{
    return Lua::PushNumber(state, cell.myTileIndex);
}

i32 SetTileIndex(lua_State* state, Cell& cell)
{
    cell.myTileIndex = Lua::CheckInteger(state, 1);
    return 0;
}

i32 GetTile(lua_State* state, Cell& cell)
{
    return Lua::PushObject(state, cell.MyTile);
}

// A cell keeps pointing at a tile of its own map: the given tile's state is copied into it.
i32 SetTile(lua_State* state, Cell& cell)
{
    const Tile* tile = Lua::ToObject<Tile>(state, 1);
    if (tile && cell.MyTile && tile != cell.MyTile)
        *cell.MyTile = *tile;
    return 0;
}

const Vellumar::ScriptMethodEntry cellMethods[] = {
    {"Id", Lua::Method<&CellId>},
    {"MyImage", Lua::Method<&CellImage>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty cellFields[] = {
    {"isUsed", Lua::Method<&GetUsed>, Lua::Method<&SetUsed>},
    {"myTileIndex", Lua::Method<&GetTileIndex>, Lua::Method<&SetTileIndex>},
    {"MyTile", Lua::Method<&GetTile>, Lua::Method<&SetTile>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass cellClass{"Cell", cellMethods, true, cellFields};
const Lua::ScriptClassRegistrar cellRegistrar(cellClass);

i32 TileId(lua_State* state, Tile& tile)
{
    return Lua::PushNumber(state, tile.CurrentId());
}

i32 TileImage(lua_State* state, Tile& tile)
{
    return Lua::PushNumber(state, tile.CurrentImage());
}

i32 GetActivated(lua_State* state, Tile& tile)
{
    return Lua::PushBoolean(state, tile.IsActivated());
}

i32 SetActivated(lua_State* state, Tile& tile)
{
    tile.SetActivated(Lua::ToBoolean(state, 1));
    return 0;
}

const Vellumar::ScriptMethodEntry tileMethods[] = {
    {"CurrentId", Lua::Method<&TileId>},
    {"CurrentImage", Lua::Method<&TileImage>},
    {nullptr, nullptr},
};
const Lua::ScriptProperty tileFields[] = {
    {"isActivated", Lua::Method<&GetActivated>, Lua::Method<&SetActivated>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass tileClass{"Tile", tileMethods, true, tileFields};
const Lua::ScriptClassRegistrar tileRegistrar(tileClass);
} // namespace
} // namespace Collision2D
