#pragma once
// A circle outline in the z = 0 plane around the node's origin, generated once as line segments.
#include "engine/Engine_Lines.h"

namespace Engine
{
// Replaces points by the outline of a circle: a degenerate first segment at (radius, 0, 0), then
// one segment per step of whole degrees up to the last multiple of the step not above 360. A step
// at or below 0 makes no points.
void MakeCircleOutline(f32 radius, i32 stepDegrees, Core::Vector<Math::Vector3D>& points);

class Circle : public LineList
{
public:
    Circle(f32 radius, i32 stepDegrees);
    Circle(const Circle& other) = default;

    Circle* Clone() const override;
};
} // namespace Engine
