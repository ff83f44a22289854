#include "network/Network_Frame.h"

#include "core/Core_Memory.h"

#include <cstring>

namespace Network
{
u32 ReadLittleEndian32(const u8* bytes)
{
    return static_cast<u32>(bytes[0]) | static_cast<u32>(bytes[1]) << 8 | static_cast<u32>(bytes[2]) << 16 |
           static_cast<u32>(bytes[3]) << 24;
}

void WriteLittleEndian32(u8* bytes, u32 value)
{
    bytes[0] = static_cast<u8>(value);
    bytes[1] = static_cast<u8>(value >> 8);
    bytes[2] = static_cast<u8>(value >> 16);
    bytes[3] = static_cast<u8>(value >> 24);
}

u8* NewFrame(u32 length)
{
    return static_cast<u8*>(Core::TrackedNew(length, __FILE__, __LINE__));
}

void DeleteFrame(u8* frame, u32 length)
{
    Core::TrackedDelete(frame, length);
}

u8* BuildFrame(u32 type, const void* payload, u32 payloadLength)
{
    if (payloadLength > MaxFrameLength - FrameHeaderSize)
        return nullptr;
    u8* frame = NewFrame(payloadLength + FrameHeaderSize);
    WriteFrame(frame, type, payload, payloadLength);
    return frame;
}

void WriteFrame(u8* block, u32 type, const void* payload, u32 payloadLength)
{
    WriteLittleEndian32(block, type);
    WriteLittleEndian32(block + 4, payloadLength + FrameHeaderSize);
    if (payloadLength > 0 && payload != nullptr)
        std::memcpy(block + FrameHeaderSize, payload, payloadLength);
}
} // namespace Network
