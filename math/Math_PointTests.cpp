#include "math/Math_PointTests.h"

#include "math/Math_Circle2D.h"
#include "math/Math_Constants.h"
#include "math/Math_Line2D.h"

namespace Math {

bool InRange(float value, float centre, float radius)
{
    return centre - radius <= value && value <= centre + radius;
}

int PointToCircle(const Point2D& point, const Circle2D& circle)
{
    const float distance = (point - circle.center).Length();
    if (distance > circle.radius)
        return Code::Outside;
    if (distance < circle.radius)
        return Code::Inside;
    return Code::Meet;
}

float DistancePointToLine(const Point2D& p, const Point2D& q, const Vector2D& d, Point2D& foot)
{
    const float squared = d.Dot(d);
    if (squared != 0.0f)
        foot = q + d * ((p - q).Dot(d) / squared);
    return (p - foot).Length();
}

float DistancePointToLine2D(const Point2D& p, const Line2D& line, Point2D& foot)
{
    return DistancePointToLine(p, line.point, line.direction, foot);
}

} // namespace Math
