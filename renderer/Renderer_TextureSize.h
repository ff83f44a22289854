#pragma once
// Power-of-two arithmetic for devices that only take power-of-two texture sizes.
#include "core/Core_Types.h"

namespace Renderer
{
// Exactly one bit set.
bool IsPowerOfTwo(u32 value);
// 1 for 0; otherwise twice the highest set bit (so a power of two gives its double), 2^31 when
// that is bit 31.
u32 PowerOfTwoAbove(u32 value);
// 1 when no bit above bit 0 is set; otherwise the highest set bit, or half of it when the value
// is itself a power of two.
u32 PowerOfTwoBelow(u32 value);
// The value itself when it is a power of two; otherwise the closer of the powers below and above,
// a tie going up: 3 -> 4, 5 -> 4, 6 -> 8, 0 -> 1.
u32 NearestPowerOfTwo(u32 value);
}  // namespace Renderer
