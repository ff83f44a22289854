// The script values a networked object's script adds to its records. A list comes from a peer:
// its count is bounded by the bytes that are there, every string by the stream, and reading stops
// at the first entry it does not know, so nothing is read past the list or pushed past the stack.
#include "core/Core_File.h"
#include "core/Core_String.h"
#include "script/Lua_ScriptEngine.h"

#include <lua.hpp>

#include <cstring>

namespace
{
// The value classes a table entry carries numbers for, and their fields.
struct ValueClass
{
    const char* name;
    const char* constructor;
    const char* fields[4];
    u32 fieldCount;
};
const ValueClass valueClasses[] = {
    {"Point2D", "CreatePoint", {"X", "Y"}, 2},
    {"Vector2D", "CreateVector", {"X", "Y"}, 2},
    {"Color", "CreateColor", {"R", "G", "B", "A"}, 4},
};

const ValueClass* FindValueClass(const Core::String& name)
{
    for (const ValueClass& valueClass : valueClasses)
    {
        if (name == valueClass.name)
            return &valueClass;
    }
    return nullptr;
}

Core::String RawString(lua_State* thread, int table, const char* field)
{
    lua_pushstring(thread, field);
    lua_rawget(thread, table);
    size_t length = 0;
    const char* text = lua_type(thread, -1) == LUA_TSTRING ? lua_tolstring(thread, -1, &length) : nullptr;
    Core::String value = text ? Core::String(text, length) : Core::String();
    lua_pop(thread, 1);
    return value;
}

lua_Number RawNumber(lua_State* thread, int table, const char* field)
{
    lua_pushstring(thread, field);
    lua_rawget(thread, table);
    const lua_Number value = lua_type(thread, -1) == LUA_TNUMBER ? lua_tonumber(thread, -1) : 0;
    lua_pop(thread, 1);
    return value;
}

const char* TagOf(int type)
{
    switch (type)
    {
    case LUA_TNIL:
        return "nil";
    case LUA_TBOOLEAN:
        return "tbool";
    case LUA_TLIGHTUSERDATA:
        return "tldata";
    case LUA_TNUMBER:
        return "tnum";
    case LUA_TSTRING:
        return "string";
    case LUA_TTABLE:
        return "ttable";
    case LUA_TFUNCTION:
        return "tfun";
    case LUA_TUSERDATA:
        return "tuser";
    default:
        return nullptr;
    }
}

void WriteValue(lua_State* thread, int index, Core::File& file)
{
    const int type = lua_type(thread, index);
    Core::WriteString(file, TagOf(type));
    if (type == LUA_TBOOLEAN)
    {
        Core::WriteU8(file, lua_toboolean(thread, index) ? 1 : 0);
    }
    else if (type == LUA_TNUMBER)
    {
        Core::WriteF64(file, lua_tonumber(thread, index));
    }
    else if (type == LUA_TSTRING)
    {
        size_t length = 0;
        const char* text = lua_tolstring(thread, index, &length);
        Core::WriteString(file, Core::String(text, length));
    }
    else if (type == LUA_TTABLE)
    {
        const Core::String className = RawString(thread, index, "className");
        Core::WriteString(file, className);
        if (const ValueClass* valueClass = FindValueClass(className))
        {
            for (u32 i = 0; i < valueClass->fieldCount; ++i)
                Core::WriteF64(file, RawNumber(thread, index, valueClass->fields[i]));
        }
    }
}
}  // namespace

void LuaScript::WriteNetworkValues(lua_State* thread, i32 first, Core::File& file)
{
    const int top = lua_gettop(thread);
    u32 count = 0;
    for (int index = first; index <= top; ++index)
    {
        count += TagOf(lua_type(thread, index)) ? 1 : 0;
    }
    Core::WriteU32(file, count);
    for (int index = first; index <= top; ++index)
    {
        if (TagOf(lua_type(thread, index)))
            WriteValue(thread, index, file);
    }
}

i32 LuaScript::ReadNetworkValues(lua_State* thread, Core::File& file)
{
    u32 count = 0;
    // Every entry holds at least its tag's length.
    if (!Core::ReadCount(file, count, 4))
        return 0;
    i32 pushed = 0;
    for (u32 entry = 0; entry < count; ++entry)
    {
        Core::String tag;
        if (Core::ReadString(file, tag).Failed() || !lua_checkstack(thread, 2))
            break;
        if (tag == "nil")
        {
            lua_pushnil(thread);
        }
        else if (tag == "tbool")
        {
            u8 value = 0;
            if (!Core::ReadU8(file, value))
                break;
            lua_pushboolean(thread, value != 0);
        }
        else if (tag == "tnum")
        {
            f64 value = 0.0;
            if (!Core::ReadF64(file, value))
                break;
            lua_pushnumber(thread, value);
        }
        else if (tag == "string")
        {
            Core::String text;
            if (Core::ReadString(file, text).Failed())
                break;
            lua_pushlstring(thread, text.data(), text.size());
        }
        else if (tag == "ttable")
        {
            Core::String className;
            if (Core::ReadString(file, className).Failed())
                break;
            const ValueClass* valueClass = FindValueClass(className);
            if (!valueClass)
                continue;
            f64 numbers[4] = {};
            for (u32 i = 0; i < valueClass->fieldCount; ++i)
                Core::ReadF64(file, numbers[i]);
            if (file.Failed())
                break;
            PushValueTable(thread, valueClass->constructor, valueClass->name);
            const int table = lua_gettop(thread);
            for (u32 i = 0; i < valueClass->fieldCount; ++i)
            {
                lua_pushstring(thread, valueClass->fields[i]);
                lua_pushnumber(thread, numbers[i]);
                lua_rawset(thread, table);
            }
        }
        else if (tag == "tldata" || tag == "tfun" || tag == "tuser")
        {
            continue;
        }
        else
        {
            break;
        }
        ++pushed;
    }
    return pushed;
}
