#pragma once

#include "collision/Collision_Geometry.h"
#include "collision/Collision_PairStep.h"
#include "core/Core_Types.h"
#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "math/Math_Vector2D.h"

// Terms shared by the sweeps of the dynamic-versus-dynamic tests.
namespace Collision2D::Sweep
{
using Detail::Contact;
using Detail::ContactSink;
using Detail::NoHitDistance;
using Geometry::Distance;
using Geometry::Unit;

// Relative motion of a point over the step: the vector to where it lay at the start, its length
// and its direction.
struct Motion
{
    Math::Vector2D vector;
    f32 length = 0.0f;
    Math::Vector2D direction;

    Motion(const Math::Vector2D& from, const Math::Vector2D& to)
        : vector(to - from), length(Geometry::Length(vector)), direction(Unit(vector))
    {
    }
    bool Sweeps() const { return length >= Math::Epsilon; }
};

// The first point where the ray leaves or meets the circle, if the ray meets it at all.
inline bool RayHitsCircle(const Math::Point2D& origin, const Math::Vector2D& direction, const Math::Circle2D& circle,
                   Math::Point2D& hit, bool leavingOnly)
{
    Math::Point2D second;
    const int code = Math::Ray2D(origin, direction).ClassifyToCircle(circle, hit, second);
    return code == Math::Code::OnePoint || (!leavingOnly && code == Math::Code::TwoPoints);
}

// The point where a ray meets a segment, when it meets it in one point.
inline bool RayHitsSegment(const Math::Point2D& origin, const Math::Vector2D& direction, const Math::LineSegment2D& segment,
                    Math::Point2D& hit)
{
    Math::LineSegment2D shared;
    return segment.ClassifyToRay(Math::Ray2D(origin, direction), hit, shared) == Math::Code::Meet;
}

// A point of the mover lying inside a circle at the end of the step, having come from `previous`:
// where its way back leaves the circle, and whether it entered during the step (at `fraction` of
// it) rather than lying inside already. A motion too short to sweep only overlaps; its exit is then
// the nearest point of the circle. Not counted (false) when the point moves against `front` or its
// way back does not leave the circle.
struct CircleEntry
{
    bool crossed = false;
    f32 fraction = 0.0f;
    f32 distance = 0.0f; // from the point's start to the entry
    Math::Point2D exit;
};

inline bool EntersCircle(const Math::Point2D& point, const Math::Point2D& previous, const Math::Vector2D& front,
                         const Math::Circle2D& circle, CircleEntry& entry)
{
    const Motion motion(point, previous);
    entry.crossed = false;
    if (!motion.Sweeps())
    {
        entry.exit = circle.center + Unit(point - circle.center) * circle.radius;
        return true;
    }
    if (motion.direction.Dot(front) > 0.0f)
        return false;
    if (!RayHitsCircle(point, motion.direction, circle, entry.exit, true))
        return false;
    const f32 e = Distance(entry.exit, point);
    if (e <= motion.length)
    {
        entry.crossed = true;
        entry.distance = motion.length - e;
        entry.fraction = entry.distance / motion.length;
    }
    return true;
}

// The local point at the position of point on the placed segment, by its parameter along it.
inline Math::Vector2D LocalOnSegment(const Math::LineSegment2D& local, const Math::LineSegment2D& placed,
                              const Math::Vector2D& point)
{
    const Math::Vector2D along = placed.B - placed.A;
    const f32 lengthSquared = along.Dot(along);
    const f32 t = lengthSquared > 0.0f ? (point - placed.A).Dot(along) / lengthSquared : 0.0f;
    return local.A + (local.B - local.A) * t;
}

// A crossing found by one of the end-point sweeps of a segment pair.
struct Crossing
{
    bool found = false;
    f32 distance = NoHitDistance;
    f32 length = 0.0f;
    Math::Vector2D point;
    Math::Vector2D normal;
    f32 penetration = 0.0f;

    f32 Fraction() const { return distance / length; }
};
} // namespace Collision2D::Sweep
