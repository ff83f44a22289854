#pragma once

#include "FontGen_Atlas.h"

#include <string>

namespace FontGen
{
    // Writes the ".fbf" metrics: u32 n, n UTF-16LE code units of description, the eight header
    // integers, then 96 packed 34-byte glyph records; all little-endian, 3300 + 2n bytes.
    bool WriteFbf(const std::string& path, const FontAtlas& atlas);
}
