#include "netplay/Vellumar_VelPlayer.h"

namespace Vellumar
{
namespace
{
u32 playerCounter = 0;
u32 groupCounter = 0;
}  // namespace

u32 NextPlayerID()
{
    return ++playerCounter;
}

u32 NextGroupID()
{
    return ++groupCounter;
}

void ResetNetworkCounters()
{
    playerCounter = 0;
    groupCounter = 0;
}

VelPlayer::VelPlayer(const Core::String& name, bool local, bool host, const SessionAddress& address)
    : name(name), local(local ? 1 : 0), host(host ? 1 : 0), address(address)
{
}

Input::Keyboard* VelPlayer::GetKeyboard() const
{
    return local && host ? Input::GetKeyboard() : keyboard.Get();
}

Input::Mouse* VelPlayer::GetMouse() const
{
    return local && host ? Input::GetMouse() : mouse.Get();
}

void VelPlayer::CreateNetworkInput()
{
    Input::KeyboardImp::CreatePlayback(keyboard);
    Input::MouseImp::CreatePlayback(mouse);
}

void VelPlayer::WriteRecord(PayloadWriter& out) const
{
    WritePlayerRecord(out, {id, host, address.GetSocketAddress(), name});
}

void VelPlayer::ReadRecord(const PlayerRecordData& record)
{
    id = record.id;
    host = record.host;
    local = 0;
    address.SetSocketAddress(record.address);
    name = record.name;
}

VelGroup::VelGroup(const Core::String& name, VelPlayer* owner) : name(name), id(NextGroupID()), owner(owner)
{
}

bool VelGroup::AddPlayer(VelPlayer* player)
{
    if (!player || FindPlayerByID(player->GetID()))
    {
        return false;
    }
    players.emplace_back(player);
    SortByID();
    return true;
}

bool VelGroup::RemovePlayerByID(u32 playerId)
{
    for (auto it = players.begin(); it != players.end(); ++it)
    {
        if ((*it)->GetID() == playerId)
        {
            players.erase(it);
            return true;
        }
    }
    return false;
}

bool VelGroup::RemovePlayerByName(const Core::String& playerName)
{
    for (auto it = players.begin(); it != players.end(); ++it)
    {
        if ((*it)->GetName() == playerName)
        {
            players.erase(it);
            return true;
        }
    }
    return false;
}

VelPlayer* VelGroup::FindPlayerByID(u32 playerId) const
{
    for (const auto& player : players)
    {
        if (player->GetID() == playerId)
        {
            return player.Get();
        }
    }
    return nullptr;
}

VelPlayer* VelGroup::FindPlayerByName(const Core::String& playerName) const
{
    for (const auto& player : players)
    {
        if (player->GetName() == playerName)
        {
            return player.Get();
        }
    }
    return nullptr;
}

VelPlayer* VelGroup::FindPlayerByAddress(const SessionAddress& playerAddress) const
{
    for (const auto& player : players)
    {
        if (player->GetAddress().SameEndpoint(playerAddress))
        {
            return player.Get();
        }
    }
    return nullptr;
}

bool VelGroup::ContainsPlayer(const VelPlayer* player) const
{
    return player && FindPlayerByID(player->GetID());
}

void VelGroup::SortByID()
{
    players.sort([](const Core::RefPtr<VelPlayer>& a, const Core::RefPtr<VelPlayer>& b) { return a->GetID() < b->GetID(); });
}
}  // namespace Vellumar
