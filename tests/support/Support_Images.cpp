#include "tests/support/Support_Images.h"

#include <algorithm>

namespace TestSupport
{
void Picture::Set(i32 x, i32 y, u8 r, u8 g, u8 b, u8 a)
{
    u8* p = At(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
}

void Picture::Fill(u8 r, u8 g, u8 b, u8 a)
{
    for (i32 y = 0; y < height; ++y)
        for (i32 x = 0; x < width; ++x)
            Set(x, y, r, g, b, a);
}

void PutU16LittleEndian(std::vector<u8>& out, u16 value)
{
    out.push_back(static_cast<u8>(value));
    out.push_back(static_cast<u8>(value >> 8));
}

void PutU32LittleEndian(std::vector<u8>& out, u32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<u8>(value >> shift));
}

void PutU32BigEndian(std::vector<u8>& out, u32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<u8>(value >> shift));
}

u32 Crc32(const u8* bytes, std::size_t count)
{
    u32 crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < count; ++i)
    {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutChunk(std::vector<u8>& out, const char* type, const std::vector<u8>& data)
{
    PutU32BigEndian(out, static_cast<u32>(data.size()));
    std::vector<u8> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32BigEndian(out, Crc32(typed.data(), typed.size()));
}

std::vector<u8> EncodePng(const Picture& picture)
{
    std::vector<u8> raw;
    for (i32 y = 0; y < picture.height; ++y)
    {
        raw.push_back(0); // no filter
        const u8* row = picture.rgba.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) * 4;
        raw.insert(raw.end(), row, row + static_cast<std::size_t>(picture.width) * 4);
    }
    std::vector<u8> zlib = {0x78, 0x01};
    std::size_t offset = 0;
    do
    {
        const std::size_t block = std::min<std::size_t>(65535, raw.size() - offset);
        const bool last = offset + block == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back(static_cast<u8>(block));
        zlib.push_back(static_cast<u8>(block >> 8));
        zlib.push_back(static_cast<u8>(~block));
        zlib.push_back(static_cast<u8>(~block >> 8));
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(offset),
                    raw.begin() + static_cast<std::ptrdiff_t>(offset + block));
        offset += block;
    } while (offset < raw.size());
    u32 a = 1;
    u32 b = 0;
    for (u8 byte : raw)
    {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    PutU32BigEndian(zlib, (b << 16) | a);

    std::vector<u8> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<u8> header;
    PutU32BigEndian(header, static_cast<u32>(picture.width));
    PutU32BigEndian(header, static_cast<u32>(picture.height));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

std::vector<u8> EncodeRawSurface(u32 format, u32 width, u32 height, u32 pitch, const std::vector<u8>& pixels)
{
    std::vector<u8> file;
    PutU32LittleEndian(file, format);
    PutU32LittleEndian(file, width);
    PutU32LittleEndian(file, height);
    PutU32LittleEndian(file, pitch);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::vector<u8> TwoByTwoBmp()
{
    // Rows are stored bottom first, each pixel blue, green, red, each row padded to four bytes.
    const std::vector<u8> pixels = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom: blue, white, padding
                                    0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // top: red, green, padding
    std::vector<u8> file = {'B', 'M'};
    PutU32LittleEndian(file, 54 + static_cast<u32>(pixels.size()));
    PutU32LittleEndian(file, 0);
    PutU32LittleEndian(file, 54);
    PutU32LittleEndian(file, 40);
    PutU32LittleEndian(file, 2);
    PutU32LittleEndian(file, 2);
    PutU16LittleEndian(file, 1);
    PutU16LittleEndian(file, 24);
    PutU32LittleEndian(file, 0);
    PutU32LittleEndian(file, static_cast<u32>(pixels.size()));
    PutU32LittleEndian(file, 2835);
    PutU32LittleEndian(file, 2835);
    PutU32LittleEndian(file, 0);
    PutU32LittleEndian(file, 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
}  // namespace TestSupport
