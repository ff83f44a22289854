#pragma once

#include "math/Math_Constants.h"
#include "math/Math_Vector2D.h"

#include <cmath>

// Quantities shared by the pairwise shape tests. Each is evaluated in single precision in the
// order given, so that every test classifies borderline cases the same way.
namespace Math::Terms {

// d2.y·d1.x − d2.x·d1.y: zero for parallel directions.
inline float DirectionCross(const Vector2D& d1, const Vector2D& d2)
{
    return d2.y * d1.x - d2.x * d1.y;
}

inline bool IsParallel(float cross)
{
    return -Epsilon <= cross && cross <= Epsilon;
}

inline bool IsPerpendicular(const Vector2D& d1, const Vector2D& d2)
{
    const float dot = d1.Dot(d2);
    return -Epsilon <= dot && dot <= Epsilon;
}

// (p2.x − p1.x)·d1.y − (p2.y − p1.y)·d1.x: zero when p2 lies on the line through p1 along d1.
inline float OffsetCross(const Point2D& p1, const Vector2D& d1, const Point2D& p2)
{
    return (p2.x - p1.x) * d1.y - (p2.y - p1.y) * d1.x;
}

// Parameter along d1 of the crossing of p1 + t·d1 with p2 + u·d2 (cross = DirectionCross(d1, d2)).
inline float FirstParameter(const Point2D& p1, const Point2D& p2, const Vector2D& d2, float cross)
{
    return -(p1.x * d2.y - d2.x * p1.y + p2.y * d2.x - p2.x * d2.y) / cross;
}

// Parameter along d2 of the same crossing: OffsetCross(p1, d1, p2) / cross.
inline float SecondParameter(const Point2D& p1, const Vector2D& d1, const Point2D& p2, float cross)
{
    return OffsetCross(p1, d1, p2) / cross;
}

// Parameter of q along the collinear line o + u·d, from the x components unless d is nearly
// vertical.
inline float CollinearParameter(const Point2D& q, const Point2D& o, const Vector2D& d)
{
    if (std::fabs(d.x) >= Epsilon)
        return (q.x - o.x) / d.x;
    return (q.y - o.y) / d.y;
}

// The quadratic |p + t·d − c|² = r² of a line, segment or ray against a circle.
struct CircleQuadratic {
    float a = 0.0f;    // d·d
    float b = 0.0f;    // 2 d·(p − c)
    float disc = 0.0f; // b² − 4ak

    CircleQuadratic(const Point2D& p, const Vector2D& d, const Point2D& c, float r)
        : a(d.Dot(d)), b(2.0f * d.Dot(p - c))
    {
        const float k = p.Dot(p) - 2.0f * p.Dot(c) + c.Dot(c) - r * r;
        disc = b * b - 4.0f * a * k;
    }

    // A zero direction describes no line: it meets no circle.
    bool Degenerate() const { return a == 0.0f; }
    float Touch() const { return -b / (2.0f * a); }
    float Near() const { return (-b - std::sqrt(disc)) / (2.0f * a); }
    float Far() const { return (std::sqrt(disc) - b) / (2.0f * a); }
    bool IsTangent() const { return -Epsilon <= disc && disc <= Epsilon; }
};

inline bool InUnitRange(float t)
{
    return 0.0f <= t && t <= 1.0f;
}

// Angle between two directions already divided by their lengths; the cosine is clamped so that
// rounding never takes it outside acos's domain. Zero directions give 0.
inline float AngleOfUnits(const Vector2D& a, const Vector2D& b)
{
    const float lengths = a.Length() * b.Length();
    if (lengths == 0.0f)
        return 0.0f;
    float cosine = a.Dot(b) / lengths;
    if (cosine > 1.0f)
        cosine = 1.0f;
    if (cosine < -1.0f)
        cosine = -1.0f;
    return std::acos(cosine);
}

// The angle between the directions of two lines or rays, in degrees.
inline float DegreesBetween(const Vector2D& d1, const Vector2D& d2)
{
    return AngleOfUnits(Normalized(d1), Normalized(d2)) * RadiansToDegrees;
}

} // namespace Math::Terms
