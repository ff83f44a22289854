#include "collision/Collision_Rect.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"

#include <cmath>

namespace Collision2D
{
void VelRect::Save(Core::File& file) const
{
    Core::WriteF32(file, top);
    Core::WriteF32(file, left);
    Core::WriteF32(file, right);
    Core::WriteF32(file, bottom);
}

bool VelRect::Load(Core::File& file)
{
    return Core::ReadF32(file, top) && Core::ReadF32(file, left) && Core::ReadF32(file, right) &&
           Core::ReadF32(file, bottom);
}

namespace
{
// One span holds the other's end, or lies inside the other.
bool SpansOverlap(f32 aLow, f32 aHigh, f32 bLow, f32 bHigh)
{
    if (aLow <= bHigh && bHigh <= aHigh)
        return true;
    if (aLow <= bLow && bLow <= aHigh)
        return true;
    return bLow <= aLow && aHigh <= bHigh;
}
} // namespace

bool RectanglesOverlap(const VelRect* a, const VelRect* b)
{
    return SpansOverlap(a->left, a->right, b->left, b->right) && SpansOverlap(a->bottom, a->top, b->bottom, b->top);
}

int IntersectRectangles(const VelRect* a, const VelRect* b, VelRect* out)
{
    const f32 right = a->right < b->right ? a->right : b->right;
    const f32 bottom = a->bottom > b->bottom ? a->bottom : b->bottom;
    const f32 left = a->left > b->left ? a->left : b->left;
    const f32 top = a->top < b->top ? a->top : b->top;
    out->right = right;
    out->bottom = bottom;
    out->left = left;
    out->top = top;
    // Compared as truncated floats so that huge or non-finite sizes cannot overflow a conversion.
    if (!(std::trunc(right - left) >= 1.0f))
        return 0;
    return std::trunc(top - bottom) >= 1.0f ? 1 : 0;
}

void UniteRectangles(const VelRect* a, const VelRect* b, VelRect* out)
{
    const f32 top = a->top > b->top ? a->top : b->top;
    const f32 bottom = a->bottom < b->bottom ? a->bottom : b->bottom;
    const f32 left = a->left < b->left ? a->left : b->left;
    const f32 right = a->right > b->right ? a->right : b->right;
    out->top = top;
    out->bottom = bottom;
    out->left = left;
    out->right = right;
}

void GetWorldBoundingRectangle(const VelRect* local, VelRect* out, f32 x, f32 y, f32 angle)
{
    if (angle == 0.0f || angle == 360.0f)
    {
        *out = *local;
    }
    else
    {
        const f32 theta = angle * Math::DegreesToRadians;
        const f32 c = std::cos(theta);
        const f32 s = std::sin(theta);
        const f32 corners[4][2] = {
            {local->right, local->top},
            {local->left, local->top},
            {local->left, local->bottom},
            {local->right, local->bottom},
        };
        f32 minX = 99999.0f;
        f32 minY = 99999.0f;
        f32 maxX = -99999.0f;
        f32 maxY = -99999.0f;
        for (const auto& corner : corners)
        {
            const f32 rx = c * corner[0] - s * corner[1];
            const f32 ry = s * corner[0] + c * corner[1];
            if (rx < minX)
                minX = rx;
            if (rx > maxX)
                maxX = rx;
            if (ry < minY)
                minY = ry;
            if (ry > maxY)
                maxY = ry;
        }
        out->top = maxY;
        out->left = minX;
        out->right = maxX;
        out->bottom = minY;
    }
    out->bottom += y;
    out->top += y;
    out->left += x;
    out->right += x;
}
} // namespace Collision2D
