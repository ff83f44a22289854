#include "math/Math_LineSegment2D.h"

#include "core/Core_File.h"
#include "math/Math_Circle2D.h"
#include "math/Math_Line2D.h"
#include "math/Math_Ray2D.h"
#include "math/Math_ShapePusher.h"
#include "math/Math_ShapeTerms.h"

#include <cmath>
#include <utility>

namespace Math {

using namespace Terms;

namespace {

// An end of a shared part: its parameter along the longer segment and the point itself, so that
// shared parts are made of the segments' own end points rather than recomputed ones.
struct End {
    float t;
    Point2D point;
};

// Overlap of two segments known to lie on one line. Parameters are taken in the frame of the
// longer segment by projection onto its direction, which stays accurate at any slope.
int CollinearOverlap(const LineSegment2D& self, const LineSegment2D& other, LineSegment2D* shared)
{
    const Vector2D selfDirection = self.B - self.A;
    const Vector2D otherDirection = other.B - other.A;
    const bool selfLonger = selfDirection.Dot(selfDirection) >= otherDirection.Dot(otherDirection);
    const LineSegment2D& longer = selfLonger ? self : other;
    const LineSegment2D& shorter = selfLonger ? other : self;

    const Vector2D span = longer.B - longer.A;
    const float spanSquared = span.Dot(span);
    if (spanSquared == 0.0f) {
        // Both segments are single points.
        if (shorter.A != longer.A || shorter.B != longer.A)
            return Code::CollinearApart;
        if (shared)
            *shared = LineSegment2D(longer.A, longer.A);
        return Code::Same;
    }

    End low{(shorter.A - longer.A).Dot(span) / spanSquared, shorter.A};
    End high{(shorter.B - longer.A).Dot(span) / spanSquared, shorter.B};
    if (high.t < low.t)
        std::swap(low, high);
    if (low.t > 1.0f || high.t < 0.0f)
        return Code::CollinearApart;

    if (shared) {
        const Point2D start = low.t < 0.0f ? longer.A : low.point;
        const Point2D end = high.t > 1.0f ? longer.B : high.point;
        if ((end - start).Dot(selfDirection) < 0.0f)
            *shared = LineSegment2D(end, start);
        else
            *shared = LineSegment2D(start, end);
    }
    return Code::Same;
}

// Parallel segments whose offset cross is at most this lie on one line.
constexpr float CollinearOffset = 1.0f;

// The segment pair test. meeting and shared, when given, receive the crossing point or the shared
// part; parallel segments count as collinear while their offset cross is at most
// collinearTolerance.
int ClassifySegments(const LineSegment2D& self, const LineSegment2D& other, Point2D* meeting,
                     LineSegment2D* shared, float collinearTolerance)
{
    const Vector2D direction = self.B - self.A;
    const Vector2D otherDirection = other.B - other.A;
    const float cross = DirectionCross(direction, otherDirection);
    if (!IsParallel(cross)) {
        const float s = FirstParameter(self.A, other.A, otherDirection, cross);
        const float t = SecondParameter(self.A, direction, other.A, cross);
        if (!InUnitRange(s) || !InUnitRange(t))
            return Code::Apart;
        if (meeting)
            *meeting = self.A + direction * s;
        return Code::Meet;
    }
    if (std::fabs(OffsetCross(self.A, direction, other.A)) > collinearTolerance)
        return Code::Parallel;
    return CollinearOverlap(self, other, shared);
}

} // namespace

LuaScript* LineSegment2D::GetScript()
{
    return nullptr;
}

void LineSegment2D::PushToScript(lua_State* state)
{
    PushShapeToScript(state, this, "LineSegment2D");
}

void LineSegment2D::Save(Core::File& file) const
{
    A.Save(file);
    B.Save(file);
}

void LineSegment2D::Load(Core::File& file)
{
    A.Load(file);
    B.Load(file);
}

int LineSegment2D::ClassifyToLine(const Line2D& line, Point2D& meeting) const
{
    const Vector2D direction = B - A;
    const float cross = DirectionCross(direction, line.direction);
    if (IsParallel(cross))
        return OffsetCross(A, direction, line.point) == 0.0f ? Code::Same : Code::Parallel;
    const float s = FirstParameter(A, line.point, line.direction, cross);
    if (!InUnitRange(s))
        return Code::Apart;
    meeting = A + direction * s;
    return Code::Meet;
}

int LineSegment2D::ClassifyToLineSegment(const LineSegment2D& other, Point2D& meeting,
                                         LineSegment2D& shared) const
{
    return ClassifySegments(*this, other, &meeting, &shared, CollinearOffset);
}

int LineSegment2D::ClassifyToLineSegment(const LineSegment2D& other) const
{
    return ClassifySegments(*this, other, nullptr, nullptr, 0.0f);
}

int LineSegment2D::ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const
{
    const Vector2D direction = B - A;
    const CircleQuadratic quadratic(A, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || quadratic.disc < 0.0f)
        return Code::Apart;
    if (quadratic.disc == 0.0f) {
        const float t = quadratic.Touch();
        if (!InUnitRange(t))
            return Code::Apart;
        first = A + direction * t;
        return Code::Tangent;
    }
    const float t1 = quadratic.Near();
    const float t2 = quadratic.Far();
    if (InUnitRange(t1)) {
        first = A + direction * t1;
        if (!InUnitRange(t2))
            return Code::OnePoint;
        second = A + direction * t2;
        return Code::TwoPoints;
    }
    if (!InUnitRange(t2))
        return Code::Apart;
    first = A + direction * t2;
    return Code::OnePoint;
}

bool LineSegment2D::Tangent(const Circle2D& circle, Point2D& touching) const
{
    const Vector2D direction = B - A;
    const CircleQuadratic quadratic(A, direction, circle.center, circle.radius);
    if (quadratic.Degenerate() || !quadratic.IsTangent())
        return false;
    const float t = quadratic.Touch();
    if (!InUnitRange(t))
        return false;
    touching = A + direction * t;
    return true;
}

int LineSegment2D::ClassifyToRay(const Ray2D& ray, Point2D& meeting, LineSegment2D& shared) const
{
    const Vector2D direction = B - A;
    const float cross = DirectionCross(direction, ray.direction);
    if (!IsParallel(cross)) {
        const float s = FirstParameter(A, ray.origin, ray.direction, cross);
        const float u = SecondParameter(A, direction, ray.origin, cross);
        if (u < 0.0f || !InUnitRange(s))
            return Code::Apart;
        meeting = A + direction * s;
        return Code::Meet;
    }
    if (OffsetCross(A, direction, ray.origin) != 0.0f)
        return Code::Parallel;
    // A ray without a direction has no parameters along it: it meets nothing.
    if (ray.direction == Vector2D())
        return Code::Apart;

    const float uA = CollinearParameter(A, ray.origin, ray.direction);
    const float uB = CollinearParameter(B, ray.origin, ray.direction);
    if (uA > 0.0f && uB >= 0.0f) {
        shared = *this;
        return Code::Same;
    }
    if (uA > 0.0f && uB < 0.0f) {
        shared = LineSegment2D(A, ray.origin);
        return Code::Same;
    }
    if (uA <= 0.0f && uB > 0.0f) {
        shared = LineSegment2D(B, ray.origin);
        return Code::Same;
    }
    if (uA == 0.0f) {
        meeting = A;
        return Code::Meet;
    }
    if (uB == 0.0f) {
        meeting = B;
        return Code::Meet;
    }
    return Code::CollinearApart;
}

bool LineSegment2D::Perpendicular(const LineSegment2D& other) const
{
    return IsPerpendicular(B - A, other.B - other.A);
}

bool LineSegment2D::Parallel(const LineSegment2D& other) const
{
    return IsParallel(DirectionCross(B - A, other.B - other.A));
}

bool LineSegment2D::Alligned(const LineSegment2D& other) const
{
    const Vector2D direction = B - A;
    return Parallel(other) && OffsetCross(A, direction, other.A) == 0.0f;
}

float LineSegment2D::AngleBetween(const LineSegment2D& other) const
{
    Vector2D a = B - A;
    Vector2D b = other.B - other.A;
    a.Normalize();
    b.Normalize();
    return AngleOfUnits(a, b);
}

} // namespace Math
