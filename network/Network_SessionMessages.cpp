#include "network/Network_Session.h"

#include "core/PAL_Clock.h"
#include "network/Network_Frame.h"

namespace Network
{
namespace
{
// True when the socket can be read now, or becomes readable before the deadline.
bool WaitReadable(PAL::SocketHandle socket, f64 deadline)
{
    PAL::SocketWait wait;
    wait.handle = socket;
    wait.wantRead = true;
    f64 left = deadline - PAL::MonotonicTime();
    int timeout = left > 0.0 ? static_cast<int>(left) + 1 : 0;
    return PAL::WaitSockets(&wait, 1, timeout) == 1 && wait.readable;
}
} // namespace

bool Vel_Session::SendMessage(i32 slot, u32 type, const void* data, u32 length,
                              const Vellumar::SessionAddress& address, u32* sentBytes)
{
    if (length > MaxFrameLength - FrameHeaderSize || (data == nullptr && length > 0))
        return false;
    SocketRecord* record;
    SocketRecord* connection = nullptr;
    {
        std::shared_lock<std::shared_mutex> lock(tableLock);
        record = FindSocket(slot);
        if (record == nullptr)
            return false;
        if (record->type == PAL::SocketType::Stream && (record->modeFlags.load() & ModeQueuedSend) == 0)
        {
            if (record->connected.load() != 0)
            {
                if (!address.SameEndpoint(record->peerAddress))
                    return false;
                connection = record;
            }
            else
            {
                connection = FindConnection(slot, address);
                if (connection == nullptr)
                    return false;
            }
            connection->Acquire();
        }
        else
            record->Acquire();
    }

    if (connection != nullptr)
    {
        AcquiredRecord hold(connection);
        return SendOnStream(connection, type, data, length, sentBytes);
    }

    AcquiredRecord hold(record);
    if ((record->modeFlags.load() & ModeQueuedSend) != 0)
    {
        u8* frame = BuildFrame(type, data, length);
        std::unique_lock<std::shared_mutex> lock(tableLock);
        sendRequests.push_back(NetworkEvent::Make(EventKind::SendRequest, this, eventHandler, slot, nullptr, address,
                                                  frame));
        return true;
    }

    std::lock_guard<std::mutex> lock(record->sendMutex);
    const u32 total = length + FrameHeaderSize;
    record->EnsureBuffer(total, SocketRecord::Buffer::Send);
    WriteFrame(record->sendBuffer.data(), type, data, length);
    long result = record->SendTo(record->sendBuffer.data(), total, address);
    if (result < 0)
        return false;
    if (sentBytes != nullptr)
        *sentBytes = static_cast<u32>(result);
    return true;
}

bool Vel_Session::SendOnStream(SocketRecord* connection, u32 type, const void* data, u32 length, u32* sentBytes)
{
    const u32 total = length + FrameHeaderSize;
    std::size_t sent;
    {
        std::lock_guard<std::mutex> lock(connection->sendMutex);
        connection->EnsureBuffer(total, SocketRecord::Buffer::Send);
        WriteFrame(connection->sendBuffer.data(), type, data, length);
        sent = PAL::SendSocketAll(connection->socket, connection->sendBuffer.data(), total,
                                  static_cast<int>(syncTimeoutMs));
    }
    if (sent == total)
    {
        if (sentBytes != nullptr)
            *sentBytes = total;
        return true;
    }
    // Part of a frame went out: the peer would read the next frame from the middle of this one, so
    // the stream is given up.
    if (sent > 0)
        CloseRecordLater(connection);
    return false;
}

bool Vel_Session::WaitForMessage(i32 slot, EventList& events)
{
    SocketRecord* record = AcquireSocket(slot);
    if (record == nullptr)
        return false;
    AcquiredRecord hold(record);
    if (record->ReadByNetworkThread())
        return false;
    if (record->type == PAL::SocketType::Datagram)
        return ReadDatagrams(record, events);
    if (record->connected.load() != 0)
        return ReadStream(record, events, !record->IsNonBlocking());
    if (record->listening.load() == 0)
        return false;

    Core::Vector<SocketRecord*> waiting;
    {
        std::shared_lock<std::shared_mutex> lock(tableLock);
        for (SocketRecord* connection : connections)
            if (connection->slot == slot && connection->closing.load() == 0 && !connection->ReadByNetworkThread())
            {
                connection->Acquire();
                waiting.push_back(connection);
            }
    }
    for (SocketRecord* connection : waiting)
    {
        AcquiredRecord connectionHold(connection);
        PAL::SocketWait wait;
        wait.handle = connection->socket;
        wait.wantRead = true;
        if (PAL::WaitSockets(&wait, 1, 0) == 1 && wait.readable)
            ReadStream(connection, events, false);
    }
    return true;
}

bool Vel_Session::ReadStream(SocketRecord* record, EventList& events, bool mayWait)
{
    const f64 deadline = PAL::MonotonicTime() + syncTimeoutMs;
    std::lock_guard<std::mutex> lock(record->receiveMutex);
    for (;;)
    {
        if (!WaitReadable(record->socket, mayWait ? deadline : 0.0))
            return false;
        // A readable stream with nothing waiting has been closed by the peer; the receive of one
        // byte then reports it.
        const long waiting = PAL::GetBytesWaiting(record->socket);
        const u32 wanted = waiting > 0 ? static_cast<u32>(waiting) : 1;
        record->EnsureBuffer(wanted, SocketRecord::Buffer::Receive);
        const long got = record->Receive(record->receiveBuffer.data(), wanted);
        StreamStatus status = StreamStatus::PeerClosed;
        if (got < 0)
        {
            const PAL::SocketError error = PAL::GetLastSocketError();
            if (error == PAL::SocketError::WouldBlock)
                continue;
            if (error != PAL::SocketError::ConnectionAborted && error != PAL::SocketError::ConnectionReset)
                return false;
        }
        FrameList frames;
        if (got > 0)
            status = record->assembler.Accept(record->receiveBuffer.data(), static_cast<u32>(got), frames);
        for (u8* frame : frames)
            events.push_back(NetworkEvent::Make(EventKind::MessageReceived, this, eventHandler, record->slot, record,
                                                record->peerAddress, frame));
        if (status != StreamStatus::Open)
        {
            CloseRecordLater(record);
            return false;
        }
        if (!frames.empty())
            return true;
    }
}

bool Vel_Session::ReadDatagrams(SocketRecord* record, EventList& events)
{
    const f64 deadline = PAL::MonotonicTime() + syncTimeoutMs;
    if (!WaitReadable(record->socket, record->IsNonBlocking() ? 0.0 : deadline))
        return false;
    do
    {
        u8* frame = nullptr;
        PAL::SocketAddress from;
        if (record->ReceiveDatagram(frame, from) < 0)
            return false;
        if (frame == nullptr)
            continue;
        Vellumar::SessionAddress sender;
        sender.SetSocketAddress(from);
        events.push_back(
            NetworkEvent::Make(EventKind::MessageReceived, this, eventHandler, record->slot, record, sender, frame));
    } while (WaitReadable(record->socket, 0.0));
    return true;
}
} // namespace Network
