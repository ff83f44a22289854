#include "script/Lua_Stack.h"

#include "script/Lua_ScriptClass.h"

#include <lua.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace Lua
{
namespace
{
// A value userdata keeps its value this far into the block, aligned for any field.
constexpr size_t ValueOffset = 16;

[[noreturn]] void ThrowTypeError(lua_State* state, i32 index, const char* expected)
{
    ArgumentError error{index, {}};
    std::snprintf(error.message, sizeof(error.message), "%s expected, got %s", expected,
                  luaL_typename(state, index));
    throw error;
}

// The truncated number at index when it lies in [low, high]; false for NaN and anything else.
bool ToWhole(lua_State* state, i32 index, f64 low, f64 high, f64& result)
{
    const f64 value = std::trunc(CheckNumber(state, index));
    if (!(value >= low && value <= high))
        return false;
    result = value;
    return true;
}

bool IsAbsent(lua_State* state, i32 index)
{
    return lua_type(state, index) <= LUA_TNIL;
}
} // namespace

i32 GetTop(lua_State* state)
{
    return lua_gettop(state);
}

void SetTop(lua_State* state, i32 top)
{
    lua_settop(state, top);
}

void PushCopy(lua_State* state, i32 index)
{
    lua_pushvalue(state, index);
}

void Insert(lua_State* state, i32 index)
{
    lua_insert(state, index);
}

bool IsNumber(lua_State* state, i32 index)
{
    return lua_type(state, index) == LUA_TNUMBER;
}

bool IsString(lua_State* state, i32 index)
{
    return lua_type(state, index) == LUA_TSTRING;
}

bool IsTable(lua_State* state, i32 index)
{
    return lua_type(state, index) == LUA_TTABLE;
}

bool IsNil(lua_State* state, i32 index)
{
    return lua_type(state, index) <= LUA_TNIL;
}

f64 CheckNumber(lua_State* state, i32 index)
{
    // Converts a numeric string as the library's check does, without changing the stack.
    if (!lua_isnumber(state, index))
        ThrowTypeError(state, index, "number");
    return lua_tonumber(state, index);
}

f32 CheckFloat(lua_State* state, i32 index)
{
    return static_cast<f32>(CheckNumber(state, index));
}

u32 CheckUnsigned(lua_State* state, i32 index)
{
    f64 value = 0;
    return ToWhole(state, index, 0, std::numeric_limits<u32>::max(), value) ? static_cast<u32>(value) : 0;
}

i32 CheckInteger(lua_State* state, i32 index)
{
    f64 value = 0;
    return ToWhole(state, index, std::numeric_limits<i32>::min(), std::numeric_limits<i32>::max(), value)
               ? static_cast<i32>(value)
               : 0;
}

u32 OptUnsigned(lua_State* state, i32 index, u32 fallback)
{
    return IsAbsent(state, index) ? fallback : CheckUnsigned(state, index);
}

i32 OptInteger(lua_State* state, i32 index, i32 fallback)
{
    return IsAbsent(state, index) ? fallback : CheckInteger(state, index);
}

f32 OptFloat(lua_State* state, i32 index, f32 fallback)
{
    return IsAbsent(state, index) ? fallback : CheckFloat(state, index);
}

bool CheckIndex(lua_State* state, i32 index, u32 count, u32& result)
{
    f64 value = 0;
    if (!ToWhole(state, index, 0, static_cast<f64>(count) - 1, value))
        return false;
    result = static_cast<u32>(value);
    return true;
}

bool ToBoolean(lua_State* state, i32 index)
{
    return lua_toboolean(state, index) != 0;
}

Core::String CheckString(lua_State* state, i32 index)
{
    const int type = lua_type(state, index);
    if (type != LUA_TSTRING && type != LUA_TNUMBER)
        ThrowTypeError(state, index, "string");
    // A number is converted on a copy, so the stack keeps its number.
    lua_pushvalue(state, index);
    size_t length = 0;
    const char* text = lua_tolstring(state, -1, &length);
    Core::String result(text, length);
    lua_pop(state, 1);
    return result;
}

Core::String ToString(lua_State* state, i32 index)
{
    return IsString(state, index) || IsNumber(state, index) ? CheckString(state, index) : Core::String();
}

Core::Base* ToBase(lua_State* state, i32 index)
{
    const ScriptClass* scriptClass = GetScriptClassOf(state, index);
    if (!scriptClass || !scriptClass->holdsObjects)
        return nullptr;
    return *static_cast<Core::Base**>(lua_touserdata(state, index));
}

void* ToValue(lua_State* state, i32 index, const char* className)
{
    const ScriptClass* scriptClass = GetScriptClassOf(state, index);
    if (!scriptClass || scriptClass->holdsObjects || std::strcmp(scriptClass->name, className) != 0)
        return nullptr;
    return *static_cast<void**>(lua_touserdata(state, index));
}

i32 PushNil(lua_State* state)
{
    lua_pushnil(state);
    return 1;
}

i32 PushNumber(lua_State* state, f64 value)
{
    lua_pushnumber(state, value);
    return 1;
}

i32 PushBoolean(lua_State* state, bool value)
{
    lua_pushboolean(state, value ? 1 : 0);
    return 1;
}

i32 PushString(lua_State* state, const char* text)
{
    lua_pushstring(state, text ? text : "");
    return 1;
}

i32 PushString(lua_State* state, const Core::String& text)
{
    lua_pushlstring(state, text.data(), text.size());
    return 1;
}

i32 PushObject(lua_State* state, Core::Base* object)
{
    const int top = lua_gettop(state);
    if (object)
        object->PushToScript(state);
    if (lua_gettop(state) == top)
        lua_pushnil(state);
    lua_settop(state, top + 1);
    return 1;
}

void PushObjectAs(lua_State* state, void* object, const char* scriptTypeName)
{
    *static_cast<void**>(lua_newuserdata(state, sizeof(void*))) = object;
    luaL_getmetatable(state, scriptTypeName);
    if (lua_isnil(state, -1))
    {
        lua_pop(state, 1);
        luaL_getmetatable(state, "Object");
    }
    lua_setmetatable(state, -2);
}

void* PushValueBlock(lua_State* state, u32 size, const char* className)
{
    char* block = static_cast<char*>(lua_newuserdata(state, ValueOffset + size));
    *reinterpret_cast<void**>(block) = nullptr;
    luaL_getmetatable(state, className);
    lua_setmetatable(state, -2);
    return block + ValueOffset;
}

void* GetOwnedValue(lua_State* state, i32 index)
{
    char* block = static_cast<char*>(lua_touserdata(state, index));
    if (!block || lua_type(state, index) != LUA_TUSERDATA || lua_objlen(state, index) <= ValueOffset)
        return nullptr;
    void* held = *reinterpret_cast<void**>(block);
    return held == block + ValueOffset ? held : nullptr;
}

void SetHeldPointer(lua_State* state, void* held)
{
    *static_cast<void**>(lua_touserdata(state, -1)) = held;
}

i32 PushNewTable(lua_State* state)
{
    lua_newtable(state);
    return 1;
}

void SetListElement(lua_State* state, u32 position)
{
    lua_rawseti(state, -2, static_cast<int>(position));
}

void SetField(lua_State* state, i32 table, const char* name)
{
    const int absolute = table < 0 ? lua_gettop(state) + table + 1 : table;
    lua_pushstring(state, name);
    lua_insert(state, -2);
    lua_rawset(state, absolute);
}
} // namespace Lua
