#pragma once
// What the physics classes' script methods share: booleans go to scripts as the numbers 1 and 0,
// matrices as the tables "CreateMatrix" makes from their nine elements in element order.
#include "core/Core_Types.h"

struct lua_State;

namespace Core
{
class Base;
}

namespace Math
{
class Matrix3x3;
}

namespace Physics2D
{
i32 PushFlag(lua_State* state, bool value);
// The one method behind every table row that does nothing.
i32 DoNothing(lua_State* state, Core::Base& receiver);
i32 PushMatrix(lua_State* state, const Math::Matrix3x3& matrix);
}  // namespace Physics2D
