#pragma once
// The session advertisement: one datagram sent to a broadcast address at a fixed period from a
// thread of its own.
#include "core/Core_Object.h"
#include "core/Core_Types.h"

#include <mutex>

namespace Network
{
class SocketRecord;

// The destination an address class derives from the local IPv4 address a.b.c.d: class 1 a.b.c.255,
// class 2 a.b.255.255, class 3 a.255.255.255, any other 255.255.255.255. Pure: nothing is sent.
void DeriveBroadcastAddress(const u8 local[4], u32 addressClass, u8 out[4]);

// What the broadcast thread works with. The session owns it; the thread holds the use count of the
// advertisement sender's record while it runs, so the record cannot go away under it.
class Vel_Broadcast_Data : public Core::Object
{
public:
    Vel_Broadcast_Data() = default;
    ~Vel_Broadcast_Data() override;

    // Replaces the payload, keeping the message type; false when the frame would be too long.
    bool ReplacePayload(const void* payload, u32 payloadLength);

    SocketRecord* record = nullptr;
    std::mutex mutex; // guards the datagram
    u8* datagram = nullptr;
    u32 capacity = 0; // bytes allocated for the datagram; its length field may be smaller
    u32 period = 0;   // milliseconds
};
} // namespace Network
