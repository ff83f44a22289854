#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ToolsTest
{
    // The generated resource folder beside the running test program.
    std::filesystem::path ResourceDir();

    // The whole file, or an empty vector when it cannot be read.
    std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);
    std::string ReadText(const std::filesystem::path& path);

    uint32_t U32(const std::vector<uint8_t>& bytes, size_t at);
    int32_t I32(const std::vector<uint8_t>& bytes, size_t at);
    float F32(const std::vector<uint8_t>& bytes, size_t at);

    // A decoded 8-bit RGBA picture, rows top-down.
    struct Picture
    {
        int width = 0;
        int height = 0;
        std::vector<uint8_t> rgba;

        uint8_t Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
    };

    // Width and height from a PNG header; false when the file is not a PNG.
    bool ReadPngSize(const std::filesystem::path& path, int& width, int& height);

    // Decodes a non-interlaced 8-bit RGBA PNG, checking every chunk's CRC; false for anything else.
    bool ReadPng(const std::filesystem::path& path, Picture& picture);
}
