#include "renderer/Renderer_Surface.h"

#include "core/Core_ResourceReport.h"
#include "platform/PAL_Image.h"
#include "core/PAL_Path.h"
#include "renderer/Renderer_ImageLoader.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace Renderer
{
namespace
{
u32 ReadLittleEndian32(const u8* bytes)
{
    return static_cast<u32>(bytes[0]) | (static_cast<u32>(bytes[1]) << 8) | (static_cast<u32>(bytes[2]) << 16) |
           (static_cast<u32>(bytes[3]) << 24);
}

// Size of an open file in bytes; -1 when it cannot be told.
long FileSize(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    if (std::fseek(file, 0, SEEK_SET) != 0)
        return -1;
    return size;
}
} // namespace

Surface::Surface(i32 width, i32 height, i32 format)
{
    Resize(width, height, format);
}

Surface::Surface(const Core::String& fileName)
{
    std::string failure;
    if (LoadFromFile(fileName, &failure))
        return;
    if (!fileName.empty() && LoadRawFile(fileName))
        return;
    if (!fileName.empty())
    {
        Core::ReportResourceFailure("Picture", fileName.View(),
                                    failure.empty() ? "it is neither a PNG, BMP or JPEG picture nor a raw surface" : failure,
                                    "a test pattern stands in");
    }
    MakeTestPattern();
}

void Surface::Resize(i32 newWidth, i32 newHeight, i32 newFormat)
{
    format = newFormat;
    width = std::max(newWidth, 0);
    height = std::max(newHeight, 0);
    pitch = width * 4;
    pixels.assign(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height), 0);
}

bool Surface::LoadFromFile(const Core::String& fileName, std::string* failure)
{
    if (!IsImageFileName(fileName))
        return false;
    PAL::DecodedImage image;
    if (!PAL::DecodeImageFile(fileName, image, PAL::ImageUse::Picture, failure))
        return false;
    Resize(image.width, image.height, FormatRGBA);
    ConvertImagePixels(image, pixels.data());
    return true;
}

bool Surface::LoadRawFile(const Core::String& fileName)
{
    std::FILE* file = PAL::OpenFile(fileName.View(), "rb");
    if (!file)
        return false;
    const long size = FileSize(file);
    u8 header[RawHeaderSize];
    bool ok = size >= static_cast<long>(RawHeaderSize) && std::fread(header, 1, RawHeaderSize, file) == RawHeaderSize;
    const u32 fileFormat = ok ? ReadLittleEndian32(header) : 0;
    const u32 fileWidth = ok ? ReadLittleEndian32(header + 4) : 0;
    const u32 fileHeight = ok ? ReadLittleEndian32(header + 8) : 0;
    const u32 filePitch = ok ? ReadLittleEndian32(header + 12) : 0;
    // The header must describe exactly the pixels that follow it, rows of width x 4 bytes.
    const u64 pixelBytes = static_cast<u64>(fileWidth) * static_cast<u64>(fileHeight) * 4u;
    ok = ok && fileWidth > 0 && fileHeight > 0 && fileWidth <= static_cast<u32>(PAL::MaxImageSide) &&
         fileHeight <= static_cast<u32>(PAL::MaxImageSide) && static_cast<u64>(filePitch) == static_cast<u64>(fileWidth) * 4u &&
         static_cast<u64>(size) == RawHeaderSize + pixelBytes;
    Core::Vector<u8> bytes;
    if (ok)
    {
        bytes.resize(static_cast<std::size_t>(pixelBytes));
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    if (!ok)
        return false;
    format = static_cast<i32>(fileFormat);
    width = static_cast<i32>(fileWidth);
    height = static_cast<i32>(fileHeight);
    pitch = static_cast<i32>(filePitch);
    pixels.swap(bytes);
    return true;
}

void Surface::MakeTestPattern()
{
    Resize(TestPatternSide, TestPatternSide, FormatRGBA);
    u8* out = pixels.data();
    for (i32 y = 0; y < height; ++y)
    {
        for (i32 x = 0; x < width; ++x)
        {
            const u8 grey = static_cast<u8>(x ^ y);
            out[0] = grey;
            out[1] = grey;
            out[2] = grey;
            out[3] = 255;
            out += 4;
        }
    }
}
} // namespace Renderer
