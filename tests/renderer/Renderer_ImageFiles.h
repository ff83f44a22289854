#pragma once
// Image files written byte by byte for the image, surface and texture tests: PNG (RGBA, stored
// without compression) and raw surface files, in a scratch folder of their own.
#include "core/Core_Types.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace ImageFiles
{
// A top-down RGBA picture.
struct Picture
{
    i32 width = 0;
    i32 height = 0;
    std::vector<u8> rgba;

    Picture(i32 w, i32 h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 0) {}
    u8* At(i32 x, i32 y) { return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4; }
    void Set(i32 x, i32 y, u8 r, u8 g, u8 b, u8 a)
    {
        u8* p = At(x, y);
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = a;
    }
    void Fill(u8 r, u8 g, u8 b, u8 a)
    {
        for (i32 y = 0; y < height; ++y)
            for (i32 x = 0; x < width; ++x)
                Set(x, y, r, g, b, a);
    }
};

inline void PutU32BigEndian(std::vector<u8>& out, u32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<u8>(value >> shift));
}

inline void PutU32LittleEndian(std::vector<u8>& out, u32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<u8>(value >> shift));
}

inline u32 Crc32(const u8* bytes, std::size_t count)
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

inline void PutChunk(std::vector<u8>& out, const char* type, const std::vector<u8>& data)
{
    PutU32BigEndian(out, static_cast<u32>(data.size()));
    std::vector<u8> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32BigEndian(out, Crc32(typed.data(), typed.size()));
}

// PNG of 8-bit RGBA: zlib stream of stored (uncompressed) deflate blocks.
inline std::vector<u8> EncodePng(const Picture& picture)
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

// Raw surface file: format, width, height, pitch (little-endian u32), then the pixels.
inline std::vector<u8> EncodeRawSurface(u32 format, u32 width, u32 height, u32 pitch, const std::vector<u8>& pixels)
{
    std::vector<u8> file;
    PutU32LittleEndian(file, format);
    PutU32LittleEndian(file, width);
    PutU32LittleEndian(file, height);
    PutU32LittleEndian(file, pitch);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

// A scratch folder removed with the object.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& name)
        : path(std::filesystem::temp_directory_path() / (name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Writes the bytes to a file of the folder and returns its path.
    std::string Write(const std::string& fileName, const std::vector<u8>& bytes) const
    {
        const std::string full = (path / fileName).string();
        std::FILE* file = std::fopen(full.c_str(), "wb");
        if (file)
        {
            if (!bytes.empty())
                std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        return full;
    }
    std::string PathOf(const std::string& fileName) const { return (path / fileName).string(); }

private:
    std::filesystem::path path;
};
}  // namespace ImageFiles
