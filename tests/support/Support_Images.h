#pragma once
// Image files written byte by byte: PNG (RGBA, stored without compression), 24-bit BMP and the
// renderer's raw surface files, so that tests make good and broken pictures alike.
#include "core/Core_Types.h"

#include <cstddef>
#include <vector>

namespace TestSupport
{
// A top-down RGBA picture.
struct Picture
{
    i32 width = 0;
    i32 height = 0;
    std::vector<u8> rgba;

    Picture(i32 w, i32 h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 0) {}
    u8* At(i32 x, i32 y)
    {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
    }
    void Set(i32 x, i32 y, u8 r, u8 g, u8 b, u8 a);
    void Fill(u8 r, u8 g, u8 b, u8 a);
};

void PutU16LittleEndian(std::vector<u8>& out, u16 value);
void PutU32LittleEndian(std::vector<u8>& out, u32 value);
void PutU32BigEndian(std::vector<u8>& out, u32 value);
u32 Crc32(const u8* bytes, std::size_t count);
// A PNG chunk: length, type, data and the CRC of type and data.
void PutChunk(std::vector<u8>& out, const char* type, const std::vector<u8>& data);

// PNG of 8-bit RGBA: a zlib stream of stored (uncompressed) deflate blocks.
std::vector<u8> EncodePng(const Picture& picture);
// Raw surface file: format, width, height, pitch (little-endian u32), then the pixels.
std::vector<u8> EncodeRawSurface(u32 format, u32 width, u32 height, u32 pitch, const std::vector<u8>& pixels);
// A 2 x 2, 24-bit BMP: top row red, green; bottom row blue, white.
std::vector<u8> TwoByTwoBmp();
}  // namespace TestSupport
