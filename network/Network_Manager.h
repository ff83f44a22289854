#pragma once
// Owns the sessions of the process, in creation order.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "network/Network_Event.h"
#include "network/Network_SessionAddress.h"

namespace Network
{
class Vel_Session;

class Vel_Network_Manager : public Core::Object
{
public:
    Vel_Network_Manager() = default;
    // Shuts down and releases every session.
    ~Vel_Network_Manager() override;

    // Once per manager: false when already started. (The system's sockets need no start-up here;
    // the flag keeps the single-start rule callers rely on.)
    bool Startup();
    bool IsStarted() const { return started != 0; }

    // A running session, or null when it cannot start (no local IPv4 address, no thread).
    Vel_Session* CreateSession(const char* name, const char* password, bool passwordProtected, EventHandler handler,
                               i32 threadPriority, bool threadedDispatch, u32 maxHandlers, u32 idleSleepMs,
                               u32 selectTimeoutMs);
    // False for a session that is not in the list or no longer running; otherwise shuts it down,
    // removes and releases it.
    bool RemoveSession(Vel_Session* session);
    void ShutdownAll();

    // Given to every session created afterwards: the local address in place of the one resolved
    // from the host name, and the announcement destination in place of the address-class rule.
    void SetLocalAddress(const Vellumar::SessionAddress& address);
    void SetBroadcastDestination(const Vellumar::SessionAddress& address);
    u32 GetSessionCount() const { return static_cast<u32>(sessions.size()); }

private:
    u8 started = 0;
    Core::List<Vel_Session*> sessions;
    Vellumar::SessionAddress localAddress;
    bool localAddressGiven = false;
    Vellumar::SessionAddress broadcastDestination;
    bool broadcastDestinationGiven = false;
};
} // namespace Network
