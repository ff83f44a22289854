#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Just enough of the PNG and ICO formats to check the rendered textures without decoding them.
namespace AssetsTest
{
struct PngHeader
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint8_t bitDepth = 0;
    std::uint8_t colourType = 0;  // 2 RGB, 6 RGBA
};

struct IconEntry
{
    std::uint32_t width = 0;   // 256 where the directory stores 0
    std::uint32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

// The IHDR fields of a PNG file; empty when the file is missing or is not a PNG.
std::optional<PngHeader> ReadPngHeader(const std::string& path);

// The directory of a Windows icon file, each entry checked to lie inside the file; empty when the
// file is missing, is not an icon, or an entry points outside it.
std::optional<std::vector<IconEntry>> ReadIconDirectory(const std::string& path);

// The names of the regular files of a folder, without the folder.
std::vector<std::string> ListFiles(const std::string& folder);
}
