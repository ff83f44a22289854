#pragma once
// Image files (PNG, BMP, JPEG) as the renderer wants them: bottom-up RGBA with the colour of
// fully transparent pixels taken from their neighbours, and the chain of mipmap levels a texture
// uploads. Decoding is the platform layer's; everything around it is the renderer's own.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "platform/PAL_Image.h"
#include "renderer/Renderer_Surface.h"

namespace Renderer
{
// True when the name, upper-cased, ends in ".PNG", ".BMP" or ".JPG"; only those go to the decoder.
bool IsImageFileName(const Core::String& fileName);

// Writes a top-down RGBA image as bottom-up rows into destination (width x height x 4 bytes). A
// pixel whose alpha is 0 takes the mean red, green and blue (truncated) of those of its eight
// neighbours whose alpha is not 0, keeping alpha 0, so that filtering at the edge of a shape does
// not bleed in whatever colour the transparent area happened to hold; with no such neighbour it
// stays as it is.
void ConvertImagePixels(const PAL::DecodedImage& image, u8* destination);

// A surface holding the converted image.
Core::RefPtr<Surface> MakeSurface(const PAL::DecodedImage& image);

// Size of mip level 0: the image size, each side rounded to the nearest power of two unless the
// device takes other sizes, then limited to maxSize.
void BaseLevelSize(i32 imageWidth, i32 imageHeight, bool nonPowerOfTwo, i32 maxSize, i32& width, i32& height);
// Size of level i of a chain: each side of the base halved i times, never below 1.
void MipLevelSize(i32 baseWidth, i32 baseHeight, u32 level, i32& width, i32& height);
// Number of levels: 1 without mipmaps, else down to the first level of 1 x 1.
u32 MipLevelCount(i32 baseWidth, i32 baseHeight, bool mipmaps);

struct MipChain
{
    i32 imageWidth = 0; // size of the picture in the file
    i32 imageHeight = 0;
    Core::Vector<Core::RefPtr<Surface>> levels; // level 0 first
};

// Builds the chain of a decoded image: level 0 resampled from the image, every further level from
// the level before it, so that the whole chain costs little more than its first level.
void BuildMipChain(const PAL::DecodedImage& image, bool mipmaps, bool nonPowerOfTwo, i32 maxSize, MipChain& chain);
// Decodes an image file and builds its chain; false (chain untouched) when the name is not an
// image name or the file cannot be decoded.
bool LoadMipChain(const Core::String& fileName, bool mipmaps, bool nonPowerOfTwo, i32 maxSize, MipChain& chain);
}  // namespace Renderer
