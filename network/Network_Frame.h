#pragma once
// The message frame carried over TCP and UDP: u32 type, u32 total length (header included), the
// payload; both fields little-endian. Frames live in blocks of exactly their length, made and
// released here.
#include "core/Core_Types.h"

namespace Network
{
constexpr u32 FrameHeaderSize = 8;
// The longest frame accepted from a peer or built for one: a stream announcing more is hostile or
// corrupt and is closed instead of buffered.
constexpr u32 MaxFrameLength = 16u * 1024u * 1024u;

constexpr bool IsValidFrameLength(u32 length)
{
    return length >= FrameHeaderSize && length <= MaxFrameLength;
}

u32 ReadLittleEndian32(const u8* bytes);
void WriteLittleEndian32(u8* bytes, u32 value);

inline u32 GetFrameType(const u8* frame)
{
    return ReadLittleEndian32(frame);
}
inline u32 GetFrameLength(const u8* frame)
{
    return ReadLittleEndian32(frame + 4);
}

// A block of length bytes for a frame; throws std::bad_alloc like every tracked allocation.
u8* NewFrame(u32 length);
// length: the block's length, which is the frame's length field when the frame was made here.
void DeleteFrame(u8* frame, u32 length);
// A new frame holding the header and a copy of the payload; null when it would exceed the limit.
u8* BuildFrame(u32 type, const void* payload, u32 payloadLength);
// Writes the header and payload into a block of at least payloadLength + 8 bytes.
void WriteFrame(u8* block, u32 type, const void* payload, u32 payloadLength);
} // namespace Network
