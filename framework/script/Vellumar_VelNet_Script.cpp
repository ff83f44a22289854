// Script methods of "VelNet" and "VelBroadcast". Ids given as numbers are truncated; a method given
// too few arguments does nothing and returns no result.
#include "script/Lua_ScriptClass.h"
#include "framework/net/Vellumar_VelNet.h"

namespace Vellumar
{
namespace
{
i32 AddBaseNetObject(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    return Lua::PushBoolean(state, net.AddBaseNetObject(Lua::ToObject<GameObject>(state, 1), Lua::CheckString(state, 2)));
}

i32 RemoveNetObjectsControlledBy(lua_State* state, VelNet& net)
{
    if (Lua::HasArguments(state, 1))
        net.RemoveNetObjectsControlledBy(Lua::ToObject<VelPlayer>(state, 1));
    return 0;
}

i32 CreateGroup(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, net.CreateGroup(Lua::ToObject<VelGroup>(state, 1)));
}

i32 DestroyGroup(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, net.DestroyGroup(Lua::ToObject<VelGroup>(state, 1)));
}

// (reliable, text), (reliable, text, echo) or (reliable, text, group, echo).
i32 SendTextMessage(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 2))
        return 0;
    const bool reliable = Lua::ToBoolean(state, 1);
    const Core::String text = Lua::CheckString(state, 2);
    if (Lua::GetTop(state) >= 4)
        return Lua::PushBoolean(state, net.SendTextToGroup(reliable, text, Lua::ToObject<VelGroup>(state, 3),
                                                           Lua::ToBoolean(state, 4)));
    return Lua::PushBoolean(state, net.SendText(reliable, text, Lua::ToBoolean(state, 3)));
}

i32 SendTextMessageToPlayer(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 3))
        return 0;
    return Lua::PushBoolean(state, net.SendTextToPlayer(Lua::ToBoolean(state, 1), Lua::CheckString(state, 2),
                                                        Lua::ToObject<VelPlayer>(state, 3), Lua::ToBoolean(state, 4)));
}

// No data message is sent from here: the rows are kept so that scripts find them.
i32 SendDataMessage(lua_State*, VelNet&)
{
    return 0;
}

i32 QueryPlayer(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushObject(state, Lua::IsNumber(state, 1) ? net.FindPlayerByID(Lua::CheckUnsigned(state, 1))
                                                          : net.FindPlayerByName(Lua::CheckString(state, 1)));
}

i32 QueryGroup(lua_State* state, VelNet& net)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    VelPlayer* owner = Lua::ToObject<VelPlayer>(state, 2);
    return Lua::PushObject(state, Lua::IsNumber(state, 1) ? net.FindGroup(Lua::CheckUnsigned(state, 1), owner)
                                                          : net.FindGroupByName(Lua::CheckString(state, 1), owner));
}

i32 GetSessionPlayers(lua_State* state, VelNet& net)
{
    const PlayerList players = net.GetPlayers();
    if (players.empty())
        return Lua::PushNil(state);
    Lua::PushNewTable(state);
    u32 position = 0;
    for (const auto& player : players)
    {
        Lua::PushObject(state, player.Get());
        Lua::SetListElement(state, ++position);
    }
    return 1;
}

i32 GetSessionPlayersNumber(lua_State* state, VelNet& net)
{
    return Lua::PushNumber(state, net.GetAllPlayers()->GetSize());
}

i32 GetLocalPlayer(lua_State* state, VelNet& net)
{
    return Lua::PushObject(state, net.GetLocalPlayer());
}

i32 GetBroadcastTimeOut(lua_State* state, VelNet&)
{
    return Lua::PushNumber(state, VelNet::BroadcastTimeOut);
}

const ScriptMethodEntry netMethods[] = {
    {"AddBaseNetObject", Lua::Method<&AddBaseNetObject>},
    {"RemoveNetObjectsControlledBy", Lua::Method<&RemoveNetObjectsControlledBy>},
    {"CreateGroup", Lua::Method<&CreateGroup>},
    {"DestroyGroup", Lua::Method<&DestroyGroup>},
    {"SendTextMessage", Lua::Method<&SendTextMessage>},
    {"SendTextMessageToPlayer", Lua::Method<&SendTextMessageToPlayer>},
    {"SendDataMessage", Lua::Method<&SendDataMessage>},
    {"SendDataMessageToPlayer", Lua::Method<&SendDataMessage>},
    {"QueryPlayer", Lua::Method<&QueryPlayer>},
    {"QueryGroup", Lua::Method<&QueryGroup>},
    {"GetSessionPlayers", Lua::Method<&GetSessionPlayers>},
    {"GetSessionPlayersNumber", Lua::Method<&GetSessionPlayersNumber>},
    {"GetLocalPlayer", Lua::Method<&GetLocalPlayer>},
    {"GetBroadcastTimeOut", Lua::Method<&GetBroadcastTimeOut>},
    {nullptr, nullptr},
};
const Lua::ScriptClass netClass{"VelNet", netMethods, true};
const Lua::ScriptClassRegistrar netRegistrar(netClass);

i32 GetNetworkID(lua_State* state, VelBroadcast& session)
{
    return Lua::PushString(state, session.networkId);
}

i32 GetHostName(lua_State* state, VelBroadcast& session)
{
    return Lua::PushString(state, session.hostName);
}

i32 GetSessionMaxPlayers(lua_State* state, VelBroadcast& session)
{
    return Lua::PushNumber(state, session.maximumPlayers);
}

i32 GetSessionPlayersCount(lua_State* state, VelBroadcast& session)
{
    return Lua::PushNumber(state, session.players);
}

i32 IsPasswordProtected(lua_State* state, VelBroadcast& session)
{
    return Lua::PushBoolean(state, session.passwordProtected != 0);
}

const ScriptMethodEntry broadcastMethods[] = {
    {"GetNetworkID", Lua::Method<&GetNetworkID>},
    {"GetHostName", Lua::Method<&GetHostName>},
    {"GetSessionMaxPlayers", Lua::Method<&GetSessionMaxPlayers>},
    {"GetSessionPlayersNumber", Lua::Method<&GetSessionPlayersCount>},
    {"IsPasswordProtected", Lua::Method<&IsPasswordProtected>},
    {nullptr, nullptr},
};
// A script's copy of a discovered session gives its names back when the script lets it go.
void ReleaseBroadcast(void* session)
{
    static_cast<VelBroadcast*>(session)->~VelBroadcast();
}

const Lua::ScriptClass broadcastClass{"VelBroadcast", broadcastMethods, false, nullptr, &ReleaseBroadcast};
const Lua::ScriptClassRegistrar broadcastRegistrar(broadcastClass);
}  // namespace
}  // namespace Vellumar
