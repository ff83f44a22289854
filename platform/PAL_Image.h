#pragma once
// Image decoding for the renderer and the window icon: PNG, BMP and JPEG files (and ICO for the
// icon) become plain RGBA pixels. The format is decided by the file's first bytes, never by its
// name; the size the header declares is checked against the limits below before anything is
// decoded, and a PNG whose chunks are not all whole with correct checksums is refused before it
// reaches the decoder. Scaling and the layout the renderer wants are the renderer's own.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

#include <cstddef>
#include <string>

namespace PAL
{
struct DecodedImage
{
    i32 width = 0;
    i32 height = 0;
    // Four bytes per pixel (red, green, blue, alpha), rows from the top of the picture down.
    Core::Vector<u8> pixels;
};

// Largest width or height accepted.
constexpr i32 MaxImageSide = 16384;
// Largest picture accepted, in pixels: 8 Mi pixels, 32 MB as RGBA. The game's largest sheet is
// 1032 x 3096 (3.2 million pixels), so it has more than twice the room; bigger pictures are
// refused rather than allocated.
constexpr u64 MaxImagePixels = u64(8) * 1024 * 1024;

// True for a width and height both limits allow.
bool IsImageSizeAccepted(i64 width, i64 height);

enum class ImageFormat
{
    Unknown,
    Png,
    Bmp,
    Jpeg,
    Ico,
};

// Which formats a caller takes: the renderer's pictures, or those and ICO for the window icon.
enum class ImageUse
{
    Picture,
    Icon,
};

// The format the leading bytes announce.
ImageFormat DetectImageFormat(const u8* bytes, std::size_t count);

// Decodes the file at a system path. False (image untouched) when it cannot be read or decoded,
// is of another format than the use takes, or declares a picture beyond the limits; failure, when
// given, then says which in words.
bool DecodeImageFile(const Core::String& path, DecodedImage& image, ImageUse use = ImageUse::Picture,
                     std::string* failure = nullptr);
// The same for a file's bytes already in memory.
bool DecodeImageBytes(const u8* bytes, std::size_t count, DecodedImage& image, ImageUse use = ImageUse::Picture);
}  // namespace PAL
