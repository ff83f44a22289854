#pragma once
// Where a picture shows anything once filtered, so that shapes blended by their source alpha can
// be drawn over just that part of their texture: the same pixels for far less fill.
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
}  // namespace Renderer
