#include "network/Network_Session.h"

#include "core/PAL_Clock.h"

#include <memory>
#include <vector>

namespace Network
{
SocketRecord* Vel_Session::FindSocket(i32 slot) const
{
    if (!running.load())
        return nullptr;
    for (SocketRecord* record : sockets)
        if (record->slot == slot && record->closing.load() == 0)
            return record;
    return nullptr;
}

SocketRecord* Vel_Session::AcquireSocket(i32 slot)
{
    std::shared_lock<std::shared_mutex> lock(tableLock);
    SocketRecord* record = FindSocket(slot);
    if (record != nullptr)
        record->Acquire();
    return record;
}

SocketRecord* Vel_Session::FindConnection(i32 slot, const Vellumar::SessionAddress& peerAddress) const
{
    if (!running.load())
        return nullptr;
    for (SocketRecord* record : connections)
        if (record->slot == slot && record->closing.load() == 0 && record->peerAddress.SameEndpoint(peerAddress))
            return record;
    return nullptr;
}

SocketRecord* Vel_Session::OpenSocket(i32 slot, PAL::SocketType type, const Vellumar::SessionAddress& bindAddress,
                                      u32 modeFlags, u32 optionBits)
{
    SocketRecord* record = nullptr;
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        if (!running.load() || FindSocket(slot) != nullptr)
            return nullptr;
        record = new SocketRecord;
        if (!record->CreateAndBind(type, bindAddress, optionBits))
        {
            delete record;
            return nullptr;
        }
        AddRecord(record, slot, modeFlags);
    }
    DeliverNow(EventKind::SocketOpened, slot, Vellumar::SessionAddress());
    return record;
}

bool Vel_Session::OpenSocketPair(i32 streamSlot, i32 datagramSlot, const Vellumar::SessionAddress& bindAddress,
                                 u32 streamMode, u32 streamOptions, u32 datagramMode, u32 datagramOptions)
{
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        if (!running.load() || streamSlot == datagramSlot || FindSocket(streamSlot) != nullptr ||
            FindSocket(datagramSlot) != nullptr)
            return false;
        // Stream ports refused stay bound until the search ends, so that the system does not hand
        // the same one back.
        std::vector<std::unique_ptr<SocketRecord>> refused;
        const u32 attempts = bindAddress.GetPort() == 0 ? SocketPairAttempts : 1;
        std::unique_ptr<SocketRecord> stream;
        std::unique_ptr<SocketRecord> datagram;
        while (!datagram && refused.size() < attempts)
        {
            stream.reset(new SocketRecord);
            if (!stream->CreateAndBind(PAL::SocketType::Stream, bindAddress, streamOptions))
                return false;
            Vellumar::SessionAddress shared = bindAddress;
            shared.SetPort(stream->localAddress.GetPort());
            datagram.reset(new SocketRecord);
            if (!datagram->CreateAndBind(PAL::SocketType::Datagram, shared, datagramOptions))
            {
                datagram.reset();
                refused.push_back(std::move(stream));
            }
        }
        if (!datagram)
            return false;
        AddRecord(stream.release(), streamSlot, streamMode);
        AddRecord(datagram.release(), datagramSlot, datagramMode);
    }
    DeliverNow(EventKind::SocketOpened, streamSlot, Vellumar::SessionAddress());
    DeliverNow(EventKind::SocketOpened, datagramSlot, Vellumar::SessionAddress());
    return true;
}

void Vel_Session::AddRecord(SocketRecord* record, i32 slot, u32 modeFlags)
{
    record->slot = slot;
    record->modeFlags.store(modeFlags);
    sockets.push_back(record);
}

bool Vel_Session::Listen(const Vellumar::SessionAddress& bindAddress, u32 newBacklog)
{
    if (listening.load() ||
        OpenSocket(Slot::HostListener, PAL::SocketType::Stream, bindAddress, ModeRead, OptionNonBlocking) == nullptr)
        return false;
    return StartListening(newBacklog);
}

bool Vel_Session::ListenWithDatagram(const Vellumar::SessionAddress& bindAddress, u32 newBacklog, i32 datagramSlot)
{
    if (listening.load() || !OpenSocketPair(Slot::HostListener, datagramSlot, bindAddress, ModeRead,
                                            OptionNonBlocking, ModeRead, OptionNonBlocking))
        return false;
    if (StartListening(newBacklog))
        return true;
    CloseSocket(datagramSlot, false);
    return false;
}

bool Vel_Session::StartListening(u32 newBacklog)
{
    backlog = newBacklog;
    if (!ListenOnSocket(Slot::HostListener, newBacklog))
    {
        CloseSocket(Slot::HostListener, false);
        return false;
    }
    listening.store(true);
    return true;
}

bool Vel_Session::StopListening(bool wait)
{
    bool closed = CloseSocket(Slot::HostListener, wait);
    listening.store(false);
    return closed;
}

bool Vel_Session::ListenOnSocket(i32 slot, u32 listenBacklog)
{
    SocketRecord* record = AcquireSocket(slot);
    if (record == nullptr)
        return false;
    AcquiredRecord hold(record);
    if (record->socket == PAL::InvalidSocket ||
        !PAL::ListenSocket(record->socket, static_cast<int>(listenBacklog > 0x7FFFFFFF ? 0x7FFFFFFF : listenBacklog)))
        return false;
    record->listening.store(1);
    return true;
}

bool Vel_Session::OpenDiscoverySocket(u16 port)
{
    Vellumar::SessionAddress any;
    any.SetPort(port);
    return OpenSocket(Slot::DiscoveryListener, PAL::SocketType::Datagram, any, ModeRead,
                      OptionBroadcast | OptionReuseAddress | OptionNonBlocking) != nullptr;
}

bool Vel_Session::CloseDiscoverySocket(bool wait)
{
    return CloseSocket(Slot::DiscoveryListener, wait);
}

bool Vel_Session::Connect(i32 slot, const Vellumar::SessionAddress& address)
{
    SocketRecord* record = AcquireSocket(slot);
    if (record == nullptr)
        return false;
    AcquiredRecord hold(record);
    if (record->IsNonBlocking())
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        for (const NetworkEvent& request : connectRequests)
            if (request.slot == slot)
                return false;
        connectRequests.push_back(
            NetworkEvent::Make(EventKind::ConnectRequest, this, eventHandler, slot, nullptr, address));
        return true;
    }
    if (!PAL::ConnectSocketWithin(record->socket, address.GetSocketAddress(), static_cast<int>(syncTimeoutMs)))
        return false;
    std::unique_lock<std::shared_mutex> lock(tableLock);
    record->peerAddress = address;
    record->connected.store(1);
    return true;
}

bool Vel_Session::CloseSocket(i32 slot, bool wait)
{
    std::atomic<bool> done{false};
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        SocketRecord* record = FindSocket(slot);
        if (record == nullptr)
            return false;
        QueueClose(record, false, wait ? &done : nullptr);
    }
    return !wait || WaitForClose(done);
}

bool Vel_Session::CloseConnection(i32 slot, const Vellumar::SessionAddress& peerAddress, bool wait)
{
    std::atomic<bool> done{false};
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        SocketRecord* record = FindConnection(slot, peerAddress);
        if (record == nullptr)
            return false;
        QueueClose(record, true, wait ? &done : nullptr);
    }
    return !wait || WaitForClose(done);
}

void Vel_Session::QueueClose(SocketRecord* record, bool connection, std::atomic<bool>* completion)
{
    record->closing.store(1);
    NetworkEvent request = NetworkEvent::Make(EventKind::CloseRequest, this, eventHandler, record->slot, record,
                                              record->peerAddress, nullptr, connection ? 1 : 0);
    request.completion = completion;
    closeRequests.push_back(request);
}

void Vel_Session::CloseRecordLater(SocketRecord* record)
{
    std::unique_lock<std::shared_mutex> lock(tableLock);
    if (record->closing.load() == 0)
        QueueClose(record, record->accepted != 0, nullptr);
}

bool Vel_Session::WaitForClose(std::atomic<bool>& done)
{
    const f64 deadline = PAL::MonotonicTime() + syncTimeoutMs;
    while (!done.load() && PAL::MonotonicTime() < deadline)
        PAL::Sleep(0);
    if (done.load())
        return true;
    // Given up: the close still happens, but nobody waits for its completion any more.
    std::unique_lock<std::shared_mutex> lock(tableLock);
    for (NetworkEvent& request : closeRequests)
        if (request.completion == &done)
            request.completion = nullptr;
    return done.load();
}

bool Vel_Session::GetLocalAddress(i32 slot, Vellumar::SessionAddress& out)
{
    std::shared_lock<std::shared_mutex> lock(tableLock);
    SocketRecord* record = FindSocket(slot);
    if (record == nullptr)
        return false;
    PAL::SocketAddress bound;
    if (record->socket != PAL::InvalidSocket && PAL::GetSocketLocalAddress(record->socket, bound))
        out.SetSocketAddress(bound);
    else
        out = record->localAddress;
    return true;
}

bool Vel_Session::GetRemoteAddress(i32 slot, Vellumar::SessionAddress& out)
{
    std::shared_lock<std::shared_mutex> lock(tableLock);
    SocketRecord* record = FindSocket(slot);
    if (record == nullptr)
        return false;
    out = record->peerAddress;
    return true;
}

bool Vel_Session::SetSocketMode(i32 slot, u32 modeFlags)
{
    std::shared_lock<std::shared_mutex> lock(tableLock);
    SocketRecord* record = FindSocket(slot);
    if (record == nullptr)
        return false;
    record->modeFlags.store(modeFlags);
    return true;
}
} // namespace Network
