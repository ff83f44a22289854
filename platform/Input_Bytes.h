#pragma once
// Little-endian fields of the devices' recorded states, which travel between machines.
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"

namespace Input
{
inline void PutU32(u8* at, u32 value)
{
    at[0] = static_cast<u8>(value);
    at[1] = static_cast<u8>(value >> 8);
    at[2] = static_cast<u8>(value >> 16);
    at[3] = static_cast<u8>(value >> 24);
}

inline u32 GetU32(const u8* at)
{
    return static_cast<u32>(at[0]) | static_cast<u32>(at[1]) << 8 | static_cast<u32>(at[2]) << 16 |
           static_cast<u32>(at[3]) << 24;
}

inline void PutRecord(u8* at, const KeyState& record)
{
    at[0] = record.pressed;
    at[1] = record.triggered;
    at[2] = record.held;
    at[3] = record.down;
    at[4] = record.released;
}

inline KeyState GetRecord(const u8* at)
{
    return KeyState{at[0], at[1], at[2], at[3], at[4]};
}
}  // namespace Input
