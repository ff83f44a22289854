#pragma once
// Where a picture shows anything once filtered, so that shapes blended by their source alpha can
// be drawn over just that part of their texture: the same pixels for far less fill.
#include "core/Core_Memory.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_Texture.h"

namespace Renderer
{
// Which texels of a picture have an alpha above 0, one bit each: what the visible part of any
// rectangle of it is found from once the picture itself is gone.
class AlphaCoverage
{
public:
    AlphaCoverage() = default;
    explicit AlphaCoverage(const Surface& surface);

    i32 GetWidth() const { return width; }
    i32 GetHeight() const { return height; }
    // The lowest and highest covered column of row y from first to last (inclusive, in range);
    // false when none of them is covered.
    bool FindInRow(i32 y, i32 first, i32 last, i32& lowest, i32& highest) const;

private:
    i32 width = 0;
    i32 height = 0;
    i32 wordsPerRow = 0;
    Core::Vector<u64> bits;
};

// The part of within (texture coordinates) that shows anything: the texels whose alpha is not 0,
// each grown by one texel on every side (the reach of linear filtering) and repeated one texture
// over in every direction (a repeating texture filters the opposite edge in), clipped to within.
// Where nothing shows, the empty region at the origin.
TextureRegion FindVisibleRegion(const AlphaCoverage& coverage, const TextureRegion& within);
// The same over the whole texture: on an axis where the grown texels pass an edge the region
// spans the whole axis.
TextureRegion FindVisibleRegion(const Surface& surface);
// Every texel's alpha is 255.
bool IsOpaque(const Surface& surface);
// For a mipmap chain, level 0 first: entry k is the union of the regions of levels 0 to k inside
// within, what a draw reading no level beyond k and no coordinate outside within can show.
Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<AlphaCoverage>& levels,
                                                    const TextureRegion& within = TextureRegion());
Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<Core::RefPtr<Surface>>& levels);
// The deepest level that trilinear filtering may read for a shape drawn with the footprint, on a
// texture of levelCount levels whose level 0 is width x height texels. Generous by half a level:
// a device may take the length of a derivative as the sum of its components.
u32 DeepestLevelRead(const TextureFootprint& footprint, i32 width, i32 height, u32 levelCount);
// Filtering with that footprint reads level 0 alone, on any device: a texel or less per pixel
// along both screen axes where the footprint lies along them (then every way of measuring it
// agrees, and the level of detail is at most 0), and the deepest level read is 0 otherwise.
bool ReadsLevelZeroOnly(const TextureFootprint& footprint, i32 width, i32 height);
}  // namespace Renderer
