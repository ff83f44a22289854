#include "network/Network_Manager.h"

#include "network/Network_Session.h"

namespace Network
{
Vel_Network_Manager::~Vel_Network_Manager()
{
    ShutdownAll();
}

bool Vel_Network_Manager::Startup()
{
    if (started != 0)
        return false;
    started = 1;
    return true;
}

Vel_Session* Vel_Network_Manager::CreateSession(const char* name, const char* password, bool passwordProtected,
                                                EventHandler handler, i32 threadPriority, bool threadedDispatch,
                                                u32 maxHandlers, u32 idleSleepMs, u32 selectTimeoutMs)
{
    auto* session = new Vel_Session;
    if (localAddressGiven)
        session->SetLocalAddress(localAddress);
    if (broadcastDestinationGiven)
        session->SetBroadcastDestination(broadcastDestination);
    if (!session->Init(name, password, passwordProtected, handler, threadPriority, threadedDispatch, maxHandlers,
                       idleSleepMs, selectTimeoutMs))
    {
        delete session;
        return nullptr;
    }
    sessions.push_back(session);
    return session;
}

bool Vel_Network_Manager::RemoveSession(Vel_Session* session)
{
    if (session == nullptr)
        return false;
    for (auto it = sessions.begin(); it != sessions.end(); ++it)
    {
        if (*it != session)
            continue;
        if (!session->Shutdown())
            return false;
        sessions.erase(it);
        delete session;
        return true;
    }
    return false;
}

void Vel_Network_Manager::ShutdownAll()
{
    for (Vel_Session* session : sessions)
    {
        session->Shutdown();
        delete session;
    }
    sessions.clear();
}

void Vel_Network_Manager::SetLocalAddress(const Vellumar::SessionAddress& address)
{
    localAddress = address;
    localAddressGiven = true;
}

void Vel_Network_Manager::SetBroadcastDestination(const Vellumar::SessionAddress& address)
{
    broadcastDestination = address;
    broadcastDestinationGiven = true;
}
} // namespace Network
