#pragma once
// Resampling of RGBA images to any size, for mipmap levels and for devices that need
// power-of-two textures.
#include "platform/PAL_Image.h"

namespace Renderer
{
// The image scaled to width x height (both at least 1) with a separable tent filter whose
// radius widens with the reduction, so that every source pixel contributes when shrinking and
// enlarging is bilinear. Colours are averaged weighted by alpha, so transparent pixels lend no
// colour to their neighbours; a pixel that ends fully transparent keeps colour 0. An image scaled
// to its own size is returned unchanged; an empty image gives transparent black.
PAL::DecodedImage ResampleImage(const PAL::DecodedImage& image, i32 width, i32 height);
}  // namespace Renderer
