#pragma once
// Where a picture shows anything once filtered, so that shapes blended by their source alpha can
// be drawn over just that part of their texture: the same pixels for far less fill.
#include "core/Core_Memory.h"
#include "renderer/Renderer_Surface.h"
#include "renderer/Renderer_Texture.h"

namespace Renderer
{
// The texels whose alpha is not 0, grown by one texel on each side (the reach of linear
// filtering), in texture coordinates. On an axis where the grown texels pass an edge the region
// spans the whole axis, since a repeating texture filters the opposite edge in. A surface without
// such a texel gives the empty region at the origin.
TextureRegion FindVisibleRegion(const Surface& surface);
// Every texel's alpha is 255.
bool IsOpaque(const Surface& surface);
// For a mipmap chain, level 0 first: entry k is the union of the regions of levels 0 to k, what a
// draw reading no level beyond k can show.
Core::Vector<TextureRegion> FindChainVisibleRegions(const Core::Vector<Core::RefPtr<Surface>>& levels);
// The deepest level that trilinear filtering may read for a shape drawn with the footprint, on a
// texture of levelCount levels whose level 0 is width x height texels. Generous by half a level:
// a device may take the length of a derivative as the sum of its components.
u32 DeepestLevelRead(const TextureFootprint& footprint, i32 width, i32 height, u32 levelCount);
}  // namespace Renderer
