#include "network/Network_Frame.h"
#include "network/Network_Session.h"

namespace Network
{
// One pass of a session's network thread: under the table lock it serves the close, connect and
// send requests and gathers the sockets to watch; then it waits on them and handles, without the
// lock, those that became ready. Only this thread closes sockets and destroys records. What the
// locked part reports is posted once the lock is released: a post may wait for a handler (on the
// dispatch thread), and that handler may be waiting for the table lock.
class NetworkThreadPass
{
public:
    NetworkThreadPass(Vel_Session& session, PAL::Thread* thread) : session(session), thread(thread) {}

    // False once the thread has been asked to stop.
    bool Run();

private:
    enum class Watch
    {
        Read,
        Connect,
        Send,
    };
    struct Entry
    {
        SocketRecord* record;
        Watch watch;
        EventList::iterator request; // Send: the request it serves
    };

    void ServeCloseRequests();
    void ServeConnectRequests();
    void ServeSendRequests();
    void WatchReaders();
    void Add(SocketRecord* record, Watch watch, EventList::iterator request = {});
    bool Watching(const SocketRecord* record, Watch watch) const;

    void HandleReadable(SocketRecord* record);
    void Accept(SocketRecord* listener);
    void ReceiveDatagram(SocketRecord* record);
    void ReceiveStream(SocketRecord* record);
    void FinishConnect(SocketRecord* record);
    void ServeSend(SocketRecord* record, EventList::iterator request);

    void Post(EventKind kind, i32 slot, SocketRecord* record, const Vellumar::SessionAddress& address,
              u8* frame = nullptr, u8 failed = 0);
    void PostDeferred();
    bool SameAsPeer(const SocketRecord* record, const Vellumar::SessionAddress& address) const;

    Vel_Session& session;
    PAL::Thread* thread;
    Core::Vector<Entry> entries;
    Core::Vector<PAL::SocketWait> waits;
    bool tableLocked = false;
    Core::Vector<NetworkEvent> deferred;
};

void Vel_Session::NetworkThread(PAL::Thread* thread)
{
    auto* session = static_cast<Vel_Session*>(thread->argument);
    NetworkThreadPass pass(*session, thread);
    while (pass.Run())
    {
    }
    thread->argument = nullptr;
}

bool NetworkThreadPass::Run()
{
    {
        std::unique_lock<std::shared_mutex> lock(session.tableLock);
        if (!PAL::Thread::KeepRunning(thread))
            return false;
        tableLocked = true;
        entries.clear();
        ServeCloseRequests();
        ServeConnectRequests();
        ServeSendRequests();
        WatchReaders();
        tableLocked = false;
    }
    PostDeferred();

    if (entries.empty())
        return PAL::Sleep(session.selectTimeoutMs, thread);

    waits.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        PAL::SocketWait& wait = waits[i];
        wait = PAL::SocketWait{};
        wait.handle = entries[i].record->socket;
        wait.wantRead = entries[i].watch == Watch::Read;
        wait.wantWrite = entries[i].watch != Watch::Read;
    }
    if (PAL::WaitSockets(waits.data(), waits.size(), static_cast<int>(session.selectTimeoutMs)) <= 0)
        return true;

    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].watch == Watch::Read && waits[i].readable)
            HandleReadable(entries[i].record);
    for (std::size_t i = 0; i < entries.size(); ++i)
    {
        if (entries[i].watch == Watch::Read || !waits[i].writable)
            continue;
        if (entries[i].watch == Watch::Connect)
            FinishConnect(entries[i].record);
        else
            ServeSend(entries[i].record, entries[i].request);
    }
    return true;
}

void NetworkThreadPass::ServeCloseRequests()
{
    for (auto request = session.closeRequests.begin(); request != session.closeRequests.end();)
    {
        SocketRecord* record = request->record;
        // A record still in use keeps its socket: closing it now could hand the handle number to a
        // new socket while a sender still writes to it.
        if (record->GetUseCount() > 0)
        {
            ++request;
            continue;
        }
        const bool connection = request->failed != 0;
        const i32 slot = record->slot;
        const Vellumar::SessionAddress peer = record->peerAddress;
        (connection ? session.connections : session.sockets).remove(record);
        delete record;
        if (request->completion != nullptr)
            request->completion->store(true);
        request = session.closeRequests.erase(request);
        Post(connection ? EventKind::ConnectionClosed : EventKind::SocketClosed, slot, nullptr, peer);
    }
}

void NetworkThreadPass::ServeConnectRequests()
{
    for (auto request = session.connectRequests.begin(); request != session.connectRequests.end();)
    {
        SocketRecord* record = session.FindSocket(request->slot);
        if (record == nullptr)
        {
            Post(EventKind::ConnectFinished, request->slot, nullptr, request->address, nullptr, 1);
            request = session.connectRequests.erase(request);
            continue;
        }
        if (record->connectPending.load() == 0)
        {
            record->connectPending.store(1);
            if (!PAL::ConnectSocket(record->socket, request->address.GetSocketAddress()) &&
                PAL::GetLastSocketError() != PAL::SocketError::WouldBlock)
            {
                // The mark goes with the failure, so a later request for the slot is issued again.
                record->connectPending.store(0);
                Post(EventKind::ConnectFinished, request->slot, nullptr, request->address, nullptr, 1);
                request = session.connectRequests.erase(request);
                continue;
            }
        }
        if (!Watching(record, Watch::Connect))
            Add(record, Watch::Connect);
        ++request;
    }
}

void NetworkThreadPass::ServeSendRequests()
{
    for (auto request = session.sendRequests.begin(); request != session.sendRequests.end();)
    {
        SocketRecord* record = session.FindSocket(request->slot);
        SocketRecord* target = nullptr;
        bool wait = false;
        if (record != nullptr && record->type == PAL::SocketType::Datagram)
            target = record;
        else if (record != nullptr && record->connected.load() != 0)
            target = SameAsPeer(record, request->address) ? record : nullptr;
        else if (record != nullptr && record->connectPending.load() != 0)
            wait = true;
        else if (record != nullptr)
            target = session.FindConnection(request->slot, request->address);

        if (wait || (target != nullptr && Watching(target, Watch::Send)))
        {
            // Frames to one socket leave in order: only its first request is served in a pass.
            ++request;
            continue;
        }
        if (target == nullptr)
        {
            request->ReleaseFrame();
            Post(EventKind::SendFinished, request->slot, nullptr, request->address, nullptr, 1);
            request = session.sendRequests.erase(request);
            continue;
        }
        Add(target, Watch::Send, request);
        ++request;
    }
}

void NetworkThreadPass::WatchReaders()
{
    for (const Core::List<SocketRecord*>* list : {&session.sockets, &session.connections})
        for (SocketRecord* record : *list)
        {
            if (!record->ReadByNetworkThread() || record->socket == PAL::InvalidSocket)
                continue;
            // An unconnected stream socket reports a hang-up, not data: it is watched only once it
            // listens or is connected.
            if (record->type == PAL::SocketType::Stream && record->connected.load() == 0 &&
                record->listening.load() == 0)
                continue;
            Add(record, Watch::Read);
        }
}

void NetworkThreadPass::Add(SocketRecord* record, Watch watch, EventList::iterator request)
{
    entries.push_back(Entry{record, watch, request});
}

bool NetworkThreadPass::Watching(const SocketRecord* record, Watch watch) const
{
    for (const Entry& entry : entries)
        if (entry.record == record && entry.watch == watch)
            return true;
    return false;
}

void NetworkThreadPass::HandleReadable(SocketRecord* record)
{
    if (record->listening.load() != 0)
        Accept(record);
    else if (record->type == PAL::SocketType::Datagram)
        ReceiveDatagram(record);
    else
        ReceiveStream(record);
}

void NetworkThreadPass::Accept(SocketRecord* listener)
{
    PAL::SocketAddress peer;
    PAL::SocketHandle handle = PAL::AcceptSocket(listener->socket, peer);
    if (handle == PAL::InvalidSocket)
    {
        // Another thread of the system may have taken the connection; nothing to report then.
        if (PAL::GetLastSocketError() != PAL::SocketError::WouldBlock)
            Post(EventKind::ConnectionAccepted, listener->slot, nullptr, Vellumar::SessionAddress(), nullptr, 1);
        return;
    }
    auto* record = new SocketRecord;
    record->socket = handle;
    record->type = PAL::SocketType::Stream;
    record->slot = listener->slot;
    record->modeFlags.store(listener->modeFlags.load());
    record->optionBits = listener->optionBits | OptionNonBlocking;
    record->localAddress = listener->localAddress;
    record->accepted = 1;
    record->connected.store(1);
    record->peerAddress.SetSocketAddress(peer);
    const Vellumar::SessionAddress peerAddress = record->peerAddress;
    {
        std::unique_lock<std::shared_mutex> lock(session.tableLock);
        session.connections.push_back(record);
    }
    Post(EventKind::ConnectionAccepted, listener->slot, record, peerAddress);
}

void NetworkThreadPass::ReceiveDatagram(SocketRecord* record)
{
    u8* frame = nullptr;
    PAL::SocketAddress from;
    if (record->ReceiveDatagram(frame, from) < 0)
    {
        PAL::SocketError error = PAL::GetLastSocketError();
        bool lost = error == PAL::SocketError::ConnectionReset || error == PAL::SocketError::ConnectionRefused;
        // The host's game socket serves every client: one unreachable client must not close it.
        if (lost && record->slot != Slot::HostGame)
            session.CloseRecordLater(record);
        return;
    }
    if (frame == nullptr)
        return;
    Vellumar::SessionAddress sender;
    sender.SetSocketAddress(from);
    Post(EventKind::MessageReceived, record->slot, record, sender, frame);
}

void NetworkThreadPass::ReceiveStream(SocketRecord* record)
{
    FrameList frames;
    bool closed;
    {
        std::lock_guard<std::mutex> lock(record->receiveMutex);
        closed = ReadStreamFrames(*record, frames);
    }
    for (u8* frame : frames)
        Post(EventKind::MessageReceived, record->slot, record, record->peerAddress, frame);
    if (closed)
        session.CloseRecordLater(record);
}

void NetworkThreadPass::FinishConnect(SocketRecord* record)
{
    if (record->connectPending.load() == 0)
        return;
    const bool connected = PAL::TakeSocketError(record->socket) == PAL::SocketError::None;
    Vellumar::SessionAddress target;
    {
        std::unique_lock<std::shared_mutex> lock(session.tableLock);
        record->connectPending.store(0);
        record->connected.store(connected ? 1 : 0);
        for (auto request = session.connectRequests.begin(); request != session.connectRequests.end();)
        {
            if (request->slot != record->slot)
            {
                ++request;
                continue;
            }
            target = request->address;
            request = session.connectRequests.erase(request);
            if (connected)
                break;
        }
        if (connected)
            record->peerAddress = target;
    }
    if (connected)
        Post(EventKind::ConnectFinished, record->slot, record, target);
    else
        Post(EventKind::ConnectFinished, record->slot, nullptr, target, nullptr, 1);
}

void NetworkThreadPass::ServeSend(SocketRecord* record, EventList::iterator request)
{
    // The request stays in the list (only this thread removes requests), so the iterator holds.
    NetworkEvent& send = *request;
    bool done = true;
    bool failed = false;
    if (record->type == PAL::SocketType::Datagram)
        failed = record->SendTo(send.buffer, send.bufferLength, send.address) < 0;
    else
    {
        long result = record->Send(send.buffer + send.sent, send.bufferLength - send.sent);
        if (result > 0)
            send.sent += static_cast<u32>(result);
        else
            failed = PAL::GetLastSocketError() != PAL::SocketError::WouldBlock;
        // The rest of a frame goes in later passes; a frame is never left half sent on success.
        done = failed || send.sent == send.bufferLength;
        if (failed && send.sent > 0)
            session.CloseRecordLater(record);
    }
    if (!done)
        return;
    const i32 slot = send.slot;
    const Vellumar::SessionAddress address = send.address;
    send.ReleaseFrame();
    {
        std::unique_lock<std::shared_mutex> lock(session.tableLock);
        session.sendRequests.erase(request);
    }
    Post(EventKind::SendFinished, slot, nullptr, address, nullptr, failed ? 1 : 0);
}

void NetworkThreadPass::Post(EventKind kind, i32 slot, SocketRecord* record, const Vellumar::SessionAddress& address,
                             u8* frame, u8 failed)
{
    NetworkEvent event = NetworkEvent::Make(kind, &session, session.eventHandler, slot, record, address, frame, failed);
    if (tableLocked)
        deferred.push_back(event);
    else if (!session.eventQueue.Post(event, thread))
        event.ReleaseFrame();
}

void NetworkThreadPass::PostDeferred()
{
    for (NetworkEvent& event : deferred)
        if (!session.eventQueue.Post(event, thread))
            event.ReleaseFrame();
    deferred.clear();
}

bool NetworkThreadPass::SameAsPeer(const SocketRecord* record, const Vellumar::SessionAddress& address) const
{
    return record->peerAddress.SameEndpoint(address);
}
} // namespace Network
