#pragma once
// The one record in which the network engine reports everything asynchronous to a session's owner.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "network/Network_SessionAddress.h"

#include <atomic>

namespace Network
{
class Vel_Session;
class SocketRecord;
struct NetworkEvent;

// The session's event handler. For MessageReceived, returning false keeps the frame: the handler
// then owns it and frees it with DeleteFrame (Network_Frame.h).
using EventHandler = bool (*)(NetworkEvent& event);

enum class EventKind : u32
{
    SessionStarted = 0,
    ConnectionAccepted = 1,
    ConnectFinished = 2,
    MessageReceived = 3,
    SendFinished = 4,
    SocketOpened = 5,
    SocketClosed = 6,
    ConnectionClosed = 7,
    SessionClosed = 8,
    // Requests to the network thread; they never reach the handler.
    ConnectRequest = 9,
    SendRequest = 10,
    CloseRequest = 11,
};

constexpr u32 NoMessageType = 0xFFFFFFFFu;

// Held by value in queues. The frame pointer is copied with the record; the copy that is delivered
// (or the request that is served) owns it.
struct NetworkEvent
{
    EventHandler handler = nullptr;
    u8* buffer = nullptr;     // the whole frame, header included, or null
    u32 bufferLength = 0;     // the frame's length field; 0 without a buffer
    EventKind kind = EventKind::SessionStarted;
    Vel_Session* session = nullptr;
    i32 slot = -1;            // -1 for session-wide events
    SocketRecord* record = nullptr;
    Vellumar::SessionAddress address;
    u32 messageType = NoMessageType;
    u8* payload = nullptr;    // buffer + 8, or null
    u32 payloadLength = 0;
    u8 failed = 0;            // in a CloseRequest: 1 names an accepted connection, 0 a socket
    // CloseRequest: the waiting caller's completion flag, or null.
    std::atomic<bool>* completion = nullptr;
    // SendRequest: bytes of the frame already handed to the socket.
    u32 sent = 0;

    // Derives length, type and payload from the frame's own header.
    static NetworkEvent Make(EventKind kind, Vel_Session* session, EventHandler handler, i32 slot,
                             SocketRecord* record, const Vellumar::SessionAddress& address, u8* buffer = nullptr,
                             u8 failed = 0);

    // The dispatcher of every session: a message frame is freed unless the handler returns false;
    // any other event only calls the handler.
    static void Deliver(NetworkEvent& event);
    // Frees the frame the event carries, if any.
    void ReleaseFrame();
};

using EventList = Core::List<NetworkEvent>;
} // namespace Network
