#include "math/Math_Circle2D.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "math/Math_LineSegment2D.h"
#include "math/Math_ShapePusher.h"

#include <cmath>

namespace Math {

LuaScript* Circle2D::GetScript()
{
    return nullptr;
}

void Circle2D::PushToScript(lua_State* state)
{
    PushShapeToScript(state, this, "Circle2D");
}

void Circle2D::Save(Core::File& file) const
{
    center.Save(file);
    Core::WriteF32(file, radius);
}

void Circle2D::Load(Core::File& file)
{
    center.Load(file);
    Core::ReadF32(file, radius);
}

int Circle2D::ClassifyToCircle(const Circle2D& other, Point2D& first, Point2D& second) const
{
    const Vector2D between = other.center - center;
    const float distance = between.Length();
    const float r1 = radius;
    const float r2 = other.radius;

    if (r2 + distance < r1)
        return Code::ContainsCircle;
    if (distance + r1 < r2)
        return Code::Inside;
    // Centres closer than the float resolution of their distance are one centre.
    if ((center == other.center || distance == 0.0f) && r1 == r2)
        return Code::Same;

    Vector2D axis = between;
    axis.Normalize();
    const float squared = distance * distance;
    // Distance from this centre, along the axis, to the chord or touching point.
    const float along = (squared + r1 * r1 - r2 * r2) / (2.0f * distance);
    const Point2D foot = center + axis * along;

    if (squared == (r1 - r2) * (r1 - r2)) {
        first = foot;
        return Code::TouchInside;
    }
    if ((r1 + r2) * (r1 + r2) < squared)
        return Code::Outside;
    if (squared != (r1 + r2) * (r1 + r2)) {
        // Near tangency rounding can take r1² − along² just below zero: that is a touch, not NaN.
        const float halfChordSquared = r1 * r1 - along * along;
        const float halfChord = halfChordSquared > 0.0f ? std::sqrt(halfChordSquared) : 0.0f;
        const Vector2D normal(-axis.y, axis.x);
        first = foot + normal * halfChord;
        second = foot - normal * halfChord;
        return Code::TwoPoints;
    }
    first = foot;
    return Code::TouchOutside;
}

int Circle2D::ClassifyToLineSegment(const LineSegment2D& segment, Point2D& first, Point2D& second) const
{
    return segment.ClassifyToCircle(*this, first, second);
}

} // namespace Math
