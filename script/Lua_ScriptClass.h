#pragma once
// Script classes: the method table of each scriptable class and the metatable made from it. A
// class's table lives beside the class (its …_Script.cpp file) and registers itself at start-up;
// a master state gives every registered class a metatable under its script name, whose methods
// take the receiver off the stack and call the table's native with it.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "script/Lua_Stack.h"

#include <type_traits>

namespace Lua
{
// Native of a script method: reads its arguments from index 1, pushes its results and returns
// their number. The receiver is the object (or value) the method was called on.
using Native = i32 (*)(lua_State* state, void* receiver);
}  // namespace Lua

namespace Vellumar
{
// One script method. A class's table is a static array of them ended by {nullptr, nullptr}.
struct ScriptMethodEntry
{
    const char* name;
    Lua::Native native;
};
}  // namespace Vellumar

namespace Lua
{
template <class Function>
struct ReceiverOf;
template <class T>
struct ReceiverOf<i32 (*)(lua_State*, T&)>
{
    using Type = T;
};

// The native of a function taking its receiver typed: Method<&GetName> for
// i32 GetName(lua_State*, Vellumar::Sprite&). An object receiver of another class calls nothing.
template <auto Function>
i32 Method(lua_State* state, void* receiver)
{
    using T = typename ReceiverOf<decltype(Function)>::Type;
    T* self = nullptr;
    if constexpr (std::is_base_of_v<Core::Base, T>)
        self = dynamic_cast<T*>(static_cast<Core::Base*>(receiver));
    else
        self = static_cast<T*>(receiver);
    return self ? Function(state, *self) : 0;
}

// A field scripts read and write as receiver.name: the getter pushes the value, the setter takes
// it from index 1. A list of them ends with an entry whose name is null.
struct ScriptProperty
{
    const char* name;
    Native get;
    Native set;
};

struct ScriptClass
{
    // The metatable's name, as the class's PushToScript names it.
    const char* name;
    const Vellumar::ScriptMethodEntry* methods;
    // Userdata of the class hold Core::Base objects; otherwise values of exactly this class.
    bool holdsObjects;
    const ScriptProperty* properties = nullptr;
    // Value classes that hold resources: run on a copy a userdata owns when it is collected.
    void (*release)(void* value) = nullptr;
};

// Rows before the terminating empty entry.
u32 CountMethods(const Vellumar::ScriptMethodEntry* methods);

// Adds a class to the list the master state is built from, at start-up.
struct ScriptClassRegistrar
{
    explicit ScriptClassRegistrar(const ScriptClass& scriptClass);
};
const Core::Vector<const ScriptClass*>& GetScriptClasses();
// The registered class of that name, or null.
const ScriptClass* FindScriptClass(const char* name);

// Creates the class's metatable in state (registered under its name, methods under "__index").
void RegisterScriptClass(lua_State* state, const ScriptClass& scriptClass);
// The class whose metatable the value at index has, or null for any other value.
const ScriptClass* GetScriptClassOf(lua_State* state, i32 index);
}  // namespace Lua
