#pragma once
// Random values through the project generator (0..32767). One draw t = rand / 32767 serves every
// component of a vector or colour.
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"

namespace Vellumar
{
// In [0, |n|] with the sign of n: t × |n| rounded to the nearest integer, an exact half down.
i32 RandomInt(i32 n);
i32 RandomIntInRange(i32 lo, i32 hi);
f32 RandomFloatInRange(f32 lo, f32 hi);
Math::Vector2D RandomVectorInRange(const Math::Vector2D& lo, const Math::Vector2D& hi);
Math::Color RandomColorInRange(const Math::Color& a, const Math::Color& b);
}  // namespace Vellumar
