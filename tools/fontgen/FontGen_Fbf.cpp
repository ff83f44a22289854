#include "FontGen_Fbf.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace FontGen
{
    namespace
    {
        void PutU16(std::vector<uint8_t>& out, uint16_t value)
        {
            out.push_back(static_cast<uint8_t>(value));
            out.push_back(static_cast<uint8_t>(value >> 8));
        }

        void PutU32(std::vector<uint8_t>& out, uint32_t value)
        {
            for (int shift = 0; shift < 32; shift += 8)
                out.push_back(static_cast<uint8_t>(value >> shift));
        }

        void PutI32(std::vector<uint8_t>& out, int32_t value) { PutU32(out, static_cast<uint32_t>(value)); }

        void PutF32(std::vector<uint8_t>& out, float value)
        {
            uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            PutU32(out, bits);
        }
    }

    bool WriteFbf(const std::string& path, const FontAtlas& atlas)
    {
        std::vector<uint8_t> bytes;
        // The description is plain ASCII, so each character is one UTF-16 code unit.
        PutU32(bytes, static_cast<uint32_t>(atlas.description.size()));
        for (char c : atlas.description)
            PutU16(bytes, static_cast<uint16_t>(static_cast<unsigned char>(c) & 0x7F));
        for (int32_t value : atlas.HeaderIntegers())
            PutI32(bytes, value);
        for (const GlyphMetrics& glyph : atlas.glyphs)
        {
            PutU16(bytes, glyph.code);
            PutI32(bytes, glyph.width);
            PutI32(bytes, glyph.advance);
            PutI32(bytes, glyph.height);
            PutI32(bytes, 0);
            PutI32(bytes, 0);
            PutF32(bytes, glyph.cellOffsetX);
            PutI32(bytes, glyph.bearing);
            PutI32(bytes, glyph.verticalOffset);
        }
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(file);
    }
}
