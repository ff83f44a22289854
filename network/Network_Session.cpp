#include "network/Network_Session.h"

#include "core/PAL_Clock.h"
#include "network/Network_Broadcast.h"
#include "network/Network_Frame.h"

namespace Network
{
Vel_Session::~Vel_Session()
{
    Shutdown();
}

void Vel_Session::SetLocalAddress(const Vellumar::SessionAddress& address)
{
    localAddress = Vellumar::SessionAddress();
    localAddress.SetIP(address.GetIP());
    localAddress.SetText();
    localAddressText = localAddress.GetText();
    localAddressGiven = true;
}

void Vel_Session::SetBroadcastDestination(const Vellumar::SessionAddress& address)
{
    broadcastDestination = address;
    broadcastDestinationGiven = true;
}

bool Vel_Session::ResolveLocalHost()
{
    char host[256];
    if (!PAL::GetLocalHostName(host, sizeof(host)))
        return false;
    hostName = host;
    if (localAddressGiven)
        return true;
    u8 ip[4];
    if (!PAL::ResolveHostAddress(host, ip))
        return false;
    localAddress = Vellumar::SessionAddress();
    localAddress.SetIP(ip);
    localAddress.SetText();
    localAddressText = localAddress.GetText();
    return true;
}

bool Vel_Session::Init(const char* sessionName, const char* sessionPassword, bool isPasswordProtected,
                       EventHandler handler, i32 priority, bool threadedDispatch, u32 maxHandlers, u32 idleSleepMs,
                       u32 selectTimeout)
{
    if (running.load() || networkThread != nullptr || !ResolveLocalHost())
        return false;
    if (!eventQueue.StartDispatch(NetworkEvent::Deliver, threadedDispatch, maxHandlers, priority, idleSleepMs))
        return false;
    eventHandler = handler;
    threadPriority = priority;
    name = sessionName;
    password = sessionPassword;
    selectTimeoutMs = selectTimeout;
    passwordProtected = isPasswordProtected ? 1 : 0;
    running.store(true);
    networkThread = eventQueue.GetThreadManager().CreateThread(NetworkThread, nullptr, this, priority, 0);
    if (networkThread == nullptr)
    {
        running.store(false);
        eventQueue.StopDispatch();
        return false;
    }
    DeliverNow(EventKind::SessionStarted, -1, Vellumar::SessionAddress());
    return true;
}

bool Vel_Session::Shutdown()
{
    if (!running.exchange(false))
        return false;
    StopBroadcast();
    if (networkThread != nullptr)
        eventQueue.GetThreadManager().StopThread(networkThread, 0);
    networkThread = nullptr;

    // No new use can start now (lookups find nothing once running is cleared). The transfers of
    // the callers that still work with a record end at once, so they let go of it soon; wait for
    // them, bounded, without holding the lock they may need.
    const f64 deadline = PAL::MonotonicTime() + syncTimeoutMs;
    std::unique_lock<std::shared_mutex> lock(tableLock);
    for (const Core::List<SocketRecord*>* list : {&sockets, &connections})
        for (const SocketRecord* record : *list)
            PAL::ShutdownSocket(record->socket);
    auto inUse = [this] {
        for (const Core::List<SocketRecord*>* list : {&sockets, &connections})
            for (const SocketRecord* record : *list)
                if (record->GetUseCount() > 0)
                    return true;
        return false;
    };
    while (inUse() && PAL::MonotonicTime() < deadline)
    {
        lock.unlock();
        PAL::Sleep(1);
        lock.lock();
    }

    for (NetworkEvent& request : closeRequests)
        if (request.completion != nullptr)
            request.completion->store(true);
    closeRequests.clear();
    connectRequests.clear();
    for (NetworkEvent& request : sendRequests)
        request.ReleaseFrame();
    sendRequests.clear();

    ClearStreamAssemblers(sockets);
    ClearStreamAssemblers(connections);
    // Appended once the table lock is released: an append waits while the dispatch thread's
    // handler runs, and that handler may be waiting for the table lock.
    EventList closed;
    for (SocketRecord* record : sockets)
    {
        closed.push_back(NetworkEvent::Make(EventKind::SocketClosed, this, eventHandler, record->slot, nullptr,
                                            record->peerAddress));
        DestroyUnlessHeld(record);
    }
    sockets.clear();
    for (SocketRecord* record : connections)
    {
        closed.push_back(NetworkEvent::Make(EventKind::ConnectionClosed, this, eventHandler, record->slot, nullptr,
                                            record->peerAddress));
        DestroyUnlessHeld(record);
    }
    connections.clear();
    listening.store(false);
    lock.unlock();
    for (const NetworkEvent& event : closed)
        eventQueue.Append(event);

    eventQueue.StopDispatch();
    eventQueue.DeliverAll();
    DeliverNow(EventKind::SessionClosed, -1, Vellumar::SessionAddress());
    return true;
}

// A caller that still holds the record after the wait would find its memory, or its socket's
// handle number, taken by something else: such a record is given up to that caller, not freed.
void Vel_Session::DestroyUnlessHeld(SocketRecord* record)
{
    if (record->GetUseCount() == 0)
        delete record;
}

void Vel_Session::PollEvents(u32 budgetMs, u32 waitMs, u32& processed, u32& remaining)
{
    eventQueue.Process(budgetMs, waitMs, processed, remaining);
}

void Vel_Session::DeliverNow(EventKind kind, i32 slot, const Vellumar::SessionAddress& address)
{
    NetworkEvent event = NetworkEvent::Make(kind, this, eventHandler, slot, nullptr, address);
    NetworkEvent::Deliver(event);
}

void Vel_Session::DeliverEventList(EventList& events)
{
    for (NetworkEvent& event : events)
        NetworkEvent::Deliver(event);
}

void Vel_Session::ClearEventList(EventList& events)
{
    for (NetworkEvent& event : events)
        event.ReleaseFrame();
    events.clear();
}
} // namespace Network
