#include "Tools_Files.h"

#include <zlib.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace ToolsTest
{
    namespace
    {
        uint32_t BigEndian(const std::vector<uint8_t>& bytes, size_t at)
        {
            return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16
                | static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
        }

        bool HasSignature(const std::vector<uint8_t>& bytes)
        {
            static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            return bytes.size() >= 33 && std::memcmp(bytes.data(), signature, 8) == 0
                && std::memcmp(bytes.data() + 12, "IHDR", 4) == 0;
        }

        int Paeth(int a, int b, int c)
        {
            const int p = a + b - c;
            const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
            return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
        }

        bool Unfilter(const std::vector<uint8_t>& raw, Picture& picture)
        {
            const size_t stride = static_cast<size_t>(picture.width) * 4;
            if (raw.size() != (stride + 1) * picture.height)
                return false;
            picture.rgba.assign(stride * picture.height, 0);
            for (int y = 0; y < picture.height; ++y)
            {
                const uint8_t filter = raw[y * (stride + 1)];
                const uint8_t* in = raw.data() + y * (stride + 1) + 1;
                uint8_t* out = picture.rgba.data() + y * stride;
                const uint8_t* up = y > 0 ? out - stride : nullptr;
                for (size_t i = 0; i < stride; ++i)
                {
                    const int a = i >= 4 ? out[i - 4] : 0;
                    const int b = up ? up[i] : 0;
                    const int c = up && i >= 4 ? up[i - 4] : 0;
                    int predicted = 0;
                    switch (filter)
                    {
                    case 0: predicted = 0; break;
                    case 1: predicted = a; break;
                    case 2: predicted = b; break;
                    case 3: predicted = (a + b) / 2; break;
                    case 4: predicted = Paeth(a, b, c); break;
                    default: return false;
                    }
                    out[i] = static_cast<uint8_t>(in[i] + predicted);
                }
            }
            return true;
        }
    }

    std::filesystem::path ResourceDir()
    {
        return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "Resources";
    }

    std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string ReadText(const std::filesystem::path& path)
    {
        std::ifstream in(path);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    uint32_t U32(const std::vector<uint8_t>& bytes, size_t at)
    {
        return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8
            | static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
    }

    int32_t I32(const std::vector<uint8_t>& bytes, size_t at) { return static_cast<int32_t>(U32(bytes, at)); }

    float F32(const std::vector<uint8_t>& bytes, size_t at)
    {
        const uint32_t bits = U32(bytes, at);
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    bool ReadPngSize(const std::filesystem::path& path, int& width, int& height)
    {
        const std::vector<uint8_t> bytes = ReadBytes(path);
        if (!HasSignature(bytes))
            return false;
        width = static_cast<int>(BigEndian(bytes, 16));
        height = static_cast<int>(BigEndian(bytes, 20));
        return true;
    }

    bool ReadPng(const std::filesystem::path& path, Picture& picture)
    {
        const std::vector<uint8_t> bytes = ReadBytes(path);
        if (!HasSignature(bytes))
            return false;
        std::vector<uint8_t> packed;
        bool ended = false;
        for (size_t at = 8; !ended && at + 12 <= bytes.size();)
        {
            const uint32_t length = BigEndian(bytes, at);
            if (length > bytes.size() - at - 12)
                return false;
            const uint8_t* type = bytes.data() + at + 4;
            const uLong crc = crc32(0L, type, length + 4);
            if (crc != BigEndian(bytes, at + 8 + length))
                return false;
            const uint8_t* data = type + 4;
            if (std::memcmp(type, "IHDR", 4) == 0)
            {
                picture.width = static_cast<int>(BigEndian(bytes, at + 8));
                picture.height = static_cast<int>(BigEndian(bytes, at + 12));
                // 8 bits, RGBA, deflate, standard filters, not interlaced.
                if (length != 13 || data[8] != 8 || data[9] != 6 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                    return false;
            }
            else if (std::memcmp(type, "IDAT", 4) == 0)
                packed.insert(packed.end(), data, data + length);
            else if (std::memcmp(type, "IEND", 4) == 0)
                ended = true;
            at += 12 + length;
        }
        if (!ended || picture.width <= 0 || picture.height <= 0 || picture.width > 8192 || picture.height > 8192)
            return false;
        std::vector<uint8_t> raw((static_cast<size_t>(picture.width) * 4 + 1) * picture.height);
        uLongf rawSize = static_cast<uLongf>(raw.size());
        if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK
            || rawSize != raw.size())
            return false;
        return Unfilter(raw, picture);
    }
}
