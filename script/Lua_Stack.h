#pragma once
// What script methods need of the script stack, without the Lua headers. Arguments are read as the
// Lua library's own checks read them: a number, or a string that converts to one, gives its value,
// and a string argument takes a number in its text form; anything else is the script's error. The
// check throws an ArgumentError, which the glue that called the method turns into the script's Lua
// error once the method's C++ frames have unwound (a Lua error is a longjmp, which would skip their
// destructors), so a check may be made anywhere in a method. A method finds its first argument at
// index 1 (the receiver is not on the stack).
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"

#include <type_traits>

struct lua_State;

namespace Lua
{
i32 GetTop(lua_State* state);
void SetTop(lua_State* state, i32 top);
// Pushes a copy of the value at index.
void PushCopy(lua_State* state, i32 index);
// Moves the value on top of the stack to index, shifting the values above it up.
void Insert(lua_State* state, i32 index);
// True when the stack holds at least count values (the receiver included).
inline bool HasArguments(lua_State* state, i32 count)
{
    return GetTop(state) >= count;
}

bool IsNumber(lua_State* state, i32 index);
bool IsString(lua_State* state, i32 index);
bool IsTable(lua_State* state, i32 index);
bool IsNil(lua_State* state, i32 index);

// An argument that is not of the type a method reads: its index and luaL_typerror's words.
struct ArgumentError
{
    i32 index;
    char message[64];
};

// The number at index.
f64 CheckNumber(lua_State* state, i32 index);
f32 CheckFloat(lua_State* state, i32 index);
// The number at index truncated, when it is neither NaN nor outside the type's range; else 0.
u32 CheckUnsigned(lua_State* state, i32 index);
i32 CheckInteger(lua_State* state, i32 index);
// The same, or fallback when the argument is absent or nil.
u32 OptUnsigned(lua_State* state, i32 index, u32 fallback);
i32 OptInteger(lua_State* state, i32 index, i32 fallback);
f32 OptFloat(lua_State* state, i32 index, f32 fallback);
// The truncated number at index when it is a valid index below count.
bool CheckIndex(lua_State* state, i32 index, u32 count, u32& result);
// Lua truth: everything but nil and false.
bool ToBoolean(lua_State* state, i32 index);
// The string at index (a number in its text form).
Core::String CheckString(lua_State* state, i32 index);
// The same for rows that read a string as lua_tolstring does: anything else gives an empty string.
Core::String ToString(lua_State* state, i32 index);

// Value tables (points, vectors, colours): the fields of the table at index, or the defaults
// (0, 0) and (0, 0, 0, 1) for anything that is not a table.
Math::Point2D ToPoint(lua_State* state, i32 index);
Math::Vector2D ToVector(lua_State* state, i32 index);
Math::Color ToColor(lua_State* state, i32 index);

// The object held by a userdata that an object pushed, else null.
Core::Base* ToBase(lua_State* state, i32 index);
template <class T>
T* ToObject(lua_State* state, i32 index)
{
    static_assert(std::is_base_of_v<Core::Base, T>);
    return dynamic_cast<T*>(ToBase(state, index));
}
// The value held by a userdata of the script class named className (classes that are not
// objects, such as the shapes), else null.
void* ToValue(lua_State* state, i32 index, const char* className);
template <class T>
T* ToValue(lua_State* state, i32 index, const char* className)
{
    return static_cast<T*>(ToValue(state, index, className));
}

i32 PushNil(lua_State* state);
i32 PushNumber(lua_State* state, f64 value);
i32 PushBoolean(lua_State* state, bool value);
i32 PushString(lua_State* state, const char* text);
i32 PushString(lua_State* state, const Core::String& text);
// New value tables made by the script's "CreatePoint", "CreateVector" and "CreateColor".
i32 PushPoint(lua_State* state, const Math::Point2D& point);
i32 PushVector(lua_State* state, const Math::Vector2D& vector);
i32 PushColor(lua_State* state, const Math::Color& color);
// Writes "X" and "Y" of the table at index (raw); nothing for a value that is not a table.
void SetVectorFields(lua_State* state, i32 index, const Math::Vector2D& vector);
// The object through its own PushToScript; nil for null or an object that pushed nothing.
i32 PushObject(lua_State* state, Core::Base* object);
// A userdata holding object with the metatable registered as scriptTypeName (or the plain
// "Object" one when there is none).
void PushObjectAs(lua_State* state, void* object, const char* scriptTypeName);
// A userdata owning a copy of value, with the metatable registered as className: the script
// holds the only reference, and the copy goes with the userdata (its destructor runs only when the
// class gives a release function, so a T without one holds no resources).
template <class T>
i32 PushValueCopy(lua_State* state, const T& value, const char* className);
i32 PushNewTable(lua_State* state);
// Stores the value on top of the stack at list[position] of the table below it and pops it.
void SetListElement(lua_State* state, u32 position);
// Stores the value on top of the stack as table[name] (raw) and pops it.
void SetField(lua_State* state, i32 table, const char* name);

// Calls the script's global function name in a protected call with the arguments on top of the
// stack. True with the results pushed; false with the arguments gone and nothing pushed when
// there is no such function or the call fails.
bool CallGlobal(lua_State* state, const char* name, i32 argumentCount, i32 resultCount);

// The copy that the userdata at index owns (one PushValueCopy made), else null.
void* GetOwnedValue(lua_State* state, i32 index);
// Storage for PushValueCopy: the block it returns holds size bytes, kept as long as the userdata.
void* PushValueBlock(lua_State* state, u32 size, const char* className);
// Stores what the userdata on top of the stack holds.
void SetHeldPointer(lua_State* state, void* held);

template <class T>
i32 PushValueCopy(lua_State* state, const T& value, const char* className)
{
    T* copy = new (PushValueBlock(state, sizeof(T), className)) T(value);
    // An object is held as a Core::Base pointer, as its own PushToScript would hold it.
    if constexpr (std::is_base_of_v<Core::Base, T>)
        SetHeldPointer(state, static_cast<Core::Base*>(copy));
    else
        SetHeldPointer(state, copy);
    return 1;
}
}  // namespace Lua
