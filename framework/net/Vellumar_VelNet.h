#pragma once
// The game's network facade: the session this game hosts or joined, its players and groups, the
// sessions discovered on the local network and the objects kept in step across peers. The game owns
// one and drives it once per frame; everything runs on the main thread, the engine's threads only
// queue events that Update hands to the host's or the client's dispatcher.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

#include <utility>
#include "network/Network_Event.h"
#include "network/Network_Manager.h"
#include "framework/core/Vellumar_GameObject.h"
#include "network/Network_SessionAddress.h"
#include "netplay/Vellumar_NetMessage.h"
#include "netplay/Vellumar_VelPlayer.h"

namespace Network
{
class Vel_Session;
}

namespace Vellumar
{
class NetworkFile;

// The network identity of an object: the player that owns it and its number among the objects. The
// host's AddNetObject assigns identities; a peer makes one from a received record.
class NetObjectID : public Core::Object
{
public:
    NetObjectID(u32 ownerId, u32 objectNumber, bool assigned = false)
        : objectNumber(objectNumber), ownerId(ownerId), assigned(assigned ? 1 : 0)
    {
    }

    u32 GetOwnerID() const { return ownerId; }
    u32 GetObjectNumber() const { return objectNumber; }
    bool IsAssigned() const { return assigned != 0; }

private:
    u32 objectNumber;
    u32 ownerId;
    u8 assigned;
};

// The network components of a networked object, held by counted references. A game object makes
// one when it becomes networked; no component type exists yet, so it stays empty.
class VelComponentManager : public Core::Object
{
public:
    ~VelComponentManager() override;

    const Core::Vector<Core::RefPtr<Core::Object>>& GetComponents() const { return components; }

private:
    Core::Vector<Core::RefPtr<Core::Object>> components;
};

// One session discovered on the local network.
struct VelBroadcast
{
    Core::String hostName;
    Core::String networkId;  // id of the game that hosts it
    SessionAddress address;
    u32 maximumPlayers = 0;
    u32 players = 0;
    f32 age = 0.0f;
    u8 passwordProtected = 0;

    SessionAddress GetAddress() const { return address; }
    const Core::String& GetNetworkID() const { return networkId; }
};

// Not counted: the game owns its one facade outright. Besides the two script operations of the
// root, Update is its one virtual operation.
class VelNet : public Core::Base
{
public:
    static constexpr u16 DefaultDiscoveryPort = 3000;
    static constexpr f32 BroadcastTimeOut = 0.5f;
    // How long a ping waits for its reply before it counts as lost, in milliseconds: at first, at
    // least once a round trip was measured, and at most after repeated losses.
    static constexpr f64 FirstPingTimeOut = 1000.0;
    static constexpr f64 MinimumPingTimeOut = 250.0;
    static constexpr f64 MaximumPingTimeOut = 2000.0;

    VelNet();
    ~VelNet() override;
    VelNet(const VelNet&) = delete;
    VelNet& operator=(const VelNet&) = delete;

    // The facade that runs now, or null.
    static VelNet* GetRunning();

    // Given before Start: the local address sessions use in place of the resolved host address,
    // and the destination of announcements in place of the address-class rule.
    void SetLocalAddress(const SessionAddress& address) { manager.SetLocalAddress(address); }
    void SetBroadcastDestination(const SessionAddress& address) { manager.SetBroadcastDestination(address); }

    bool Start(bool host, NetCallback callback, const Core::String& sessionName, const Core::String& password,
               u32 pollBudget, u32 waitBudget, u32 sendsPerSecond, u16 discoveryPort, u16 gamePort);
    bool HostGame(const Core::String& playerName, u32 maxPlayers, u32 broadcastClass, f32 broadcastPeriod);
    bool JoinGame(const Core::String& playerName, const SessionAddress& hostAddress, const Core::String& password);
    bool StartDiscovery();
    // False when the facade was not running; otherwise leaves the session and returns true.
    bool Shutdown();

    // False without a local player; a host is in a session while it hosts, a client once joined.
    bool IsSessionActive() const;
    bool IsHostMode() const { return hostMode != 0; }
    bool IsHosting() const { return hosting != 0; }
    bool IsJoined() const { return joined != 0; }
    VelPlayer* GetLocalPlayer() const { return localPlayer.Get(); }
    const SessionAddress& GetSessionAddress() const { return sessionAddress; }
    const Core::String& GetNetworkId() const { return networkId; }
    void SetNetworkId(const Core::String& id) { networkId = id; }
    u32 GetMeasuredSendsPerSecond() const { return measuredSendsPerSecond; }

    // Players and groups.
    VelGroup* GetAllPlayers() const { return allPlayers.Get(); }
    VelPlayer* FindPlayerByID(u32 id) const;
    VelPlayer* FindPlayerByName(const Core::String& name) const;
    PlayerList GetPlayers() const;
    // The first group whose id (or name) matches and whose owner is none or the owner given; a
    // null owner stands for the local player.
    VelGroup* FindGroup(u32 id, VelPlayer* owner) const;
    VelGroup* FindGroupByName(const Core::String& name, VelPlayer* owner) const;
    bool AddPlayer(VelPlayer* player);
    bool RemovePlayer(VelPlayer* player);
    bool SendPlayerList(VelPlayer* newPlayer);
    bool CreateGroup(VelGroup* group);
    bool DestroyGroup(VelGroup* group);

    // Messages to every player (group null), a group or one player; false outside a session.
    bool Send(u32 type, const void* data, u32 size, VelGroup* group, bool reliable);
    bool SendToPlayer(u32 type, const void* data, u32 size, VelPlayer* player, bool reliable);
    bool SendText(bool reliable, const Core::String& text, bool echo);
    bool SendTextToGroup(bool reliable, const Core::String& text, VelGroup* group, bool echo);
    bool SendTextToPlayer(bool reliable, const Core::String& text, VelPlayer* player, bool echo);

    // The reusable block of outgoing messages of known size: grows to at least size bytes (a new
    // block; the content is not kept) and never shrinks.
    void EnsureSendBuffer(u32 size);
    const u8* GetSendBuffer() const { return sendBuffer; }
    u32 GetSendBufferCapacity() const { return sendBufferCapacity; }

    // Discovered sessions.
    const Core::List<VelBroadcast>& GetDiscoveredSessions() const { return discoveredSessions; }
    void AddOrRefreshSession(const VelBroadcast& record);
    void AgeDiscoveredSessions(f32 dt);
    bool RefreshBroadcast();

    // Networked objects: the host gives an object added to a layer as networked an identity and
    // announces it; a client builds its copies from prototypes registered under network names.
    bool AddNetObject(GameObject* object, u32 layerIndex, VelPlayer* owner);
    bool RegisterNetObject(GameObject* object);
    bool UnregisterNetObject(GameObject* object);
    // The host announces the destruction and drops the object (true); a client only asks the host.
    bool DestroyNetObject(GameObject* object);
    // Every networked object leaves its layer and the list; a client does it when its session ends.
    void DestroyAllNetObjects();
    GameObject* FindNetObject(u32 ownerId, u32 objectId) const;
    const Core::Vector<Core::RefPtr<GameObject>>& GetNetObjects() const { return netObjects; }
    bool AddBaseNetObject(GameObject* object, const Core::String& networkName);
    GameObject* FindBaseNetObject(const Core::String& networkName) const;
    void ClearBaseNetObjects() { baseNetObjects.clear(); }
    void RemoveNetObjectsControlledBy(VelPlayer* player);
    bool SendObjectList(VelPlayer* player);
    // Identities count from 1 again.
    static void ResetObjectCounter();

    // Per frame: the remote players' input, then the session's events.
    void UpdateNetworkInputs(f32 dt);
    virtual void Update(f32 dt);
    // What arrived for the session and waits for the next update: a caller that sent something
    // can tell when the network thread has taken it in.
    u32 GetQueuedNetworkEvents() const;

    static bool HandleHostMessage(Network::NetworkEvent& event);
    static bool HandleClientMessage(Network::NetworkEvent& event);
    // The running session, whose events reach the dispatchers; null when none runs.
    Network::Vel_Session* GetSession() const { return session; }
    // Messages from peers dropped since the facade was made because they did not read whole: a
    // payload too short or inconsistent, an object record that does not load, a copy for a kind
    // nobody registered here or without a network id.
    u32 GetRefusedMessages() const { return refusedMessages; }

protected:
    const char* GetScriptTypeName() const override { return "VelNet"; }

private:
    // Notifications without a callback are dropped, except those that always ask (false then).
    template <typename Message, typename... Args>
    bool Notify(bool always, Args&&... args)
    {
        if (!callback)
        {
            return !always;
        }
        Core::RefPtr<Message> message = new (__FILE__, __LINE__) Message(std::forward<Args>(args)...);
        return callback(message.Get());
    }
    // A message of known size written into the send buffer: measured first, then written. The
    // result points into the buffer, so it is sent before the next message is composed.
    template <typename Write>
    PayloadWriter Compose(Write write)
    {
        PayloadWriter measure(nullptr, 0);
        write(measure);
        EnsureSendBuffer(measure.GetSize());
        PayloadWriter out(sendBuffer, sendBufferCapacity);
        write(out);
        return out;
    }
    bool SendBytes(i32 slot, u32 type, const void* data, u32 size, const SessionAddress& to);
    bool SendRecordToOthers(u32 type, VelPlayer* player);
    bool SendTextMessage(bool reliable, const Core::String& text, u32 groupWord, VelGroup* group, VelPlayer* target,
                         bool echo);
    void EndSession();
    void CloseClientSockets(bool wait);
    void SendPings();
    void SendPing();
    void OnPingReply(u32 playerId, f64 now);
    void PollEvents();
    bool SendTest(f32 dt);

    // Dispatch of one received message.
    void HostMessage(Network::NetworkEvent& event);
    void ClientMessage(Network::NetworkEvent& event);
    void HostJoinRequest(Network::NetworkEvent& event);
    void HostCreateGroup(const CreateGroupData& data);
    void RelayToGroup(Network::NetworkEvent& event, bool data);
    void ClientJoinReply(i32 code);

    // Networked objects on the wire.
    // Objects that left the game without leaving the list (their level ended) are neither listed
    // nor streamed.
    void DropEndedNetObjects();
    void SendObjectStates();
    void HostDestroyObject(Network::NetworkEvent& event);
    // Each false when the payload did not read whole.
    bool ClientCreateObject(const u8* payload, u32 size);
    bool ClientDestroyObject(const u8* payload, u32 size);
    bool ClientObjectSync(const u8* payload, u32 size);
    bool ClientObjectList(const u8* payload, u32 size);
    bool ClientLevelName(const u8* payload, u32 size);
    // Reads one entry's layer index, network name and creation record into a copy of the prototype
    // of that name; false when the name has no prototype, the entry does not read or it gives the
    // copy no network id.
    bool ReadNetObjectEntry(NetworkFile& file);

    // The ping of one remote player. Pings and replies carry no sequence number, so only one ping
    // is in flight per player: with several, a reply after a loss could not be told apart.
    struct PendingPing
    {
        u32 playerId;
        // When the ping in flight left; without one, when the next may leave.
        f64 sentAt;
        f64 timeOut;
        u8 waiting;
        // Sent after a ping that timed out, whose reply may still come: its answer is not measured.
        u8 uncertain;
    };

    Network::Vel_Network_Manager manager;
    Network::Vel_Session* session = nullptr;
    NetCallback callback = nullptr;
    u32 waitBudget = 3;
    u32 pollBudget = 5;
    u8 hostMode = 0;
    u8 hosting = 0;
    u8 joined = 0;
    u16 discoveryPort = DefaultDiscoveryPort;
    u16 gamePort = 0;
    u32 broadcastClass = 1;
    f32 broadcastPeriod = 0.25f;
    u32 maxPlayers = 0;
    u32 sendsPerSecond = 1;
    u32 measuredSendsPerSecond = 1;
    u32 sendCounter = 0;
    f32 sendPeriod = 1.0f;
    f32 sendAccumulator = 0.0f;
    f32 secondAccumulator = 0.0f;
    u8* sendBuffer = nullptr;
    u32 sendBufferCapacity = 0;
    Core::List<VelBroadcast> discoveredSessions;
    Core::RefPtr<VelGroup> allPlayers;
    Core::List<Core::RefPtr<VelGroup>> groups;
    Core::RefPtr<VelPlayer> localPlayer;
    SessionAddress sessionAddress;
    Core::Vector<Core::RefPtr<GameObject>> netObjects;
    Core::Vector<Core::RefPtr<GameObject>> baseNetObjects;
    Core::String networkId;
    Core::Vector<PendingPing> pendingPings;
    u32 refusedMessages = 0;
    // Connections of failed joins whose close is still to be reported.
    u32 abandonedConnections = 0;
    // Set while Shutdown runs, so the events of the closing session change nothing.
    u8 stopping = 0;
};
}  // namespace Vellumar
