#pragma once

#include "core/Core_Types.h"
#include "math/Math_Constants.h"
#include "math/Math_Vector2D.h"

#include <cmath>

// Small vector helpers of the collision tests.
namespace Collision2D::Geometry
{
// The length of v, as Math::Vector2D::Length gives it; inline, for the sweeps take it at every step.
inline f32 Length(const Math::Vector2D& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// v divided by its length, or v unchanged when it is shorter than the math tolerance, as
// Math::Vector2D::Normalize makes it.
inline Math::Vector2D Unit(const Math::Vector2D& v)
{
    const f32 length = Length(v);
    if (length < Math::Epsilon)
        return v;
    return {v.x / length, v.y / length};
}

// (−d.y, d.x): the outer side of a segment running along d.
inline Math::Vector2D LeftNormal(const Math::Vector2D& d)
{
    return {-d.y, d.x};
}

inline Math::Vector2D RightNormal(const Math::Vector2D& d)
{
    return {d.y, -d.x};
}

inline f32 Distance(const Math::Vector2D& a, const Math::Vector2D& b)
{
    return Length(a - b);
}
// How many meeting points a classification of two shapes wrote: one or two, or none.
inline i32 MeetingPoints(int code)
{
    switch (code)
    {
    case Math::Code::Meet:
    case Math::Code::Tangent:
    case Math::Code::OnePoint:
    case Math::Code::TouchInside:
    case Math::Code::TouchOutside:
        return 1;
    case Math::Code::TwoPoints:
        return 2;
    default:
        return 0;
    }
}
} // namespace Collision2D::Geometry
