#include "renderer/Renderer_VisibleRegion.h"

#include <algorithm>

namespace Renderer
{
namespace
{
// Texels first to last (inclusive) of an axis of size texels, grown by one, as coordinates.
void AxisRange(i32 first, i32 last, i32 size, f32& low, f32& high)
{
    if (first < 1 || last > size - 2)
    {
        low = 0.0f;
        high = 1.0f;
        return;
    }
    low = static_cast<f32>(first - 1) / static_cast<f32>(size);
    high = static_cast<f32>(last + 2) / static_cast<f32>(size);
}
}  // namespace

TextureRegion FindVisibleRegion(const Surface& surface)
{
    const i32 width = surface.GetWidth();
    const i32 height = surface.GetHeight();
    i32 left = width;
    i32 right = -1;
    i32 bottom = height;
    i32 top = -1;
    for (i32 y = 0; y < height; ++y)
    {
        for (i32 x = 0; x < width; ++x)
        {
            if (surface.GetPixel(x, y)[3] == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    TextureRegion region;
    if (right < 0)
    {
        region.right = 0.0f;
        region.top = 0.0f;
        return region;
    }
    AxisRange(left, right, width, region.left, region.right);
    AxisRange(bottom, top, height, region.bottom, region.top);
    return region;
}
bool IsOpaque(const Surface& surface)
{
    for (i32 y = 0; y < surface.GetHeight(); ++y)
    {
        for (i32 x = 0; x < surface.GetWidth(); ++x)
        {
            if (surface.GetPixel(x, y)[3] != 255)
                return false;
        }
    }
    return true;
}
}  // namespace Renderer
