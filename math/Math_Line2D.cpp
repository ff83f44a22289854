#include "math/Math_Line2D.h"

#include "math/Math_Circle2D.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_Ray2D.h"
#include "math/Math_ShapePusher.h"
#include "math/Math_ShapeTerms.h"

namespace Math {

using namespace Terms;

Line2D::Line2D(const Point2D& point, const Vector2D& direction) : point(point), direction(direction)
{
    if (ClearOfZero(direction.x) && ClearOfZero(direction.y))
        this->direction.Normalize();
}

LuaScript* Line2D::GetScript()
{
    return nullptr;
}

void Line2D::PushToScript(lua_State* state)
{
    PushShapeToScript(state, this, "Line2D");
}

int Line2D::ClassifyToLine(const Line2D& other, Point2D& meeting) const
{
    const float cross = DirectionCross(direction, other.direction);
    if (IsParallel(cross))
        return OffsetCross(point, direction, other.point) == 0.0f ? Code::Same : Code::Parallel;
    meeting = point + direction * FirstParameter(point, other.point, other.direction, cross);
    return Code::Meet;
}

int Line2D::ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const
{
    const CircleQuadratic quadratic(point, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || quadratic.disc < 0.0f)
        return Code::Apart;
    if (quadratic.disc == 0.0f) {
        first = point + direction * quadratic.Touch();
        return Code::Tangent;
    }
    first = point + direction * quadratic.Near();
    second = point + direction * quadratic.Far();
    return Code::Meet;
}

bool Line2D::Tangent(const Circle2D& circle, Point2D& touching) const
{
    const CircleQuadratic quadratic(point, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || !quadratic.IsTangent())
        return false;
    touching = point + direction * quadratic.Touch();
    return true;
}

int Line2D::ClassifyToRay(const Ray2D& ray, Point2D& meeting) const
{
    const float cross = DirectionCross(direction, ray.direction);
    if (IsParallel(cross))
        return OffsetCross(point, direction, ray.origin) == 0.0f ? Code::Same : Code::Parallel;
    const float u = SecondParameter(point, direction, ray.origin, cross);
    if (u < 0.0f)
        return Code::Apart;
    meeting = ray.origin + ray.direction * u;
    return Code::Meet;
}

int Line2D::ClassifyToLineSegment(const LineSegment2D& segment, Point2D& meeting) const
{
    return segment.ClassifyToLine(*this, meeting);
}

bool Line2D::Perpendicular(const Line2D& other) const
{
    return IsPerpendicular(direction, other.direction);
}

bool Line2D::Parallel(const Line2D& other) const
{
    return IsParallel(DirectionCross(direction, other.direction));
}

float Line2D::AngleBetween(const Line2D& other) const
{
    return DegreesBetween(direction, other.direction);
}

} // namespace Math
