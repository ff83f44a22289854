#pragma once
// Script methods made of a class's own getter and setter, for the rows of its table:
// Lua::Method<&Lua::SetValue<&Control::SetText>> reads its one argument as the setter takes it and
// changes nothing when the argument is missing; Lua::Method<&Lua::GetValue<&Control::GetText>>
// pushes what the getter returns. SetX, SetY, GetX and GetY do the same for one coordinate of a
// point the class gets and sets whole.
#include "core/Core_String.h"
#include "script/Lua_Stack.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"

#include <type_traits>

namespace Lua
{
template <class Member>
struct MemberTraits;
template <class C, class R, class A>
struct MemberTraits<R (C::*)(A)>
{
    using Class = C;
    using Value = std::remove_cvref_t<A>;
};
template <class C, class R>
struct MemberTraits<R (C::*)() const>
{
    using Class = C;
    using Value = std::remove_cvref_t<R>;
};
template <auto Member>
using ClassOf = typename MemberTraits<decltype(Member)>::Class;
template <auto Member>
using ValueOf = typename MemberTraits<decltype(Member)>::Value;

template <class Value>
Value Read(lua_State* state, i32 index)
{
    if constexpr (std::is_same_v<Value, bool>)
        return ToBoolean(state, index);
    else if constexpr (std::is_same_v<Value, f32>)
        return CheckFloat(state, index);
    else if constexpr (std::is_same_v<Value, i32>)
        return CheckInteger(state, index);
    else if constexpr (std::is_same_v<Value, u32>)
        return CheckUnsigned(state, index);
    else if constexpr (std::is_same_v<Value, Core::String>)
        return CheckString(state, index);
    else
    {
        static_assert(std::is_same_v<Value, Math::Color>, "a value type scripts cannot give");
        return ToColor(state, index);
    }
}

template <class Value>
i32 Push(lua_State* state, const Value& value)
{
    if constexpr (std::is_same_v<Value, bool>)
        return PushBoolean(state, value);
    else if constexpr (std::is_arithmetic_v<Value>)
        return PushNumber(state, static_cast<f64>(value));
    else if constexpr (std::is_same_v<Value, Core::String>)
        return PushString(state, value);
    else
    {
        static_assert(std::is_same_v<Value, Math::Color>, "a value type scripts cannot take");
        return PushColor(state, value);
    }
}

template <auto Set>
i32 SetValue(lua_State* state, ClassOf<Set>& self)
{
    if (HasArguments(state, 1))
        (self.*Set)(Read<ValueOf<Set>>(state, 1));
    return 0;
}

template <auto Get>
i32 GetValue(lua_State* state, ClassOf<Get>& self)
{
    return Push(state, (self.*Get)());
}

template <auto Get, auto Set>
i32 SetX(lua_State* state, ClassOf<Set>& self)
{
    if (HasArguments(state, 1))
        (self.*Set)(Math::Point2D(CheckFloat(state, 1), (self.*Get)().y));
    return 0;
}

template <auto Get, auto Set>
i32 SetY(lua_State* state, ClassOf<Set>& self)
{
    if (HasArguments(state, 1))
        (self.*Set)(Math::Point2D((self.*Get)().x, CheckFloat(state, 1)));
    return 0;
}

template <auto Get>
i32 GetX(lua_State* state, ClassOf<Get>& self)
{
    return PushNumber(state, (self.*Get)().x);
}

template <auto Get>
i32 GetY(lua_State* state, ClassOf<Get>& self)
{
    return PushNumber(state, (self.*Get)().y);
}
}  // namespace Lua
