#include "script/Lua_ScriptClass.h"

#include <lua.hpp>

#include <algorithm>
#include <cstring>

namespace Lua
{
namespace
{
// Key of the metatable field that names the class of a metatable made here; its address is
// unique, so no script value can forge it.
const char ClassKey = 0;

const Vellumar::ScriptMethodEntry NoMethods[] = {{nullptr, nullptr}};
// Objects whose class registers no table of its own are pushed with this one.
const ScriptClass ObjectClass{"Object", NoMethods, true};
const ScriptClassRegistrar objectRegistrar(ObjectClass);

Core::Vector<const ScriptClass*>& ScriptClasses()
{
    static Core::Vector<const ScriptClass*> classes;
    return classes;
}

// The receiver at index when it suits scriptClass: any object for a class of objects, a value of
// exactly that class otherwise; else null.
void* ReceiverAt(lua_State* state, int index, const ScriptClass* scriptClass)
{
    const ScriptClass* receiverClass = GetScriptClassOf(state, index);
    if (!receiverClass || receiverClass->holdsObjects != scriptClass->holdsObjects ||
        (!scriptClass->holdsObjects && receiverClass != scriptClass))
        return nullptr;
    return *static_cast<void**>(lua_touserdata(state, index));
}

// Lua takes a native's results from the top of the stack: never more than the stack holds.
int Results(lua_State* state, i32 results)
{
    return results < 0 ? 0 : std::min<int>(results, lua_gettop(state));
}

const ScriptProperty* FindProperty(const ScriptClass* scriptClass, lua_State* state, int keyIndex)
{
    if (lua_type(state, keyIndex) != LUA_TSTRING)
        return nullptr;
    const char* key = lua_tostring(state, keyIndex);
    for (const ScriptProperty* property = scriptClass->properties; property && property->name; ++property)
    {
        if (std::strcmp(property->name, key) == 0)
            return property;
    }
    return nullptr;
}

// Runs a native with its arguments from stack position offset + 1. An argument it cannot read is
// raised as the library's argument check raises it, but only here, after the native's frames have
// unwound: the error is a longjmp, and this frame holds nothing with a destructor.
int CallNative(lua_State* state, Native native, void* receiver, int offset)
{
    ArgumentError error{};
    try
    {
        return Results(state, native(state, receiver));
    }
    catch (const ArgumentError& thrown)
    {
        error = thrown;
    }
    return luaL_argerror(state, error.index + offset, error.message);
}

// Upvalues: the class and the entry. Takes the receiver off the stack and calls the native; a
// receiver of another class gets no call and no result.
int Dispatch(lua_State* state)
{
    const ScriptClass* scriptClass = static_cast<const ScriptClass*>(lua_touserdata(state, lua_upvalueindex(1)));
    const Vellumar::ScriptMethodEntry* entry =
        static_cast<const Vellumar::ScriptMethodEntry*>(lua_touserdata(state, lua_upvalueindex(2)));
    void* receiver = ReceiverAt(state, 1, scriptClass);
    if (!receiver)
        return 0;
    lua_remove(state, 1);
    return CallNative(state, entry->native, receiver, 1);
}

// "__index" of a class with properties (receiver, key); upvalues: the class and its methods.
int IndexProperty(lua_State* state)
{
    lua_pushvalue(state, 2);
    lua_rawget(state, lua_upvalueindex(2));
    if (!lua_isnil(state, -1))
        return 1;
    const ScriptClass* scriptClass = static_cast<const ScriptClass*>(lua_touserdata(state, lua_upvalueindex(1)));
    const ScriptProperty* property = FindProperty(scriptClass, state, 2);
    void* receiver = ReceiverAt(state, 1, scriptClass);
    if (!property || !property->get || !receiver)
        return 0;
    lua_settop(state, 0);
    return Results(state, property->get(state, receiver));
}

// "__newindex" (receiver, key, value); upvalue: the class. Names that are no property are ignored.
int NewIndexProperty(lua_State* state)
{
    const ScriptClass* scriptClass = static_cast<const ScriptClass*>(lua_touserdata(state, lua_upvalueindex(1)));
    const ScriptProperty* property = FindProperty(scriptClass, state, 2);
    void* receiver = ReceiverAt(state, 1, scriptClass);
    if (!property || !property->set || !receiver)
        return 0;
    lua_settop(state, 3);
    lua_remove(state, 1);
    lua_remove(state, 1);
    CallNative(state, property->set, receiver, 2);
    return 0;
}

// The __gc of value classes with a release function.
int CollectValue(lua_State* state)
{
    const auto* scriptClass = static_cast<const ScriptClass*>(lua_touserdata(state, lua_upvalueindex(1)));
    if (void* copy = GetOwnedValue(state, 1))
        scriptClass->release(copy);
    return 0;
}
} // namespace

u32 CountMethods(const Vellumar::ScriptMethodEntry* methods)
{
    u32 count = 0;
    while (methods && methods[count].name)
        ++count;
    return count;
}

ScriptClassRegistrar::ScriptClassRegistrar(const ScriptClass& scriptClass)
{
    ScriptClasses().push_back(&scriptClass);
}

const Core::Vector<const ScriptClass*>& GetScriptClasses()
{
    return ScriptClasses();
}

const ScriptClass* FindScriptClass(const char* name)
{
    for (const ScriptClass* scriptClass : ScriptClasses())
    {
        if (std::strcmp(scriptClass->name, name) == 0)
            return scriptClass;
    }
    return nullptr;
}

void RegisterScriptClass(lua_State* state, const ScriptClass& scriptClass)
{
    luaL_newmetatable(state, scriptClass.name);
    lua_pushlightuserdata(state, const_cast<char*>(&ClassKey));
    lua_pushlightuserdata(state, const_cast<ScriptClass*>(&scriptClass));
    lua_rawset(state, -3);

    lua_newtable(state);
    for (const Vellumar::ScriptMethodEntry* entry = scriptClass.methods; entry && entry->name; ++entry)
    {
        lua_pushlightuserdata(state, const_cast<ScriptClass*>(&scriptClass));
        lua_pushlightuserdata(state, const_cast<Vellumar::ScriptMethodEntry*>(entry));
        lua_pushcclosure(state, &Dispatch, 2);
        lua_setfield(state, -2, entry->name);
    }
    if (scriptClass.properties)
    {
        lua_pushlightuserdata(state, const_cast<ScriptClass*>(&scriptClass));
        lua_insert(state, -2);
        lua_pushcclosure(state, &IndexProperty, 2);
        lua_setfield(state, -2, "__index");
        lua_pushlightuserdata(state, const_cast<ScriptClass*>(&scriptClass));
        lua_pushcclosure(state, &NewIndexProperty, 1);
        lua_setfield(state, -2, "__newindex");
    }
    else
    {
        lua_setfield(state, -2, "__index");
    }
    if (scriptClass.release)
    {
        lua_pushlightuserdata(state, const_cast<ScriptClass*>(&scriptClass));
        lua_pushcclosure(state, &CollectValue, 1);
        lua_setfield(state, -2, "__gc");
    }
    lua_pop(state, 1);
}

const ScriptClass* GetScriptClassOf(lua_State* state, i32 index)
{
    // A userdata too small to hold a pointer was not made here, whatever metatable it was given.
    if (lua_type(state, index) != LUA_TUSERDATA || lua_objlen(state, index) < sizeof(void*) ||
        !lua_getmetatable(state, index))
        return nullptr;
    lua_pushlightuserdata(state, const_cast<char*>(&ClassKey));
    lua_rawget(state, -2);
    const ScriptClass* scriptClass = static_cast<const ScriptClass*>(lua_touserdata(state, -1));
    lua_pop(state, 2);
    return scriptClass;
}
} // namespace Lua
