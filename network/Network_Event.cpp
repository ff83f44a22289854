#include "network/Network_Event.h"

#include "network/Network_Frame.h"

namespace Network
{
NetworkEvent NetworkEvent::Make(EventKind kind, Vel_Session* session, EventHandler handler, i32 slot,
                                SocketRecord* record, const Vellumar::SessionAddress& address, u8* buffer, u8 failed)
{
    NetworkEvent event;
    event.kind = kind;
    event.session = session;
    event.handler = handler;
    event.slot = slot;
    event.record = record;
    event.address = address;
    event.failed = failed;
    if (buffer != nullptr)
    {
        event.buffer = buffer;
        event.bufferLength = GetFrameLength(buffer);
        event.messageType = GetFrameType(buffer);
        event.payload = buffer + FrameHeaderSize;
        event.payloadLength = event.bufferLength - FrameHeaderSize;
    }
    return event;
}

void NetworkEvent::Deliver(NetworkEvent& event)
{
    if (event.kind != EventKind::MessageReceived)
    {
        if (event.handler != nullptr)
            event.handler(event);
        return;
    }
    if (event.handler == nullptr || event.handler(event))
    {
        event.ReleaseFrame();
        return;
    }
    // The handler kept the frame: the event no longer owns it.
    event.buffer = nullptr;
    event.bufferLength = 0;
    event.payload = nullptr;
    event.payloadLength = 0;
}

void NetworkEvent::ReleaseFrame()
{
    if (buffer != nullptr)
        DeleteFrame(buffer, bufferLength);
    buffer = nullptr;
    bufferLength = 0;
    payload = nullptr;
    payloadLength = 0;
}
} // namespace Network
