#include "platform/PAL_ImageHeader.h"

#include <SDL.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace PAL
{
namespace
{
constexpr u8 PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr i64 PngSignatureSize = 8;
constexpr u32 LargestPngChunk = 0x7FFFFFFF;
constexpr u32 IcoEntrySize = 16;
constexpr u32 IcoHeaderSize = 6;

bool ReadAt(SDL_RWops* stream, i64 offset, void* bytes, std::size_t count)
{
    return SDL_RWseek(stream, offset, RW_SEEK_SET) == offset && SDL_RWread(stream, bytes, 1, count) == count;
}

u32 BigEndian32(const u8* bytes)
{
    return u32(bytes[0]) << 24 | u32(bytes[1]) << 16 | u32(bytes[2]) << 8 | u32(bytes[3]);
}

u32 BigEndian16(const u8* bytes)
{
    return u32(bytes[0]) << 8 | u32(bytes[1]);
}

u32 LittleEndian32(const u8* bytes)
{
    return u32(bytes[0]) | u32(bytes[1]) << 8 | u32(bytes[2]) << 16 | u32(bytes[3]) << 24;
}

u32 LittleEndian16(const u8* bytes)
{
    return u32(bytes[0]) | u32(bytes[1]) << 8;
}

i64 Signed32(u32 value)
{
    return static_cast<i64>(static_cast<i32>(value));
}

// IHDR must be the first chunk, 13 bytes long; width and height open it.
bool PngSize(SDL_RWops* stream, i64 start, i64& width, i64& height)
{
    u8 header[24];
    if (!ReadAt(stream, start, header, sizeof(header)) || std::memcmp(header, PngSignature, 8) != 0 ||
        BigEndian32(header + 8) != 13 || std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    width = BigEndian32(header + 16);
    height = BigEndian32(header + 20);
    return true;
}

// The information header after the 14-byte file header: the old 12-byte form has 16-bit sides,
// every later form signed 32-bit ones, a negative height meaning rows stored top-down.
bool DibSize(SDL_RWops* stream, i64 start, i64& width, i64& height, bool twiceHeight)
{
    u8 header[12];
    if (!ReadAt(stream, start, header, sizeof(header)))
        return false;
    const u32 size = LittleEndian32(header);
    if (size == 12)
    {
        width = LittleEndian16(header + 4);
        height = LittleEndian16(header + 6);
    }
    else if (size >= 16)
    {
        width = Signed32(LittleEndian32(header + 4));
        height = std::llabs(Signed32(LittleEndian32(header + 8)));
    }
    else
        return false;
    // An icon's bitmap counts its mask rows in the height.
    if (twiceHeight)
        height /= 2;
    return true;
}

bool IsFrameMarker(u8 marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool IsStandaloneMarker(u8 marker)
{
    return marker == 0x01 || marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7);
}

// The first frame header gives the size; scan data or the end before it leaves none.
bool JpegSize(SDL_RWops* stream, i64& width, i64& height)
{
    const i64 size = SDL_RWsize(stream);
    i64 at = 2;
    while (at < size)
    {
        u8 byte = 0;
        if (!ReadAt(stream, at, &byte, 1) || byte != 0xFF)
            return false;
        while (byte == 0xFF)
        {
            if (!ReadAt(stream, ++at, &byte, 1))
                return false;
        }
        ++at;
        if (IsStandaloneMarker(byte))
            continue;
        if (byte == 0xD9 || byte == 0xDA)
            return false;
        u8 segment[7];
        if (!ReadAt(stream, at, segment, 2))
            return false;
        const u32 length = BigEndian16(segment);
        if (length < 2)
            return false;
        if (IsFrameMarker(byte))
        {
            if (length < 7 || !ReadAt(stream, at, segment, sizeof(segment)))
                return false;
            height = BigEndian16(segment + 3);
            width = BigEndian16(segment + 5);
            return true;
        }
        at += length;
    }
    return false;
}

// Every image of the directory is looked at, since the decoder picks one by its own rules.
bool IcoSize(SDL_RWops* stream, i64& width, i64& height)
{
    u8 header[IcoHeaderSize];
    if (!ReadAt(stream, 0, header, sizeof(header)) || LittleEndian16(header) != 0 || LittleEndian16(header + 2) != 1)
        return false;
    const u32 count = LittleEndian16(header + 4);
    if (count == 0)
        return false;
    width = 0;
    height = 0;
    for (u32 i = 0; i < count; ++i)
    {
        u8 entry[IcoEntrySize];
        if (!ReadAt(stream, IcoHeaderSize + i64(i) * IcoEntrySize, entry, sizeof(entry)))
            return false;
        const i64 offset = LittleEndian32(entry + 12);
        u8 lead[8];
        if (!ReadAt(stream, offset, lead, sizeof(lead)))
            return false;
        i64 entryWidth = 0;
        i64 entryHeight = 0;
        const bool sized = std::memcmp(lead, PngSignature, 8) == 0 ? PngSize(stream, offset, entryWidth, entryHeight)
                                                                   : DibSize(stream, offset, entryWidth, entryHeight, true);
        if (!sized)
            return false;
        width = std::max(width, entryWidth);
        height = std::max(height, entryHeight);
    }
    return true;
}
}  // namespace

bool ReadDeclaredSize(SDL_RWops* stream, ImageFormat format, i64& width, i64& height)
{
    switch (format)
    {
    case ImageFormat::Png:
        return PngSize(stream, 0, width, height);
    case ImageFormat::Bmp:
        return DibSize(stream, 14, width, height, false);
    case ImageFormat::Jpeg:
        return JpegSize(stream, width, height);
    case ImageFormat::Ico:
        return IcoSize(stream, width, height);
    case ImageFormat::Unknown:
        break;
    }
    return false;
}

bool ArePngChunksWhole(SDL_RWops* stream)
{
    const i64 size = SDL_RWsize(stream);
    u8 block[16384];
    bool first = true;
    for (i64 at = PngSignatureSize; at + 12 <= size;)
    {
        u8 header[8];
        if (!ReadAt(stream, at, header, sizeof(header)))
            return false;
        const u32 length = BigEndian32(header);
        if (length > LargestPngChunk || at + 12 + i64(length) > size || (first && std::memcmp(header + 4, "IHDR", 4) != 0))
            return false;
        uLong crc = crc32(0L, header + 4, 4);
        for (u32 left = length; left > 0;)
        {
            const u32 count = std::min<u32>(left, sizeof(block));
            if (SDL_RWread(stream, block, 1, count) != count)
                return false;
            crc = crc32(crc, block, count);
            left -= count;
        }
        u8 stored[4];
        if (SDL_RWread(stream, stored, 1, 4) != 4 || BigEndian32(stored) != static_cast<u32>(crc))
            return false;
        if (std::memcmp(header + 4, "IEND", 4) == 0)
            return true;
        first = false;
        at += 12 + i64(length);
    }
    return false;
}
}  // namespace PAL
