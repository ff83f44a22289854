#pragma once

#include "math/Math_Vector2D.h"

struct lua_State;
class LuaScript;

namespace Core {
class File;
}

namespace Math {

class Circle2D;
class Line2D;
class Ray2D;

// The points A + s(B − A), s in [0, 1]. In the tests its direction is B − A, not normalised.
class LineSegment2D {
public:
    Point2D A;
    Point2D B;

    LineSegment2D() = default;
    LineSegment2D(const Point2D& a, const Point2D& b) : A(a), B(b) {}
    LineSegment2D(const LineSegment2D&) = default;
    LineSegment2D& operator=(const LineSegment2D&) = default;
    virtual ~LineSegment2D() = default;

    // No script of their own; PushToScript pushes a userdata holding this shape with the metatable
    // "LineSegment2D", through the pusher the script glue installs (Math_ShapePusher.h).
    virtual LuaScript* GetScript();
    virtual void PushToScript(lua_State* state);

    // Stream form: A then B (four f32), little-endian.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

    const Point2D& GetPointA() const { return A; }
    void SetPointA(const Point2D& value) { A = value; }
    const Point2D& GetPointB() const { return B; }
    void SetPointB(const Point2D& value) { B = value; }

    // Meet + point, Apart, Same (collinear), Parallel.
    int ClassifyToLine(const Line2D& line, Point2D& meeting) const;
    // Meet + point, Apart, Same + the shared part (in this segment's direction), Parallel,
    // CollinearApart. Parallel segments within an offset cross of 1 count as collinear.
    int ClassifyToLineSegment(const LineSegment2D& other, Point2D& meeting, LineSegment2D& shared) const;
    // The same decision without results; parallel segments are collinear only when exactly so.
    int ClassifyToLineSegment(const LineSegment2D& other) const;
    // Apart; Tangent + first; OnePoint + first; TwoPoints + first and second.
    int ClassifyToCircle(const Circle2D& circle, Point2D& first, Point2D& second) const;
    // True when the segment touches the circle (within the tolerance), with the touching point.
    bool Tangent(const Circle2D& circle, Point2D& touching) const;
    // Meet + point, Apart, Same + shared part, Parallel, CollinearApart.
    int ClassifyToRay(const Ray2D& ray, Point2D& meeting, LineSegment2D& shared) const;

    bool Perpendicular(const LineSegment2D& other) const;
    bool Parallel(const LineSegment2D& other) const;
    // Parallel and on one line (exactly).
    bool Alligned(const LineSegment2D& other) const;
    // In radians.
    float AngleBetween(const LineSegment2D& other) const;
};

} // namespace Math
