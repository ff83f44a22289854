#pragma once
// Image decoding for the renderer and the window icon: PNG, BMP, JPEG and ICO files become plain
// RGBA pixels. Scaling and the layout the renderer wants are the renderer's own.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace PAL
{
struct DecodedImage
{
    i32 width = 0;
    i32 height = 0;
    // Four bytes per pixel (red, green, blue, alpha), rows from the top of the picture down.
    Core::Vector<u8> pixels;
};

// Largest width or height accepted; bigger pictures are refused rather than allocated.
constexpr i32 MaxImageSide = 16384;

// Decodes the file at a system path. False (image untouched) when it cannot be read or decoded.
bool DecodeImageFile(const Core::String& path, DecodedImage& image);
}  // namespace PAL
