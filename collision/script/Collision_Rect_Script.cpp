// A "VelRect" object shows its four sides to scripts as the fields top, left, right and bottom.
#include "collision/Collision_Rect.h"
#include "script/Lua_ScriptClass.h"

namespace Collision2D
{
namespace
{
template <f32 VelRect::*Side>
i32 GetSide(lua_State* state, VelRect& rectangle)
{
    return Lua::PushNumber(state, rectangle.*Side);
}

template <f32 VelRect::*Side>
i32 SetSide(lua_State* state, VelRect& rectangle)
{
    rectangle.*Side = Lua::CheckFloat(state, 1);
    return 0;
}

const Vellumar::ScriptMethodEntry methods[] = {{nullptr, nullptr}};
const Lua::ScriptProperty fields[] = {
    {"top", Lua::Method<&GetSide<&VelRect::top>>, Lua::Method<&SetSide<&VelRect::top>>},
    {"left", Lua::Method<&GetSide<&VelRect::left>>, Lua::Method<&SetSide<&VelRect::left>>},
    {"right", Lua::Method<&GetSide<&VelRect::right>>, Lua::Method<&SetSide<&VelRect::right>>},
    {"bottom", Lua::Method<&GetSide<&VelRect::bottom>>, Lua::Method<&SetSide<&VelRect::bottom>>},
    {nullptr, nullptr, nullptr},
};
const Lua::ScriptClass scriptClass{"VelRect", methods, true, fields};
const Lua::ScriptClassRegistrar registrar(scriptClass);
} // namespace
} // namespace Collision2D
