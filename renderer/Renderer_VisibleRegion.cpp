#include "renderer/Renderer_VisibleRegion.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace Renderer
{
namespace
{
constexpr i32 WordBits = 64;

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

// Texels of an axis of size texels whose grown reach [t - 1, t + 2), moved by shift texels, meets
// [low, high): first to last, inclusive; empty when first > last.
void TexelsReaching(f64 low, f64 high, i32 size, i32 shift, i32& first, i32& last)
{
    first = std::max(static_cast<i32>(std::floor(low - 2.0 - shift)) + 1, 0);
    last = std::min(static_cast<i32>(std::ceil(high + 1.0 - shift)) - 1, size - 1);
}
}  // namespace

AlphaCoverage::AlphaCoverage(const Surface& surface)
    : width(surface.GetWidth()), height(surface.GetHeight()), wordsPerRow((surface.GetWidth() + WordBits - 1) / WordBits),
      bits(static_cast<std::size_t>(wordsPerRow) * static_cast<std::size_t>(std::max(height, 0)), 0)
{
    for (i32 y = 0; y < height; ++y)
    {
        u64* row = bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow);
        const u8* pixel = surface.GetPixel(0, y);
        for (i32 x = 0; x < width; ++x, pixel += 4)
        {
            if (pixel[3] != 0)
                row[x / WordBits] |= u64{1} << (x % WordBits);
        }
    }
}

bool AlphaCoverage::FindInRow(i32 y, i32 first, i32 last, i32& lowest, i32& highest) const
{
    const u64* row = bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(wordsPerRow);
    // The words holding first and last, with the columns outside the range masked off.
    auto covered = [&](i32 word) {
        u64 value = row[word];
        if (word == first / WordBits)
            value &= ~u64{0} << (first % WordBits);
        if (word == last / WordBits && last % WordBits != WordBits - 1)
            value &= (u64{1} << (last % WordBits + 1)) - 1;
        return value;
    };
    i32 word = first / WordBits;
    for (; word <= last / WordBits; ++word)
    {
        if (const u64 value = covered(word))
        {
            lowest = word * WordBits + std::countr_zero(value);
            break;
        }
    }
    if (word > last / WordBits)
        return false;
    for (i32 back = last / WordBits; back >= word; --back)
    {
        if (const u64 value = covered(back))
        {
            highest = back * WordBits + (WordBits - 1 - std::countl_zero(value));
            return true;
        }
    }
    return false;
}

TextureRegion FindVisibleRegion(const AlphaCoverage& coverage, const TextureRegion& within)
{
    const i32 width = coverage.GetWidth();
    const i32 height = coverage.GetHeight();
    // Within in texels; found is grown in texels too, then clipped to within.
    const f64 left = static_cast<f64>(within.left) * width;
    const f64 right = static_cast<f64>(within.right) * width;
    const f64 bottom = static_cast<f64>(within.bottom) * height;
    const f64 top = static_cast<f64>(within.top) * height;
    f64 foundLeft = right;
    f64 foundRight = left;
    f64 foundBottom = top;
    f64 foundTop = bottom;
    if (width <= 0 || height <= 0 || !(right > left) || !(top > bottom))
        return TextureRegion{0.0f, 0.0f, 0.0f, 0.0f};
    for (const i32 shiftY : {0, -height, height})
    {
        i32 firstRow = 0, lastRow = 0;
        TexelsReaching(bottom, top, height, shiftY, firstRow, lastRow);
        for (const i32 shiftX : {0, -width, width})
        {
            i32 firstColumn = 0, lastColumn = 0;
            TexelsReaching(left, right, width, shiftX, firstColumn, lastColumn);
            if (firstColumn > lastColumn)
                continue;
            for (i32 y = firstRow; y <= lastRow; ++y)
            {
                i32 lowest = 0, highest = 0;
                if (!coverage.FindInRow(y, firstColumn, lastColumn, lowest, highest))
                    continue;
                foundLeft = std::min(foundLeft, static_cast<f64>(lowest + shiftX - 1));
                foundRight = std::max(foundRight, static_cast<f64>(highest + shiftX + 2));
                foundBottom = std::min(foundBottom, static_cast<f64>(y + shiftY - 1));
                foundTop = std::max(foundTop, static_cast<f64>(y + shiftY + 2));
            }
        }
    }
    foundLeft = std::max(foundLeft, left);
    foundRight = std::min(foundRight, right);
    foundBottom = std::max(foundBottom, bottom);
    foundTop = std::min(foundTop, top);
    if (!(foundRight > foundLeft) || !(foundTop > foundBottom))
        return TextureRegion{0.0f, 0.0f, 0.0f, 0.0f};
    // Edges that within sets are kept as given, so that a part found whole equals within exactly.
    auto toCoordinate = [](f64 found, f64 edge, f32 given, i32 size) {
        return found == edge ? given : static_cast<f32>(found) / static_cast<f32>(size);
    };
    return TextureRegion{toCoordinate(foundLeft, left, within.left, width),
                         toCoordinate(foundBottom, bottom, within.bottom, height),
                         toCoordinate(foundRight, right, within.right, width),
                         toCoordinate(foundTop, top, within.top, height)};
}

TextureRegion FindVisibleRegion(const Surface& surface)
{
    return FindVisibleRegion(AlphaCoverage(surface), TextureRegion());
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

Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<AlphaCoverage>& levels,
                                                    const TextureRegion& within)
{
    Core::Vector<TextureRegion> regions;
    regions.reserve(levels.size());
    for (const AlphaCoverage& level : levels)
    {
        const TextureRegion found = FindVisibleRegion(level, within);
        regions.push_back(regions.empty() ? found : Union(regions.back(), found));
    }
    return regions;
}

Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<Core::RefPtr<Surface>>& levels)
{
    Core::Vector<AlphaCoverage> coverage;
    coverage.reserve(levels.size());
    for (const Core::RefPtr<Surface>& level : levels)
        coverage.emplace_back(*level);
    return FindChainVisibleRegions(coverage);
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

bool ReadsLevelZeroOnly(const TextureFootprint& footprint, i32 width, i32 height)
{
    if (!footprint.known)
        return false;
    const f64 w = static_cast<f64>(width);
    const f64 h = static_cast<f64>(height);
    if (footprint.dvdx == 0.0f && footprint.dudy == 0.0f)
        return std::abs(footprint.dudx * w) <= 1.0 && std::abs(footprint.dvdy * h) <= 1.0;
    return DeepestLevelRead(footprint, width, height, 2) == 0;
}
}  // namespace Renderer
