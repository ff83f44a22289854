#include "framework/Vellumar_Random.h"

#include "core/Core_Random.h"

#include <cstdlib>

namespace Vellumar
{
namespace
{
f32 Draw()
{
    return static_cast<f32>(Core::Rand()) / 32767.0f;
}
}  // namespace

i32 RandomInt(i32 n)
{
    const f32 v = Draw() * static_cast<f32>(std::abs(n));
    const i32 k = static_cast<i32>(v);
    const i32 rounded = v - static_cast<f32>(k) > 0.5f ? k + 1 : k;
    return n < 0 ? -rounded : rounded;
}

i32 RandomIntInRange(i32 lo, i32 hi)
{
    return lo + RandomInt(hi - lo);
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
