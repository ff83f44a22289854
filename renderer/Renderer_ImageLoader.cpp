#include "renderer/Renderer_ImageLoader.h"

#include "renderer/Renderer_ImageResample.h"
#include "renderer/Renderer_TextureSize.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Renderer
{
namespace
{
// Recolours the fully transparent pixel at (x, y) of the top-down source into out.
void FillTransparentPixel(const PAL::DecodedImage& image, i32 x, i32 y, u8* out)
{
    float sum[3] = {0.0f, 0.0f, 0.0f};
    u32 count = 0;
    for (i32 dy = -1; dy <= 1; ++dy)
    {
        for (i32 dx = -1; dx <= 1; ++dx)
        {
            const i32 nx = x + dx;
            const i32 ny = y + dy;
            if ((dx == 0 && dy == 0) || nx < 0 || ny < 0 || nx >= image.width || ny >= image.height)
                continue;
            const u8* neighbour = image.pixels.data() + (static_cast<std::size_t>(ny) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(nx)) * 4;
            if (neighbour[3] == 0)
                continue;
            sum[0] += static_cast<float>(neighbour[0]);
            sum[1] += static_cast<float>(neighbour[1]);
            sum[2] += static_cast<float>(neighbour[2]);
            ++count;
        }
    }
    if (count == 0)
        return;
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<u8>(sum[c] / static_cast<float>(count));
    out[3] = 0;
}
} // namespace

bool IsImageFileName(const Core::String& fileName)
{
    if (fileName.size() < 4)
        return false;
    char extension[5] = {};
    for (std::size_t i = 0; i < 4; ++i)
        extension[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(fileName[fileName.size() - 4 + i])));
    return std::strcmp(extension, ".PNG") == 0 || std::strcmp(extension, ".BMP") == 0 || std::strcmp(extension, ".JPG") == 0;
}

void ConvertImagePixels(const PAL::DecodedImage& image, u8* destination)
{
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    u8* out = destination;
    for (i32 y = image.height - 1; y >= 0; --y)
    {
        const u8* sourceRow = image.pixels.data() + static_cast<std::size_t>(y) * rowBytes;
        std::memcpy(out, sourceRow, rowBytes);
        for (i32 x = 0; x < image.width; ++x)
        {
            if (sourceRow[static_cast<std::size_t>(x) * 4 + 3] == 0)
                FillTransparentPixel(image, x, y, out + static_cast<std::size_t>(x) * 4);
        }
        out += rowBytes;
    }
}

Core::RefPtr<Surface> MakeSurface(const PAL::DecodedImage& image)
{
    Core::RefPtr<Surface> surface(new (__FILE__, __LINE__) Surface(image.width, image.height, Surface::FormatRGBA));
    ConvertImagePixels(image, surface->GetPixels());
    return surface;
}

void BaseLevelSize(i32 imageWidth, i32 imageHeight, bool nonPowerOfTwo, i32 maxSize, i32& width, i32& height)
{
    width = imageWidth;
    height = imageHeight;
    if (!nonPowerOfTwo)
    {
        width = static_cast<i32>(NearestPowerOfTwo(static_cast<u32>(std::max(width, 0))));
        height = static_cast<i32>(NearestPowerOfTwo(static_cast<u32>(std::max(height, 0))));
    }
    width = std::min(width, maxSize);
    height = std::min(height, maxSize);
}

void MipLevelSize(i32 baseWidth, i32 baseHeight, u32 level, i32& width, i32& height)
{
    const u32 shift = std::min(level, 31u);
    width = std::max(1, baseWidth >> shift);
    height = std::max(1, baseHeight >> shift);
}

u32 MipLevelCount(i32 baseWidth, i32 baseHeight, bool mipmaps)
{
    if (!mipmaps)
        return 1;
    u32 count = 1;
    for (i32 side = std::max(baseWidth, baseHeight); side > 1; side >>= 1)
        ++count;
    return count;
}

void BuildMipChain(const PAL::DecodedImage& image, bool mipmaps, bool nonPowerOfTwo, i32 maxSize, MipChain& chain)
{
    i32 baseWidth = 0;
    i32 baseHeight = 0;
    BaseLevelSize(image.width, image.height, nonPowerOfTwo, maxSize, baseWidth, baseHeight);
    chain.imageWidth = image.width;
    chain.imageHeight = image.height;
    chain.levels.clear();
    const u32 count = MipLevelCount(baseWidth, baseHeight, mipmaps);
    chain.levels.reserve(count);
    PAL::DecodedImage previous;
    const PAL::DecodedImage* source = &image;
    for (u32 level = 0; level < count; ++level)
    {
        i32 width = 0;
        i32 height = 0;
        MipLevelSize(baseWidth, baseHeight, level, width, height);
        if (width != source->width || height != source->height)
        {
            previous = ResampleImage(*source, width, height);
            source = &previous;
        }
        chain.levels.push_back(MakeSurface(*source));
    }
}

bool LoadMipChain(const Core::String& fileName, bool mipmaps, bool nonPowerOfTwo, i32 maxSize, MipChain& chain)
{
    if (!IsImageFileName(fileName))
        return false;
    PAL::DecodedImage image;
    if (!PAL::DecodeImageFile(fileName, image))
        return false;
    BuildMipChain(image, mipmaps, nonPowerOfTwo, maxSize, chain);
    return true;
}
} // namespace Renderer
