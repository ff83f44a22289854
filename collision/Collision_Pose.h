#pragma once

#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

namespace Collision2D
{
// R(θ) v for θ in degrees, counter-clockwise; exact for θ = 0.
Math::Vector2D RotateDegrees(const Math::Vector2D& v, f32 degrees);

// Placement of an object's local points at one pose: a local point p lies at
// position + offset + R(orientation)(p − offset), so that the object turns about its offset point.
class Pose
{
public:
    Pose() = default;
    Pose(const Math::Vector2D& position, f32 orientation, const Math::Vector2D& offset);

    Math::Vector2D ToWorld(const Math::Vector2D& local) const
    {
        const Math::Vector2D d = local - offset;
        return pivot + Math::Vector2D(c * d.x - s * d.y, s * d.x + c * d.y);
    }
    Math::Vector2D ToLocal(const Math::Vector2D& world) const
    {
        const Math::Vector2D d = world - pivot;
        return offset + Math::Vector2D(c * d.x + s * d.y, c * d.y - s * d.x);
    }
    const Math::Vector2D& GetPivot() const { return pivot; }

private:
    Math::Vector2D pivot;
    Math::Vector2D offset;
    f32 c = 1.0f;
    f32 s = 0.0f;
};
} // namespace Collision2D
