#pragma once
// One network end point of the program: its local host identity, its socket table, its network
// thread, its optional advertisement broadcast and its event queue, all reporting to one handler.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "core/PAL_ThreadManager.h"
#include "network/Network_Event.h"
#include "network/Network_EventQueue.h"
#include "network/Network_SessionAddress.h"
#include "network/Network_SocketRecord.h"

#include <atomic>
#include <shared_mutex>

namespace Network
{
class Vel_Broadcast_Data;

// Slot ids of the sockets the framework opens; the engine treats slot ids as opaque.
namespace Slot
{
constexpr i32 AdvertisementSender = 0;
constexpr i32 DiscoveryListener = 1;
constexpr i32 HostListener = 2;
constexpr i32 ClientConnection = 3;
constexpr i32 HostGame = 4;
constexpr i32 ClientGame = 5;
} // namespace Slot

// Ports a socket pair takes from the system before it gives up: each is refused only when a datagram
// socket elsewhere holds its number, which few of them are.
constexpr u32 SocketPairAttempts = 16;

// How long a synchronous operation (a blocking connect, a wait for a message, a whole-frame send
// to a slow peer, a waiting close) may take before it gives up.
constexpr u32 DefaultSyncTimeoutMs = 10000;

class Vel_Session : public Core::Object
{
public:
    Vel_Session() = default;
    ~Vel_Session() override;

    // Resolves the local host (unless an address was given), starts event delivery and the network
    // thread, and delivers SessionStarted before it returns.
    bool Init(const char* name, const char* password, bool passwordProtected, EventHandler handler,
              i32 threadPriority, bool threadedDispatch, u32 maxHandlers, u32 idleSleepMs, u32 selectTimeoutMs);
    // Stops the broadcast and network threads (joining them), closes every socket and connection
    // (reporting each), delivers what is still queued, and SessionClosed last.
    bool Shutdown();

    // Replaces the local address that start-up resolves from the host name; given before Init,
    // Init takes it instead of resolving. Tests give a loopback address.
    void SetLocalAddress(const Vellumar::SessionAddress& address);
    // Sends announcements to this address in place of the one the address class derives.
    void SetBroadcastDestination(const Vellumar::SessionAddress& address);
    void SetSyncTimeout(u32 milliseconds) { syncTimeoutMs = milliseconds; }
    // Free for the owner: handlers reach it through the event's session.
    void SetUserData(void* data) { userData = data; }
    void* GetUserData() const { return userData; }

    // The socket table.
    SocketRecord* OpenSocket(i32 slot, PAL::SocketType type, const Vellumar::SessionAddress& bindAddress,
                             u32 modeFlags, u32 optionBits);
    // Opens a stream socket and a datagram socket on one address, so that a peer reaches both at it.
    // A port left to the system (port 0) is picked for the stream alone, and a datagram socket
    // elsewhere may hold the same number: another is then tried, up to SocketPairAttempts. Neither
    // socket stays open on failure.
    bool OpenSocketPair(i32 streamSlot, i32 datagramSlot, const Vellumar::SessionAddress& bindAddress,
                        u32 streamMode, u32 streamOptions, u32 datagramMode, u32 datagramOptions);
    bool Listen(const Vellumar::SessionAddress& bindAddress, u32 backlog);
    // Listens as Listen does, with a datagram socket in datagramSlot on the listener's address.
    bool ListenWithDatagram(const Vellumar::SessionAddress& bindAddress, u32 backlog, i32 datagramSlot);
    bool StopListening(bool wait);
    bool ListenOnSocket(i32 slot, u32 backlog);
    bool OpenDiscoverySocket(u16 port);
    bool CloseDiscoverySocket(bool wait);
    // Non-blocking socket: queues the connect, ConnectFinished follows. Blocking socket: connects
    // now, giving up after the sync time-out.
    bool Connect(i32 slot, const Vellumar::SessionAddress& address);
    bool CloseSocket(i32 slot, bool wait);
    bool CloseConnection(i32 slot, const Vellumar::SessionAddress& peerAddress, bool wait);
    bool GetLocalAddress(i32 slot, Vellumar::SessionAddress& out);
    bool GetRemoteAddress(i32 slot, Vellumar::SessionAddress& out);
    bool SetSocketMode(i32 slot, u32 modeFlags);

    // Sends one frame (or queues it on a socket in queued-send mode). On a stream the frame goes
    // whole or the connection is closed, so the peer never loses its place in the stream.
    bool SendMessage(i32 slot, u32 type, const void* data, u32 length, const Vellumar::SessionAddress& address,
                     u32* sentBytes);
    // Reads whole frames of a slot that the network thread does not read, into the caller's list.
    bool WaitForMessage(i32 slot, EventList& events);
    void DeliverEventList(EventList& events);
    void ClearEventList(EventList& events);

    bool StartBroadcast(u16 port, u32 addressClass, u32 periodMs, u32 messageType, const void* payload,
                        u32 payloadLength, i32 threadPriority);
    bool UpdateBroadcastPayload(const void* payload, u32 payloadLength);

    void PollEvents(u32 budgetMs, u32 waitMs, u32& processed, u32& remaining);
    // Events the network threads have posted and no poll has handled yet.
    u32 GetQueuedEventCount() { return eventQueue.GetCount(); }

    const Core::String& GetLocalAddressText() const { return localAddressText; }
    const Vellumar::SessionAddress& GetSessionLocalAddress() const { return localAddress; }
    const Core::String& GetHostName() const { return hostName; }
    const Core::String& GetName() const { return name; }
    const Core::String& GetPassword() const { return password; }
    bool IsPasswordProtected() const { return passwordProtected != 0; }
    bool IsRunning() const { return running.load(); }
    bool IsListening() const { return listening.load(); }
    EventHandler GetEventHandler() const { return eventHandler; }

private:
    friend class NetworkThreadPass;

    bool ResolveLocalHost();
    // Puts a bound record into the table (caller holds the table lock for writing).
    void AddRecord(SocketRecord* record, i32 slot, u32 modeFlags);
    // Listens on the host listener just opened; closes it on failure.
    bool StartListening(u32 backlog);
    // The first record of the slot that is not closing (caller holds the table lock).
    SocketRecord* FindSocket(i32 slot) const;
    // As FindSocket, taking the table lock for reading and the record's use count (the caller
    // releases it).
    SocketRecord* AcquireSocket(i32 slot);
    // The first accepted connection of the slot with this peer that is not closing (caller holds
    // the table lock).
    SocketRecord* FindConnection(i32 slot, const Vellumar::SessionAddress& peerAddress) const;
    // Marks the record closing and queues its close for the network thread (caller holds the table
    // lock for writing).
    void QueueClose(SocketRecord* record, bool connection, std::atomic<bool>* completion);
    // Closes the record's socket or connection without waiting, unless a close is already queued.
    void CloseRecordLater(SocketRecord* record);
    // Waits, bounded by the sync time-out, until the network thread has closed and destroyed a record.
    bool WaitForClose(std::atomic<bool>& done);
    bool SendOnStream(SocketRecord* connection, u32 type, const void* data, u32 length, u32* sentBytes);
    bool ReadStream(SocketRecord* record, EventList& events, bool mayWait);
    bool ReadDatagrams(SocketRecord* record, EventList& events);
    void DeliverNow(EventKind kind, i32 slot, const Vellumar::SessionAddress& address);
    static void DestroyUnlessHeld(SocketRecord* record);
    static void NetworkThread(PAL::Thread* thread);
    static void BroadcastThread(PAL::Thread* thread);
    void StopBroadcast();

    EventQueue eventQueue;
    std::atomic<bool> running{false};
    u8 passwordProtected = 0;
    std::atomic<bool> listening{false};
    i32 threadPriority = 0;
    u32 backlog = 0;
    Core::String hostName;
    Core::String localAddressText;
    Vellumar::SessionAddress localAddress;
    bool localAddressGiven = false;
    Vellumar::SessionAddress broadcastDestination;
    bool broadcastDestinationGiven = false;
    Core::String name;
    Core::String password;
    // The socket table: both lists and the three request lists, under the table lock.
    Core::List<SocketRecord*> sockets;
    Core::List<SocketRecord*> connections;
    EventList closeRequests;
    EventList connectRequests;
    EventList sendRequests;
    mutable std::shared_mutex tableLock;
    PAL::Thread* networkThread = nullptr;
    PAL::Thread* broadcastThread = nullptr;
    Vel_Broadcast_Data* broadcast = nullptr;
    u32 selectTimeoutMs = 1;
    u32 syncTimeoutMs = DefaultSyncTimeoutMs;
    EventHandler eventHandler = nullptr;
    void* userData = nullptr;
};
} // namespace Network
