#include "renderer/Renderer_TextureSize.h"

#include <bit>

namespace Renderer
{
bool IsPowerOfTwo(u32 value)
{
    return std::has_single_bit(value);
}

u32 PowerOfTwoAbove(u32 value)
{
    if (value == 0)
        return 1;
    const u32 highest = std::bit_floor(value);
    return highest == 0x80000000u ? highest : highest << 1;
}

u32 PowerOfTwoBelow(u32 value)
{
    if (value <= 1)
        return 1;
    const u32 highest = std::bit_floor(value);
    return IsPowerOfTwo(value) ? highest >> 1 : highest;
}

u32 NearestPowerOfTwo(u32 value)
{
    if (value == 0)
        return 1;
    if (IsPowerOfTwo(value))
        return value;
    const u32 up = PowerOfTwoAbove(value);
    const u32 down = PowerOfTwoBelow(value);
    // A value above 2^31 has no power above it within 32 bits: 2^31 is then the nearest.
    if (up < value)
        return up;
    return (up - value > value - down) ? down : up;
}
}  // namespace Renderer
