#pragma once
// The participants of a network game and the groups that route their text and data messages.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "network/Network_SessionAddress.h"
#include "netplay/Vellumar_Payload.h"

namespace Vellumar
{
class VelPlayer : public Core::Object
{
public:
    VelPlayer() = default;
    VelPlayer(const Core::String& name, bool local, bool host, const SessionAddress& address);

    u32 GetID() const { return id; }
    void SetID(u32 value) { id = value; }
    const Core::String& GetName() const { return name; }
    bool IsLocal() const { return local != 0; }
    bool IsHost() const { return host != 0; }
    const SessionAddress& GetAddress() const { return address; }
    void SetAddress(const SessionAddress& value) { address = value; }
    f64 GetPingTime() const { return pingTime; }
    void SetPingTime(f64 milliseconds) { pingTime = milliseconds; }
    bool HasObjectList() const { return objectListReceived != 0; }
    void SetObjectListReceived() { objectListReceived = 1; }

    // The host's own player plays on the application's devices; a remote player on the host on
    // the network devices its messages fill; anyone else has none.
    Input::Keyboard* GetKeyboard() const;
    Input::Mouse* GetMouse() const;
    bool HasNetworkInput() const { return keyboard || mouse; }
    void CreateNetworkInput();

    void WriteRecord(PayloadWriter& out) const;
    // The record's player, always remote.
    void ReadRecord(const PlayerRecordData& record);

protected:
    const char* GetScriptTypeName() const override { return "VelPlayer"; }

private:
    Core::RefPtr<Input::Keyboard> keyboard;
    Core::RefPtr<Input::Mouse> mouse;
    Core::String name;
    u32 id = 0;
    u8 local = 0;
    u8 host = 0;
    SessionAddress address;
    u8 objectListReceived = 0;
    f64 pingTime = 0.0;
};

using PlayerList = Core::List<Core::RefPtr<VelPlayer>>;

// At most one player per id, kept in increasing id order.
class VelGroup : public Core::Object
{
public:
    // The id comes from the process-wide group counter.
    VelGroup(const Core::String& name, VelPlayer* owner);

    const Core::String& GetName() const { return name; }
    u32 GetID() const { return id; }
    void SetID(u32 value) { id = value; }
    VelPlayer* GetOwner() const { return owner.Get(); }
    void SetOwner(VelPlayer* player) { owner = player; }
    u32 GetSize() const override { return static_cast<u32>(players.size()); }

    bool AddPlayer(VelPlayer* player);
    bool RemovePlayerByID(u32 playerId);
    bool RemovePlayerByName(const Core::String& playerName);
    VelPlayer* FindPlayerByID(u32 playerId) const;
    VelPlayer* FindPlayerByName(const Core::String& playerName) const;
    VelPlayer* FindPlayerByAddress(const SessionAddress& playerAddress) const;
    bool ContainsPlayer(const VelPlayer* player) const;
    PlayerList GetPlayers() const { return players; }
    const PlayerList& Players() const { return players; }
    void Clear() { players.clear(); }
    void SortByID();

protected:
    const char* GetScriptTypeName() const override { return "VelGroup"; }

private:
    Core::String name;
    u32 id;
    Core::RefPtr<VelPlayer> owner;
    PlayerList players;
};

// The process-wide id counters, pre-incremented: the first player and the first group get 1.
u32 NextPlayerID();
u32 NextGroupID();
// Tests start from a fresh process state.
void ResetNetworkCounters();
}  // namespace Vellumar
