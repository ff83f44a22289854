#pragma once

#include "math/Math_Vector2D.h"

struct lua_State;
class LuaScript;

namespace Math {

class Circle2D;
class Line2D;
class LineSegment2D;

// The points origin + u·direction, u ≥ 0. The direction is stored as given.
class Ray2D {
public:
    Point2D origin;
    Vector2D direction;

    Ray2D() = default;
    Ray2D(const Point2D& origin, const Vector2D& direction) : origin(origin), direction(direction) {}
    Ray2D(const Ray2D&) = default;
    Ray2D& operator=(const Ray2D&) = default;
    virtual ~Ray2D() = default;

    // No script of their own; PushToScript pushes a userdata holding this shape with the metatable
    // "Ray2D", through the pusher the script glue installs (Math_ShapePusher.h).
    virtual LuaScript* GetScript();
    virtual void PushToScript(lua_State* state);

    const Point2D& GetOrigin() const { return origin; }
    void SetOrigin(const Point2D& value) { origin = value; }
    const Vector2D& GetDirection() const { return direction; }
    void SetDirection(const Vector2D& value) { direction = value; }

    // Apart; OnePoint + first (the ray starts inside, or touches); TwoPoints + the nearer point
    // first.
    int ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const;
    // True when the ray touches the circle (within the tolerance), with the touching point.
    bool Tangent(const Circle2D& circle, Point2D& touching) const;
    // Meet + point, Apart, Parallel, CollinearApart, RaysFacing + the segment between the origins,
    // RaysSameWay + the ray that starts further ahead.
    int ClassifyToRay(const Ray2D& other, Point2D& meeting, LineSegment2D& sharedSegment,
                      Ray2D& sharedRay) const;
    // The segment's test against this ray.
    int ClassifyToLineSegment(const LineSegment2D& segment, Point2D& meeting, LineSegment2D& shared) const;
    // The line's test against this ray.
    int ClassifyToLine(const Line2D& line, Point2D& meeting) const;

    bool Perpendicular(const Ray2D& other) const;
    bool Parallel(const Ray2D& other) const;
    // In degrees.
    float AngleBetween(const Ray2D& other) const;
};

} // namespace Math
