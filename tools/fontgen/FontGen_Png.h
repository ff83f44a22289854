#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace FontGen
{
    // Writes an 8-bit RGBA, non-interlaced PNG; rgba holds width × height × 4 bytes, rows top-down.
    bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);
}
