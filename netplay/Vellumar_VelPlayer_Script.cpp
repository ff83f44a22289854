// Script methods of "VelPlayer" and "VelGroup". Ids given as numbers are truncated; a method given
// too few arguments does nothing and returns no result.
#include "script/Lua_ScriptClass.h"
#include "netplay/Vellumar_VelPlayer.h"

namespace Vellumar
{
namespace
{
i32 GetPlayerName(lua_State* state, VelPlayer& player)
{
    return Lua::PushString(state, player.GetName());
}

i32 IsLocal(lua_State* state, VelPlayer& player)
{
    return Lua::PushBoolean(state, player.IsLocal());
}

i32 IsHost(lua_State* state, VelPlayer& player)
{
    return Lua::PushBoolean(state, player.IsHost());
}

i32 GetPlayerID(lua_State* state, VelPlayer& player)
{
    return Lua::PushNumber(state, player.GetID());
}

i32 GetPingTime(lua_State* state, VelPlayer& player)
{
    return Lua::PushNumber(state, player.GetPingTime());
}

const ScriptMethodEntry playerMethods[] = {
    {"GetName", Lua::Method<&GetPlayerName>},
    {"IsLocal", Lua::Method<&IsLocal>},
    {"IsHost", Lua::Method<&IsHost>},
    {"GetID", Lua::Method<&GetPlayerID>},
    {"GetPingTime", Lua::Method<&GetPingTime>},
    {nullptr, nullptr},
};
const Lua::ScriptClass playerClass{"VelPlayer", playerMethods, true};
const Lua::ScriptClassRegistrar playerRegistrar(playerClass);

i32 GetGroupName(lua_State* state, VelGroup& group)
{
    return Lua::PushString(state, group.GetName());
}

i32 GetGroupID(lua_State* state, VelGroup& group)
{
    return Lua::PushNumber(state, group.GetID());
}

i32 GetOwner(lua_State* state, VelGroup& group)
{
    return Lua::PushObject(state, group.GetOwner());
}

i32 AddPlayer(lua_State* state, VelGroup& group)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushBoolean(state, group.AddPlayer(Lua::ToObject<VelPlayer>(state, 1)));
}

i32 RemovePlayer(lua_State* state, VelGroup& group)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    const bool removed = Lua::IsNumber(state, 1) ? group.RemovePlayerByID(Lua::CheckUnsigned(state, 1))
                                                 : group.RemovePlayerByName(Lua::CheckString(state, 1));
    return Lua::PushBoolean(state, removed);
}

i32 QueryPlayer(lua_State* state, VelGroup& group)
{
    if (!Lua::HasArguments(state, 1))
        return 0;
    return Lua::PushObject(state, Lua::IsNumber(state, 1) ? group.FindPlayerByID(Lua::CheckUnsigned(state, 1))
                                                          : group.FindPlayerByName(Lua::CheckString(state, 1)));
}

i32 GetSize(lua_State* state, VelGroup& group)
{
    return Lua::PushNumber(state, group.GetSize());
}

const ScriptMethodEntry groupMethods[] = {
    {"GetName", Lua::Method<&GetGroupName>},
    {"GetID", Lua::Method<&GetGroupID>},
    {"GetOwner", Lua::Method<&GetOwner>},
    {"AddPlayer", Lua::Method<&AddPlayer>},
    {"RemovePlayer", Lua::Method<&RemovePlayer>},
    {"QueryPlayer", Lua::Method<&QueryPlayer>},
    {"GetSize", Lua::Method<&GetSize>},
    {nullptr, nullptr},
};
const Lua::ScriptClass groupClass{"VelGroup", groupMethods, true};
const Lua::ScriptClassRegistrar groupRegistrar(groupClass);
}  // namespace
}  // namespace Vellumar
