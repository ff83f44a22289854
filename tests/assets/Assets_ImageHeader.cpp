#include "Assets_ImageHeader.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace AssetsTest
{
namespace
{
std::vector<unsigned char> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t BigEndian32(const unsigned char* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

std::uint32_t LittleEndian32(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t LittleEndian16(const unsigned char* p)
{
    return std::uint16_t(p[0] | (p[1] << 8));
}
}

std::optional<PngHeader> ReadPngHeader(const std::string& path)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    const std::vector<unsigned char> data = ReadAll(path);
    // signature, then the first chunk: length 13, "IHDR", width, height, depth, colour type
    if (data.size() < 33 || !std::equal(signature, signature + 8, data.begin()))
        return std::nullopt;
    if (BigEndian32(&data[8]) != 13 || std::string(data.begin() + 12, data.begin() + 16) != "IHDR")
        return std::nullopt;
    PngHeader header;
    header.width = BigEndian32(&data[16]);
    header.height = BigEndian32(&data[20]);
    header.bitDepth = data[24];
    header.colourType = data[25];
    return header;
}

std::optional<std::vector<IconEntry>> ReadIconDirectory(const std::string& path)
{
    const std::vector<unsigned char> data = ReadAll(path);
    if (data.size() < 6 || LittleEndian16(&data[0]) != 0 || LittleEndian16(&data[2]) != 1)
        return std::nullopt;
    const std::size_t count = LittleEndian16(&data[4]);
    if (data.size() < 6 + 16 * count)
        return std::nullopt;
    std::vector<IconEntry> entries;
    for (std::size_t i = 0; i < count; ++i)
    {
        const unsigned char* e = &data[6 + 16 * i];
        IconEntry entry;
        entry.width = e[0] == 0 ? 256 : e[0];
        entry.height = e[1] == 0 ? 256 : e[1];
        entry.bitCount = LittleEndian16(e + 6);
        entry.size = LittleEndian32(e + 8);
        entry.offset = LittleEndian32(e + 12);
        if (std::uint64_t(entry.offset) + entry.size > data.size())
            return std::nullopt;
        entries.push_back(entry);
    }
    return entries;
}

std::vector<std::string> ListFiles(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder, error))
        if (item.is_regular_file())
            names.push_back(item.path().filename().string());
    return names;
}
}
