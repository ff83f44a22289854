#pragma once
// Image files written byte by byte for the decoding and icon tests.
#include "core/Core_Types.h"

#include <vector>

namespace TestImages
{
inline void PutU32(std::vector<u8>& out, u32 value)
{
    for (int i = 0; i < 4; ++i)
    {
        out.push_back(static_cast<u8>(value >> (8 * i)));
    }
}

inline void PutU16(std::vector<u8>& out, u16 value)
{
    out.push_back(static_cast<u8>(value));
    out.push_back(static_cast<u8>(value >> 8));
}

// A 2 x 2, 24-bit BMP: top row red, green; bottom row blue, white. BMP rows are stored bottom
// first, each pixel blue, green, red, each row padded to four bytes.
inline std::vector<u8> TwoByTwoBmp()
{
    std::vector<u8> pixels = {0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom: blue, white, padding
                              0, 0, 0xFF, 0, 0xFF, 0, 0, 0};        // top: red, green, padding
    std::vector<u8> file = {'B', 'M'};
    PutU32(file, 54 + static_cast<u32>(pixels.size()));
    PutU32(file, 0);
    PutU32(file, 54);
    PutU32(file, 40);
    PutU32(file, 2);
    PutU32(file, 2);
    PutU16(file, 1);
    PutU16(file, 24);
    PutU32(file, 0);
    PutU32(file, static_cast<u32>(pixels.size()));
    PutU32(file, 2835);
    PutU32(file, 2835);
    PutU32(file, 0);
    PutU32(file, 0);
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}
}  // namespace TestImages
