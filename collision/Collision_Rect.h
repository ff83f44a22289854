#pragma once

#include "core/Core_Object.h"
#include "core/Core_Types.h"

namespace Core
{
class File;
}

namespace Collision2D
{
// Axis-aligned rectangle of the collision system, y growing upwards. Well-formed when
// left <= right and bottom <= top; the operations accept any four values.
class VelRect : public Core::Base
{
public:
    f32 top = 0.0f;
    f32 left = 0.0f;
    f32 right = 0.0f;
    f32 bottom = 0.0f;

    VelRect() = default;
    VelRect(f32 top, f32 left, f32 right, f32 bottom) : top(top), left(left), right(right), bottom(bottom) {}

    bool operator==(const VelRect& other) const
    {
        return top == other.top && left == other.left && right == other.right && bottom == other.bottom;
    }

    // 16 bytes: top, left, right, bottom.
    void Save(Core::File& file) const;
    // False once the stream has failed.
    bool Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "VelRect"; }
};

// Overlap with edges and corners included.
bool RectanglesOverlap(const VelRect* a, const VelRect* b);
// Writes the intersection into out; 1 when it is at least one unit wide and high (after truncation
// toward zero), else 0. out may be one of the inputs.
int IntersectRectangles(const VelRect* a, const VelRect* b, VelRect* out);
// The smallest rectangle holding both; out may be one of the inputs.
void UniteRectangles(const VelRect* a, const VelRect* b, VelRect* out);
// The bounding box of local rotated by angle degrees about the local origin, moved by (x, y).
// Angles of exactly 0 and 360 do not rotate; no other angle is reduced.
void GetWorldBoundingRectangle(const VelRect* local, VelRect* out, f32 x, f32 y, f32 angle);
} // namespace Collision2D
