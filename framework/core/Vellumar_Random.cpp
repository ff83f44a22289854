#include "framework/core/Vellumar_Random.h"

#include "core/Core_Random.h"

#include <algorithm>

namespace Vellumar
{
namespace
{
f32 Draw()
{
    return static_cast<f32>(Core::Rand()) / 32767.0f;
}

// Over 64 bits, so that the magnitude of the smallest int and the span of any two ints are exact.
// A magnitude beyond f32's integers can round up: the result is kept between 0 and n, so it fits
// the caller's int.
i64 RoundedDraw(i64 n)
{
    const i64 magnitude = n < 0 ? -n : n;
    const f32 v = Draw() * static_cast<f32>(magnitude);
    const i64 k = static_cast<i64>(v);
    const i64 rounded = std::min(v - static_cast<f32>(k) > 0.5f ? k + 1 : k, magnitude);
    return n < 0 ? -rounded : rounded;
}
}  // namespace

i32 RandomInt(i32 n)
{
    return static_cast<i32>(RoundedDraw(n));
}

i32 RandomIntInRange(i32 lo, i32 hi)
{
    return static_cast<i32>(lo + RoundedDraw(static_cast<i64>(hi) - lo));
}

f32 RandomFloatInRange(f32 lo, f32 hi)
{
    return lo + Draw() * (hi - lo);
}

Math::Vector2D RandomVectorInRange(const Math::Vector2D& lo, const Math::Vector2D& hi)
{
    const f32 t = Draw();
    return Math::Vector2D(lo.x + (hi.x - lo.x) * t, lo.y + (hi.y - lo.y) * t);
}

Math::Color RandomColorInRange(const Math::Color& a, const Math::Color& b)
{
    const f32 t = Draw();
    return Math::Color(a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t);
}
}  // namespace Vellumar
