#pragma once
// The game's network facade: the session this game hosts or joined, its players, the sessions
// discovered on the local network and the objects kept in step across peers. The game owns one and
// drives it once per frame; the framework asks it whether a session is active and who hosts it.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "network/Network_SessionAddress.h"

namespace Input
{
class Keyboard;
class Mouse;
}  // namespace Input

namespace Vellumar
{
class GameObject;

// One player of a session.
class VelPlayer : public Core::Object
{
public:
    explicit VelPlayer(u32 id = 0) : id(id) {}

    u32 GetID() const { return id; }
    // The application's devices: the local player plays on them.
    Input::Keyboard* GetKeyboard() const;
    Input::Mouse* GetMouse() const;

private:
    u32 id;
};

// The network identity of an object: the player that owns it and its number among the objects.
class NetObjectID : public Core::Object
{
public:
    NetObjectID(u32 ownerId, u32 objectNumber) : ownerId(ownerId), objectNumber(objectNumber) {}

    u32 GetOwnerID() const { return ownerId; }
    u32 GetObjectNumber() const { return objectNumber; }

private:
    u32 ownerId;
    u32 objectNumber;
};

// The per-object component manager of a networked object.
class VelComponentManager : public Core::Object
{
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
};

class VelNet : public Core::Object
{
public:
    VelNet() = default;
    ~VelNet() override;
    VelNet(const VelNet&) = delete;
    VelNet& operator=(const VelNet&) = delete;

    // False without a local player; a host is in a session while it hosts, a client once joined.
    bool IsSessionActive() const;
    bool IsHostMode() const { return hostMode != 0; }
    VelPlayer* GetLocalPlayer() const { return localPlayer.Get(); }
    // The player of that id, or null.
    VelPlayer* FindPlayerByID(u32 id) const;
    const Core::String& GetNetworkId() const { return networkId; }
    void SetNetworkId(const Core::String& id) { networkId = id; }
    const Core::List<VelBroadcast>& GetDiscoveredSessions() const { return discoveredSessions; }

    // The prototype of networked objects registered under a network class name, or null.
    GameObject* FindBaseNetObject(const Core::String& className) const;
    void ClearBaseNetObjects();
    // Take an object into the session, or out of it; both false outside a session this peer hosts.
    bool AddNetworkObject(GameObject* object, u32 layerIndex, VelPlayer* owner);
    bool RemoveNetworkObject(GameObject* object);
    // A message to every player (group null) or a group; false outside a session.
    bool Send(u32 type, const void* data, u32 size, const void* group, bool reliable);

    // Per frame: the remote players' input, then the session's events.
    void UpdateNetworkInputs(f32 dt);
    void Update(f32 dt);
    // False when the facade was not running; otherwise leaves the session and returns true.
    bool Shutdown();

private:
    Core::RefPtr<VelPlayer> localPlayer;
    Core::String networkId;
    Core::List<VelBroadcast> discoveredSessions;
    u8 running = 0;
    u8 hostMode = 0;
    u8 hosting = 0;
    u8 joined = 0;
};
}  // namespace Vellumar
