#pragma once

#include "math/Math_Vector2D.h"

struct lua_State;
class LuaScript;

namespace Core {
class File;
}

namespace Math {

class LineSegment2D;

class Circle2D {
public:
    Point2D center;
    float radius = 0.0f;

    Circle2D() = default;
    Circle2D(const Point2D& center, float radius) : center(center), radius(radius) {}
    Circle2D(const Circle2D&) = default;
    Circle2D& operator=(const Circle2D&) = default;
    virtual ~Circle2D() = default;

    // No script of their own; PushToScript pushes a userdata holding this shape with the metatable
    // "Circle2D", through the pusher the script glue installs (Math_ShapePusher.h).
    virtual LuaScript* GetScript();
    virtual void PushToScript(lua_State* state);

    // Stream form: the centre then the radius (three f32), little-endian.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

    const Point2D& GetCenter() const { return center; }
    void SetCenter(const Point2D& value) { center = value; }
    float GetRadius() const { return radius; }
    void SetRadius(float value) { radius = value; }

    // ContainsCircle, Inside (this one inside the other), Same, Outside (apart), TwoPoints +
    // first and second, TouchInside + first, TouchOutside + first.
    int ClassifyToCircle(const Circle2D& other, Point2D& first, Point2D& second) const;
    // The segment's test against this circle.
    int ClassifyToLineSegment(const LineSegment2D& segment, Point2D& first, Point2D& second) const;
};

} // namespace Math
