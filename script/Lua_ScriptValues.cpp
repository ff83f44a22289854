#include "script/Lua_ScriptEngine.h"
#include "script/Lua_ScriptClass.h"
#include "script/Lua_Stack.h"

#include <lua.hpp>

#include <cstring>

namespace
{
// Value tables are read and written raw: a script's metatable on one cannot raise an error here.
lua_Number RawNumber(lua_State* thread, int table, const char* field)
{
    lua_pushstring(thread, field);
    lua_rawget(thread, table);
    const lua_Number value = lua_type(thread, -1) == LUA_TNUMBER ? lua_tonumber(thread, -1) : 0;
    lua_pop(thread, 1);
    return value;
}

void RawSetNumber(lua_State* thread, int table, const char* field, lua_Number value)
{
    lua_pushstring(thread, field);
    lua_pushnumber(thread, value);
    lua_rawset(thread, table);
}

int AbsoluteIndex(lua_State* thread, int index)
{
    return index < 0 && index > LUA_REGISTRYINDEX ? lua_gettop(thread) + index + 1 : index;
}

// The value class a table stands for, by its "className": 0 point, 1 vector, 2 colour, -1 none.
int ValueClassOf(lua_State* thread, int table)
{
    lua_pushstring(thread, "className");
    lua_rawget(thread, table);
    int valueClass = -1;
    if (lua_type(thread, -1) == LUA_TSTRING)
    {
        const char* name = lua_tostring(thread, -1);
        if (std::strcmp(name, "Point2D") == 0)
            valueClass = 0;
        else if (std::strcmp(name, "Vector2D") == 0)
            valueClass = 1;
        else if (std::strcmp(name, "Color") == 0)
            valueClass = 2;
    }
    lua_pop(thread, 1);
    return valueClass;
}
} // namespace

Math::Vector2D LuaScript::ReadVector2D(lua_State* thread, i32 index)
{
    const int table = AbsoluteIndex(thread, index);
    if (lua_type(thread, table) != LUA_TTABLE)
        return Math::Vector2D();
    return Math::Vector2D(static_cast<f32>(RawNumber(thread, table, "X")), static_cast<f32>(RawNumber(thread, table, "Y")));
}

Math::Point2D LuaScript::ReadPoint2D(lua_State* thread, i32 index)
{
    return ReadVector2D(thread, index);
}

Math::Color LuaScript::ReadColor(lua_State* thread, i32 index)
{
    const int table = AbsoluteIndex(thread, index);
    if (lua_type(thread, table) != LUA_TTABLE)
        return Math::Color(0, 0, 0, 1);
    return Math::Color(static_cast<f32>(RawNumber(thread, table, "R")), static_cast<f32>(RawNumber(thread, table, "G")),
                       static_cast<f32>(RawNumber(thread, table, "B")), static_cast<f32>(RawNumber(thread, table, "A")));
}

void LuaScript::ReadSize(lua_State* thread, i32 index, f32& width, f32& height)
{
    const int table = AbsoluteIndex(thread, index);
    width = 0.0f;
    height = 0.0f;
    if (lua_type(thread, table) != LUA_TTABLE)
        return;
    width = static_cast<f32>(RawNumber(thread, table, "Width"));
    height = static_cast<f32>(RawNumber(thread, table, "Height"));
}

bool LuaScript::CallGlobal(lua_State* thread, const char* name, i32 argumentCount, i32 resultCount)
{
    const int base = lua_gettop(thread) - argumentCount;
    PushGlobalCaller(thread);
    lua_insert(thread, base + 1);
    lua_pushstring(thread, name);
    lua_insert(thread, base + 2);
    if (lua_pcall(thread, argumentCount + 1, resultCount, 0) == 0)
        return true;
    lua_settop(thread, base);
    return false;
}

void LuaScript::PushValueTable(lua_State* thread, const char* constructor, const char* className)
{
    const bool made = CallGlobal(thread, constructor, 0, 1);
    if (!made || lua_type(thread, -1) != LUA_TTABLE)
    {
        if (made)
            lua_pop(thread, 1);
        lua_newtable(thread);
        lua_pushstring(thread, "className");
        lua_pushstring(thread, className);
        lua_rawset(thread, -3);
    }
}

i32 LuaScript::PushVector2D(lua_State* thread, f32 x, f32 y)
{
    PushValueTable(thread, "CreateVector", "Vector2D");
    const int table = lua_gettop(thread);
    RawSetNumber(thread, table, "X", x);
    RawSetNumber(thread, table, "Y", y);
    return table;
}

i32 LuaScript::PushPoint2D(lua_State* thread, f32 x, f32 y)
{
    PushValueTable(thread, "CreatePoint", "Point2D");
    const int table = lua_gettop(thread);
    RawSetNumber(thread, table, "X", x);
    RawSetNumber(thread, table, "Y", y);
    return table;
}

i32 LuaScript::PushColor(lua_State* thread, f32 r, f32 g, f32 b, f32 a)
{
    PushValueTable(thread, "CreateColor", "Color");
    const int table = lua_gettop(thread);
    RawSetNumber(thread, table, "R", r);
    RawSetNumber(thread, table, "G", g);
    RawSetNumber(thread, table, "B", b);
    RawSetNumber(thread, table, "A", a);
    return table;
}

i32 LuaScript::PushSize(lua_State* thread, f32 width, f32 height)
{
    PushValueTable(thread, "CreateSize", "Size");
    const int table = lua_gettop(thread);
    RawSetNumber(thread, table, "Width", width);
    RawSetNumber(thread, table, "Height", height);
    return table;
}

i32 LuaScript::CopyValues(lua_State* from, lua_State* to, u32 skip, i32 count)
{
    const int n = lua_gettop(from);
    if (!lua_checkstack(to, n + 1))
        return 0;
    int first = 1;
    if (skip != 0)
    {
        if (n <= 1 || skip > static_cast<u32>(n))
            return 0;
        first = static_cast<int>(skip) + 2;
    }
    else
    {
        if (count <= 0)
            return 0;
        first = count >= n ? 1 : n - count + 1;
    }
    i32 copied = 0;
    for (int index = first; index <= n; ++index)
    {
        switch (lua_type(from, index))
        {
        case LUA_TNIL:
        case LUA_TBOOLEAN:
        case LUA_TLIGHTUSERDATA:
        case LUA_TNUMBER:
        case LUA_TSTRING:
            lua_pushvalue(from, index);
            lua_xmove(from, to, 1);
            break;
        case LUA_TTABLE:
            switch (ValueClassOf(from, index))
            {
            case 0:
            {
                const Math::Point2D point = ReadPoint2D(from, index);
                PushPoint2D(to, point.x, point.y);
                break;
            }
            case 1:
            {
                const Math::Vector2D vector = ReadVector2D(from, index);
                PushVector2D(to, vector.x, vector.y);
                break;
            }
            case 2:
            {
                const Math::Color color = ReadColor(from, index);
                PushColor(to, color.r, color.g, color.b, color.a);
                break;
            }
            default:
                lua_pushnil(to);
                break;
            }
            break;
        case LUA_TUSERDATA:
            // The same userdata: it holds the same object (or value) under the same metatable.
            if (Lua::GetScriptClassOf(from, index) && *static_cast<void**>(lua_touserdata(from, index)))
            {
                lua_pushvalue(from, index);
                lua_xmove(from, to, 1);
            }
            else
            {
                lua_pushnil(to);
            }
            break;
        default:
            continue;
        }
        ++copied;
    }
    return copied;
}

namespace Lua
{
bool CallGlobal(lua_State* state, const char* name, i32 argumentCount, i32 resultCount)
{
    return LuaScript::CallGlobal(state, name, argumentCount, resultCount);
}

Math::Point2D ToPoint(lua_State* state, i32 index)
{
    return LuaScript::ReadPoint2D(state, index);
}

Math::Vector2D ToVector(lua_State* state, i32 index)
{
    return LuaScript::ReadVector2D(state, index);
}

Math::Color ToColor(lua_State* state, i32 index)
{
    return LuaScript::ReadColor(state, index);
}

void SetVectorFields(lua_State* state, i32 index, const Math::Vector2D& vector)
{
    const int table = AbsoluteIndex(state, index);
    if (lua_type(state, table) != LUA_TTABLE)
        return;
    RawSetNumber(state, table, "X", vector.x);
    RawSetNumber(state, table, "Y", vector.y);
}

i32 PushPoint(lua_State* state, const Math::Point2D& point)
{
    LuaScript::PushPoint2D(state, point.x, point.y);
    return 1;
}

i32 PushVector(lua_State* state, const Math::Vector2D& vector)
{
    LuaScript::PushVector2D(state, vector.x, vector.y);
    return 1;
}

i32 PushColor(lua_State* state, const Math::Color& color)
{
    LuaScript::PushColor(state, color.r, color.g, color.b, color.a);
    return 1;
}
} // namespace Lua
