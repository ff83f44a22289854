#include "collision/Collision_Pose.h"

#include "math/Math_Constants.h"

#include <cmath>

namespace Collision2D
{
namespace
{
void CosSin(f32 degrees, f32& c, f32& s)
{
    if (degrees == 0.0f)
    {
        c = 1.0f;
        s = 0.0f;
        return;
    }
    const f32 radians = degrees * Math::DegreesToRadians;
    c = std::cos(radians);
    s = std::sin(radians);
}
} // namespace

Math::Vector2D RotateDegrees(const Math::Vector2D& v, f32 degrees)
{
    f32 c = 1.0f;
    f32 s = 0.0f;
    CosSin(degrees, c, s);
    return {c * v.x - s * v.y, s * v.x + c * v.y};
}

Pose::Pose(const Math::Vector2D& position, f32 orientation, const Math::Vector2D& offset)
    : pivot(position + offset), offset(offset)
{
    CosSin(orientation, c, s);
}
} // namespace Collision2D
