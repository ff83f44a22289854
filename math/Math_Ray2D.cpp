#include "math/Math_Ray2D.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_ShapePusher.h"
#include "math/Math_ShapeTerms.h"

namespace Math {

using namespace Terms;

LuaScript* Ray2D::GetScript()
{
    return nullptr;
}

void Ray2D::PushToScript(lua_State* state)
{
    PushShapeToScript(state, this, "Ray2D");
}

int Ray2D::ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const
{
    const CircleQuadratic quadratic(origin, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || quadratic.disc < 0.0f)
        return Code::Apart;
    if (quadratic.disc == 0.0f) {
        const float t = quadratic.Touch();
        if (t < 0.0f)
            return Code::Apart;
        first = origin + direction * t;
        return Code::OnePoint;
    }
    const float t1 = quadratic.Near();
    const float t2 = quadratic.Far();
    if (t1 >= 0.0f) {
        first = origin + direction * t1;
        if (t2 < 0.0f)
            return Code::OnePoint;
        second = origin + direction * t2;
        return Code::TwoPoints;
    }
    if (t2 < 0.0f)
        return Code::Apart;
    first = origin + direction * t2;
    return Code::OnePoint;
}

bool Ray2D::Tangent(const Circle2D& circle, Point2D& touching) const
{
    const CircleQuadratic quadratic(origin, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || !quadratic.IsTangent())
        return false;
    const float t = quadratic.Touch();
    if (t < 0.0f)
        return false;
    touching = origin + direction * t;
    return true;
}

int Ray2D::ClassifyToRay(const Ray2D& other, Point2D& meeting, LineSegment2D& sharedSegment,
                         Ray2D& sharedRay) const
{
    const float cross = DirectionCross(direction, other.direction);
    if (!IsParallel(cross)) {
        const float u1 = FirstParameter(origin, other.origin, other.direction, cross);
        const float u2 = SecondParameter(origin, direction, other.origin, cross);
        if (u1 < 0.0f || u2 < 0.0f)
            return Code::Apart;
        meeting = origin + direction * u1;
        return Code::Meet;
    }
    if (OffsetCross(origin, direction, other.origin) != 0.0f)
        return Code::Parallel;
    // A ray without a direction has no parameters along it: it meets nothing.
    if (direction == Vector2D() || other.direction == Vector2D())
        return Code::Apart;

    const float g1 = CollinearParameter(origin, other.origin, other.direction);
    const float g2 = CollinearParameter(other.origin, origin, direction);
    // The sign of the dot product, so that directions of any length compare.
    const bool sameWay = direction.Dot(other.direction) > 0.0f;
    if (g1 <= 0.0f && g2 <= 0.0f) {
        if (g1 == 0.0f) {
            meeting = origin;
            return Code::Meet;
        }
        if (g2 == 0.0f) {
            meeting = other.origin;
            return Code::Meet;
        }
        return Code::CollinearApart;
    }
    if (sameWay) {
        sharedRay = g1 <= 0.0f ? other : *this;
        return Code::RaysSameWay;
    }
    sharedSegment = LineSegment2D(origin, other.origin);
    return Code::RaysFacing;
}

int Ray2D::ClassifyToLineSegment(const LineSegment2D& segment, Point2D& meeting, LineSegment2D& shared) const
{
    return segment.ClassifyToRay(*this, meeting, shared);
}

int Ray2D::ClassifyToLine(const Line2D& line, Point2D& meeting) const
{
    return line.ClassifyToRay(*this, meeting);
}

bool Ray2D::Perpendicular(const Ray2D& other) const
{
    return IsPerpendicular(direction, other.direction);
}

bool Ray2D::Parallel(const Ray2D& other) const
{
    return IsParallel(DirectionCross(direction, other.direction));
}

float Ray2D::AngleBetween(const Ray2D& other) const
{
    return DegreesBetween(direction, other.direction);
}

} // namespace Math
