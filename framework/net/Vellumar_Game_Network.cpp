#include "framework/core/Vellumar_Game.h"

#include <algorithm>

namespace Vellumar
{
namespace
{
// Fixed start parameters: event polling budgets, state sends per second, discovery and game ports.
constexpr u32 PollBudgetMs = 5;
constexpr u32 WaitBudgetMs = 3;
constexpr u32 SendsPerSecond = 60;
constexpr u32 BroadcastClass = 1;
constexpr f32 BroadcastPeriod = 0.25f;
}  // namespace

bool Game::DispatchNetworkMessage(NetMessage* message)
{
    Game* game = GetInstance();
    if (!game)
    {
        return false;
    }
    const auto player = [message] { return static_cast<NetPlayerMessage*>(message)->GetPlayer(); };
    switch (message->GetType())
    {
    case NetSessionHosted:
        game->OnNetworkGameHosted();
        break;
    case NetSessionJoined:
        game->OnNetworkGameJoined();
        break;
    case NetPlayerJoining:
        return game->OnPlayerJoining(player());
    case NetJoinReply:
    {
        const i32 code = *static_cast<const i32*>(static_cast<NetDataMessage*>(message)->GetData());
        // An admitted player's id is no refusal: the game sees 0.
        game->OnJoinReply(code > 0 ? 0 : code);
        break;
    }
    case NetPlayerAdded:
        game->OnPlayerAdded(player());
        break;
    case NetPlayerLeft:
        game->OnPlayerRemoved(player());
        break;
    case NetText:
    {
        auto* text = static_cast<NetTextMessage*>(message);
        game->OnNetTextMessage(text->GetSender(), text->GetText());
        break;
    }
    case NetData:
    {
        auto* data = static_cast<NetDataMessage*>(message);
        game->OnNetDataMessage(data->GetSender(), data->GetTag(), data->GetDataSize(), data->GetData());
        break;
    }
    case NetSessionLost:
    {
        VelNet* network = game->GetNetworkEngine();
        // A client's copies belong to the session it lost.
        if (!network->IsHostMode())
        {
            network->DestroyAllNetObjects();
        }
        game->OnSessionLost();
        if (!network->IsHostMode())
        {
            network->StartDiscovery();
        }
        break;
    }
    default:
        break;
    }
    return true;
}

bool Game::NetworkStart(const Core::String& networkId)
{
    VelNet* network = GetNetworkEngine();
    network->Shutdown();
    if (!network->Start(false, DispatchNetworkMessage, "", "", PollBudgetMs, WaitBudgetMs, SendsPerSecond,
                        VelNet::DefaultDiscoveryPort, 0))
    {
        return false;
    }
    network->SetNetworkId(networkId);
    return true;
}

bool Game::HostNetworkGame(const Core::String& sessionName, const Core::String& playerName,
                           const Core::String& password, i32 maxPlayers)
{
    VelNet* network = GetNetworkEngine();
    if (!network->Shutdown())
    {
        return false;
    }
    return network->Start(true, DispatchNetworkMessage, sessionName, password, PollBudgetMs, WaitBudgetMs,
                          SendsPerSecond, VelNet::DefaultDiscoveryPort, 0) &&
           network->HostGame(playerName, static_cast<u32>(std::max(maxPlayers, 0)), BroadcastClass, BroadcastPeriod);
}
}  // namespace Vellumar
