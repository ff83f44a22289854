#include "renderer/Renderer_VisibleRegion.h"

#include <algorithm>
#include <cmath>

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

bool IsEmpty(const TextureRegion& region)
{
    return region.right <= region.left || region.top <= region.bottom;
}

TextureRegion Union(const TextureRegion& a, const TextureRegion& b)
{
    if (IsEmpty(a))
        return b;
    if (IsEmpty(b))
        return a;
    return {std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right), std::max(a.top, b.top)};
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

Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<Core::RefPtr<Surface>>& levels)
{
    Core::Vector<TextureRegion> regions;
    regions.reserve(levels.size());
    for (const Core::RefPtr<Surface>& level : levels)
    {
        const TextureRegion found = FindVisibleRegion(*level);
        regions.push_back(regions.empty() ? found : Union(regions.back(), found));
    }
    return regions;
}

u32 DeepestLevelRead(const TextureFootprint& footprint, i32 width, i32 height, u32 levelCount)
{
    if (levelCount <= 1)
        return 0;
    const u32 last = levelCount - 1;
    if (!footprint.known)
        return last;
    const f64 w = static_cast<f64>(width);
    const f64 h = static_cast<f64>(height);
    // Texels per pixel along the screen's axes, the larger one deciding.
    const f64 rho = std::max(std::hypot(footprint.dudx * w, footprint.dvdx * h),
                             std::hypot(footprint.dudy * w, footprint.dvdy * h));
    if (std::isnan(rho))
        return last;
    if (rho <= 0.0)
        return 0;
    // Half a level for a derivative's length taken as the sum of its components (a factor of up to
    // the square root of 2), and a little for approximate logarithms. Filtering between levels reads
    // the level below the level of detail and the next one; at or below 0 only level 0 is read.
    const f64 lod = std::log2(rho) + 0.5 + 1.0 / 64.0;
    if (lod <= 0.0)
        return 0;
    if (lod >= static_cast<f64>(last))
        return last;
    return std::min(static_cast<u32>(std::floor(lod)) + 1, last);
}
}  // namespace Renderer
