#pragma once

#include "math/Math_Vector2D.h"

struct lua_State;
class LuaScript;

namespace Math {

class Circle2D;
class LineSegment2D;
class Ray2D;

// The infinite line of the points point + t·direction. The classify operations return a code of
// Math::Code and write meeting points only where their code says so.
class Line2D {
public:
    Point2D point;
    Vector2D direction;

    Line2D() = default;
    // The direction is normalised only when both of its components lie clear of zero (outside
    // ±Epsilon); an axis-aligned direction such as (5, 0) is kept as given.
    Line2D(const Point2D& point, const Vector2D& direction);
    Line2D(const Line2D&) = default;
    Line2D& operator=(const Line2D&) = default;
    virtual ~Line2D() = default;

    // No script of their own; PushToScript pushes a userdata holding this shape with the metatable
    // "Line2D", through the pusher the script glue installs (Math_ShapePusher.h).
    virtual LuaScript* GetScript();
    virtual void PushToScript(lua_State* state);

    const Point2D& GetPoint() const { return point; }
    void SetPoint(const Point2D& value) { point = value; }
    const Vector2D& GetDirection() const { return direction; }
    // Stored as given, without normalising.
    void SetDirection(const Vector2D& value) { direction = value; }

    // Meet + point, Same (collinear), Parallel.
    int ClassifyToLine(const Line2D& other, Point2D& meeting) const;
    // Apart; Tangent + first; Meet + first and second.
    int ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const;
    // True when the line touches the circle (within the tolerance), with the touching point.
    bool Tangent(const Circle2D& circle, Point2D& touching) const;
    // Meet + point, Apart, Same, Parallel.
    int ClassifyToRay(const Ray2D& ray, Point2D& meeting) const;
    // The segment's test against this line.
    int ClassifyToLineSegment(const LineSegment2D& segment, Point2D& meeting) const;

    bool Perpendicular(const Line2D& other) const;
    bool Parallel(const Line2D& other) const;
    // In degrees.
    float AngleBetween(const Line2D& other) const;
};

} // namespace Math
