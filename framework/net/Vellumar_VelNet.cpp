#include "framework/net/Vellumar_VelNet.h"

#include <algorithm>

#include "core/PAL_Clock.h"
#include "network/Network_Session.h"

namespace Vellumar
{
namespace
{
VelNet* running = nullptr;

// A remainder longer than one frame would make the next frames send twice.
void Drain(f32& accumulator, f32 amount, f32 dt)
{
    accumulator -= amount;
    accumulator = std::min(accumulator, dt);
}
}  // namespace

VelComponentManager::~VelComponentManager() = default;

VelNet* VelNet::GetRunning()
{
    return running;
}

VelNet::VelNet()
{
    manager.Startup();
    allPlayers = new (__FILE__, __LINE__) VelGroup("All_Players", nullptr);
    groups.emplace_back(allPlayers);
}

VelNet::~VelNet()
{
    stopping = 1;
    manager.ShutdownAll();
    session = nullptr;
    groups.clear();
    if (running == this)
    {
        running = nullptr;
    }
    Core::TrackedDelete(sendBuffer, sendBufferCapacity);
}

void VelNet::EnsureSendBuffer(u32 size)
{
    if (size <= sendBufferCapacity)
    {
        return;
    }
    Core::TrackedDelete(sendBuffer, sendBufferCapacity);
    sendBuffer = nullptr;
    sendBufferCapacity = 0;
    sendBuffer = static_cast<u8*>(Core::TrackedNew(size, __FILE__, __LINE__));
    sendBufferCapacity = size;
}

bool VelNet::Start(bool host, NetCallback newCallback, const Core::String& sessionName, const Core::String& password,
                   u32 newPollBudget, u32 newWaitBudget, u32 newSendsPerSecond, u16 newDiscoveryPort,
                   u16 newGamePort)
{
    if (running)
    {
        return false;
    }
    running = this;
    stopping = 0;
    // The closes still to be reported belonged to the session before.
    abandonedConnections = 0;
    const char* sessionPassword = host ? password.c_str() : "";
    session = manager.CreateSession(sessionName.c_str(), sessionPassword, host && !password.empty(),
                                    host ? HandleHostMessage : HandleClientMessage, 0, false, 0, 0, 1);
    if (!session)
    {
        running = nullptr;
        return false;
    }
    callback = newCallback;
    pollBudget = newPollBudget;
    waitBudget = newWaitBudget;
    discoveryPort = newDiscoveryPort;
    gamePort = newGamePort;
    hostMode = host ? 1 : 0;
    if (!host && !session->OpenDiscoverySocket(discoveryPort))
    {
        manager.RemoveSession(session);
        session = nullptr;
        running = nullptr;
        return false;
    }
    sendsPerSecond = newSendsPerSecond ? newSendsPerSecond : 1;
    sendPeriod = 1.0f / static_cast<f32>(sendsPerSecond);
    sendAccumulator = 0.0f;
    return true;
}

bool VelNet::HostGame(const Core::String& playerName, u32 newMaxPlayers, u32 newBroadcastClass, f32 newBroadcastPeriod)
{
    if (running != this || !hostMode || hosting)
    {
        return false;
    }
    SessionAddress listenAddress = session->GetSessionLocalAddress();
    listenAddress.SetPort(gamePort);
    if (!session->ListenWithDatagram(listenAddress, newMaxPlayers, Network::Slot::HostGame))
    {
        return false;
    }
    maxPlayers = newMaxPlayers;
    session->GetLocalAddress(Network::Slot::HostListener, sessionAddress);
    broadcastPeriod = newBroadcastPeriod;
    broadcastClass = newBroadcastClass;
    const PayloadWriter advert = Compose([&](PayloadWriter& message) {
        WriteAdvertisement(message, {sessionAddress.GetSocketAddress(), maxPlayers, 1,
                                     session->IsPasswordProtected() ? u8(1) : u8(0), session->GetName(), networkId});
    });
    if (!session->StartBroadcast(discoveryPort, broadcastClass, static_cast<u32>(broadcastPeriod * 1000.0f),
                                 static_cast<u32>(MessageType::Advertisement), advert.GetData(), advert.GetSize(), 0))
    {
        // A retry opens both sockets again.
        session->CloseSocket(Network::Slot::HostGame, true);
        session->StopListening(true);
        return false;
    }
    Notify<NetSessionMessage>(false, NetSessionHosted, sessionAddress);
    hosting = 1;
    Core::RefPtr<VelPlayer> player = new (__FILE__, __LINE__) VelPlayer(playerName, true, true, sessionAddress);
    player->SetID(NextPlayerID());
    localPlayer = player;
    AddPlayer(player.Get());
    return true;
}

void VelNet::CloseClientSockets(bool wait)
{
    if (session->CloseSocket(Network::Slot::ClientConnection, wait) && !joined)
    {
        ++abandonedConnections;
    }
    session->CloseSocket(Network::Slot::ClientGame, wait);
}

bool VelNet::JoinGame(const Core::String& playerName, const SessionAddress& hostAddress, const Core::String& password)
{
    if (running != this || joined || hosting)
    {
        return false;
    }
    // The datagram socket takes the connection's port before it connects: the host sends to the
    // address the connection comes from.
    const SessionAddress anyAddress;
    if (!session->OpenSocketPair(Network::Slot::ClientConnection, Network::Slot::ClientGame, anyAddress, 0, 0,
                                 Network::ModeRead, Network::OptionNonBlocking))
    {
        return false;
    }
    SessionAddress localAddress;
    if (!session->Connect(Network::Slot::ClientConnection, hostAddress) ||
        !session->GetLocalAddress(Network::Slot::ClientConnection, localAddress))
    {
        // Both sockets are gone before a retry opens them again.
        CloseClientSockets(true);
        return false;
    }
    localPlayer = new (__FILE__, __LINE__) VelPlayer(playerName, true, false, localAddress);
    AddPlayer(localPlayer.Get());
    const PayloadWriter request = Compose([&](PayloadWriter& message) {
        WriteJoinRequest(message, {password, {0, 0, localAddress.GetSocketAddress(), playerName}});
    });
    Network::EventList events;
    const bool answered =
        SendBytes(Network::Slot::ClientConnection, static_cast<u32>(MessageType::JoinRequest), request.GetData(),
                  request.GetSize(), hostAddress) &&
        session->WaitForMessage(Network::Slot::ClientConnection, events);
    if (answered)
    {
        session->DeliverEventList(events);
        session->ClearEventList(events);
    }
    if (!answered || !joined)
    {
        session->ClearEventList(events);
        if (localPlayer)
        {
            allPlayers->RemovePlayerByID(localPlayer->GetID());
        }
        localPlayer = nullptr;
        CloseClientSockets(true);
        return false;
    }
    session->SetSocketMode(Network::Slot::ClientConnection, Network::ModeRead);
    allPlayers->SortByID();
    sessionAddress = hostAddress;
    Notify<NetSessionMessage>(false, NetSessionJoined, sessionAddress);
    return true;
}

bool VelNet::StartDiscovery()
{
    return running == this && !stopping && session && session->OpenDiscoverySocket(discoveryPort);
}

bool VelNet::Shutdown()
{
    if (running != this)
    {
        return false;
    }
    stopping = 1;
    netObjects.clear();
    baseNetObjects.clear();
    manager.RemoveSession(session);
    session = nullptr;
    running = nullptr;
    hosting = joined = hostMode = 0;
    localPlayer = nullptr;
    allPlayers->Clear();
    discoveredSessions.clear();
    pendingPings.clear();
    return true;
}

bool VelNet::IsSessionActive() const
{
    if (!localPlayer)
    {
        return false;
    }
    return hostMode ? hosting != 0 : joined != 0;
}

bool VelNet::SendBytes(i32 slot, u32 type, const void* data, u32 size, const SessionAddress& to)
{
    return session && session->SendMessage(slot, type, data, size, to, nullptr);
}

bool VelNet::Send(u32 type, const void* data, u32 size, VelGroup* group, bool reliable)
{
    if (running != this)
    {
        return false;
    }
    if (!hostMode)
    {
        return joined && SendBytes(reliable ? Network::Slot::ClientConnection : Network::Slot::ClientGame, type, data,
                                   size, sessionAddress);
    }
    if (!hosting)
    {
        return false;
    }
    bool all = true;
    for (const auto& player : (group ? group : allPlayers.Get())->GetPlayers())
    {
        if (!player->IsLocal())
        {
            all = SendToPlayer(type, data, size, player.Get(), reliable) && all;
        }
    }
    return all;
}

bool VelNet::SendToPlayer(u32 type, const void* data, u32 size, VelPlayer* player, bool reliable)
{
    if (running != this)
    {
        return false;
    }
    if (!hostMode)
    {
        return Send(type, data, size, nullptr, reliable);
    }
    return hosting && player &&
           SendBytes(reliable ? Network::Slot::HostListener : Network::Slot::HostGame, type, data, size,
                     player->GetAddress());
}

VelPlayer* VelNet::FindPlayerByID(u32 id) const
{
    return allPlayers->FindPlayerByID(id);
}

VelPlayer* VelNet::FindPlayerByName(const Core::String& name) const
{
    return allPlayers->FindPlayerByName(name);
}

PlayerList VelNet::GetPlayers() const
{
    return allPlayers->GetPlayers();
}

VelGroup* VelNet::FindGroup(u32 id, VelPlayer* owner) const
{
    VelPlayer* wanted = owner ? owner : localPlayer.Get();
    for (const auto& group : groups)
    {
        if (group->GetID() == id && (!group->GetOwner() || group->GetOwner() == wanted))
        {
            return group.Get();
        }
    }
    return nullptr;
}

VelGroup* VelNet::FindGroupByName(const Core::String& name, VelPlayer* owner) const
{
    VelPlayer* wanted = owner ? owner : localPlayer.Get();
    for (const auto& group : groups)
    {
        if (group->GetName() == name && (!group->GetOwner() || group->GetOwner() == wanted))
        {
            return group.Get();
        }
    }
    return nullptr;
}

bool VelNet::SendRecordToOthers(u32 type, VelPlayer* player)
{
    const PayloadWriter record = Compose([&](PayloadWriter& message) { player->WriteRecord(message); });
    return Send(type, record.GetData(), record.GetSize(), nullptr, true);
}

bool VelNet::AddPlayer(VelPlayer* player)
{
    if (running != this || !player)
    {
        return false;
    }
    if (!hosting && player->IsHost())
    {
        // The host is addressed as this client actually reached it.
        SessionAddress reached;
        if (session->GetRemoteAddress(Network::Slot::ClientConnection, reached))
        {
            player->SetAddress(reached);
        }
    }
    if (hosting)
    {
        player->CreateNetworkInput();
        SendRecordToOthers(static_cast<u32>(MessageType::PlayerRecord), player);
    }
    allPlayers->AddPlayer(player);
    Notify<NetPlayerMessage>(false, NetPlayerAdded, player);
    return true;
}

bool VelNet::RemovePlayer(VelPlayer* player)
{
    if (running != this || !player)
    {
        return false;
    }
    Core::RefPtr<VelPlayer> held = player;
    Notify<NetPlayerMessage>(false, NetPlayerLeft, player);
    allPlayers->RemovePlayerByID(player->GetID());
    if (hosting)
    {
        SendRecordToOthers(static_cast<u32>(MessageType::PlayerLeft), player);
    }
    if (player == localPlayer.Get() || player->IsHost())
    {
        EndSession();
    }
    return true;
}

void VelNet::EndSession()
{
    if (joined)
    {
        joined = 0;
        CloseClientSockets(false);
    }
    else if (hosting)
    {
        hosting = 0;
        session->CloseSocket(Network::Slot::HostListener, false);
        session->CloseSocket(Network::Slot::HostGame, false);
        session->StopListening(false);
    }
    else
    {
        localPlayer = nullptr;
        return;
    }
    Notify<NetSessionMessage>(false, NetSessionLost, sessionAddress);
    allPlayers->Clear();
    localPlayer = nullptr;
}

bool VelNet::SendPlayerList(VelPlayer* newPlayer)
{
    if (running != this || !hosting || !newPlayer)
    {
        return false;
    }
    for (const auto& player : allPlayers->Players())
    {
        const PayloadWriter record = Compose([&](PayloadWriter& message) { player->WriteRecord(message); });
        SendToPlayer(static_cast<u32>(MessageType::PlayerRecord), record.GetData(), record.GetSize(), newPlayer, true);
    }
    return true;
}

bool VelNet::CreateGroup(VelGroup* group)
{
    if (!localPlayer || !group)
    {
        return false;
    }
    if (hostMode)
    {
        if (!hosting)
        {
            return false;
        }
        groups.emplace_back(group);
        return true;
    }
    if (!joined)
    {
        return false;
    }
    group->SetOwner(localPlayer.Get());
    if (group->GetSize() == 0)
    {
        return false;
    }
    CreateGroupData data{localPlayer->GetID(), group->GetID(), group->GetName(), {}};
    for (const auto& member : group->Players())
    {
        data.members.push_back(member->GetID());
    }
    const PayloadWriter out = Compose([&](PayloadWriter& message) { WriteCreateGroup(message, data); });
    if (!Send(static_cast<u32>(MessageType::CreateGroup), out.GetData(), out.GetSize(), nullptr, true))
    {
        return false;
    }
    groups.emplace_back(group);
    return true;
}

bool VelNet::DestroyGroup(VelGroup* group)
{
    if (!localPlayer || !group)
    {
        return false;
    }
    if (hostMode ? !hosting : !joined)
    {
        return false;
    }
    if (!hostMode)
    {
        const PayloadWriter out = Compose([&](PayloadWriter& message) {
            WriteIdPair(message, {localPlayer->GetID(), group->GetID()});
        });
        if (!Send(static_cast<u32>(MessageType::DestroyGroup), out.GetData(), out.GetSize(), nullptr, true))
        {
            return false;
        }
    }
    groups.remove_if([group](const Core::RefPtr<VelGroup>& entry) { return entry.Get() == group; });
    return true;
}

bool VelNet::SendTextMessage(bool reliable, const Core::String& text, u32 groupWord, VelGroup* group,
                             VelPlayer* target, bool echo)
{
    if (!localPlayer)
    {
        return false;
    }
    const PayloadWriter out = Compose([&](PayloadWriter& message) {
        WriteText(message, {localPlayer->GetID(), groupWord, text});
    });
    const u32 type = static_cast<u32>(MessageType::Text);
    const bool sent = target ? SendToPlayer(type, out.GetData(), out.GetSize(), target, reliable)
                             : Send(type, out.GetData(), out.GetSize(), group, reliable);
    if (sent && echo)
    {
        Notify<NetTextMessage>(false, text, localPlayer.Get());
    }
    return sent;
}

bool VelNet::SendText(bool reliable, const Core::String& text, bool echo)
{
    return SendTextMessage(reliable, text, allPlayers->GetID(), nullptr, nullptr, echo);
}

bool VelNet::SendTextToGroup(bool reliable, const Core::String& text, VelGroup* group, bool echo)
{
    return group && SendTextMessage(reliable, text, group->GetID(), group, nullptr, echo);
}

bool VelNet::SendTextToPlayer(bool reliable, const Core::String& text, VelPlayer* player, bool echo)
{
    return player && SendTextMessage(reliable, text, player->GetID(), nullptr, player, echo);
}

void VelNet::AddOrRefreshSession(const VelBroadcast& record)
{
    for (VelBroadcast& known : discoveredSessions)
    {
        if (known.address.SameEndpoint(record.address))
        {
            known = record;
            known.age = 0.0f;
            return;
        }
    }
    discoveredSessions.push_back(record);
    discoveredSessions.back().age = 0.0f;
}

void VelNet::AgeDiscoveredSessions(f32 dt)
{
    discoveredSessions.remove_if([dt](VelBroadcast& record) {
        record.age += dt;
        return record.age >= BroadcastTimeOut;
    });
}

bool VelNet::RefreshBroadcast()
{
    if (running != this || !hosting || !localPlayer)
    {
        return false;
    }
    const PayloadWriter advert = Compose([&](PayloadWriter& message) {
        WriteAdvertisement(message, {localPlayer->GetAddress().GetSocketAddress(), maxPlayers, allPlayers->GetSize(),
                                    session->IsPasswordProtected() ? u8(1) : u8(0), session->GetName(), networkId});
    });
    return session->UpdateBroadcastPayload(advert.GetData(), advert.GetSize());
}

void VelNet::UpdateNetworkInputs(f32)
{
    for (const auto& player : allPlayers->GetPlayers())
    {
        if (player->HasNetworkInput() && !(player->IsLocal() && player->IsHost()))
        {
            player->GetKeyboard()->Reset();
        }
    }
}

u32 VelNet::GetQueuedNetworkEvents() const
{
    return session ? session->GetQueuedEventCount() : 0;
}

void VelNet::PollEvents()
{
    u32 processed = 0;
    u32 remaining = 0;
    session->PollEvents(pollBudget, waitBudget, processed, remaining);
}

bool VelNet::SendTest(f32 dt)
{
    if (sendPeriod > sendAccumulator)
    {
        return false;
    }
    ++sendCounter;
    Drain(sendAccumulator, sendPeriod, dt);
    return true;
}

void VelNet::Update(f32 dt)
{
    if (running != this || !session)
    {
        return;
    }
    sendAccumulator += dt;
    secondAccumulator += dt;
    AgeDiscoveredSessions(dt);
    if (hostMode)
    {
        SendPings();
        RefreshBroadcast();
        PollEvents();
        if (SendTest(dt) && running == this)
        {
            SendObjectStates();
        }
    }
    else
    {
        if (SendTest(dt) && localPlayer && joined)
        {
            const u32 id = localPlayer->GetID();
            Input::Keyboard* keyboard = Input::GetKeyboard();
            const u8* block = nullptr;
            u32 size = 0;
            if (keyboard && keyboard->AnyKey())
            {
                keyboard->GetRecordedState(block, size);
                if (size)
                {
                    const PayloadWriter out = Compose([&](PayloadWriter& message) {
                        WriteInputState(message, id, block, size);
                    });
                    Send(static_cast<u32>(MessageType::KeyboardState), out.GetData(), out.GetSize(), nullptr, false);
                }
            }
            if (Input::Mouse* mouse = Input::GetMouse())
            {
                mouse->GetRecordedState(block, size);
                if (size)
                {
                    const PayloadWriter out = Compose([&](PayloadWriter& message) {
                        WriteInputState(message, id, block, size);
                    });
                    Send(static_cast<u32>(MessageType::MouseState), out.GetData(), out.GetSize(), nullptr, false);
                }
            }
        }
        if (running == this)
        {
            PollEvents();
        }
    }
    if (secondAccumulator >= 1.0f)
    {
        measuredSendsPerSecond = sendCounter ? sendCounter : 1;
        sendCounter = 0;
        Drain(secondAccumulator, 1.0f, dt);
    }
}

void VelNet::SendPings()
{
    if (!localPlayer || !hostMode || !hosting)
    {
        pendingPings.clear();
        return;
    }
    std::erase_if(pendingPings, [this](const PendingPing& ping) { return !allPlayers->FindPlayerByID(ping.playerId); });
    const f64 now = Engine::GetTime();
    for (const auto& player : allPlayers->GetPlayers())
    {
        if (player->IsLocal())
        {
            continue;
        }
        auto ping = std::find_if(pendingPings.begin(), pendingPings.end(),
                                 [&player](const PendingPing& entry) { return entry.playerId == player->GetID(); });
        if (ping == pendingPings.end())
        {
            pendingPings.push_back({player->GetID(), now, FirstPingTimeOut, 0, 0});
            ping = pendingPings.end() - 1;
        }
        if (ping->waiting)
        {
            if (now - ping->sentAt < ping->timeOut)
            {
                continue;
            }
            // Lost, or slower than the time-out allows: wait longer for the next one.
            ping->uncertain = 1;
            ping->timeOut = std::min(ping->timeOut * 2.0, MaximumPingTimeOut);
        }
        else if (now < ping->sentAt)
        {
            continue;
        }
        ping->waiting = 1;
        ping->sentAt = now;
        const PayloadWriter out = Compose([&](PayloadWriter& message) {
            WritePlayerId(message, localPlayer->GetID());
        });
        SendToPlayer(static_cast<u32>(MessageType::Ping), out.GetData(), out.GetSize(), player.Get(), false);
    }
}

void VelNet::SendPing()
{
    if (!localPlayer)
    {
        return;
    }
    const PayloadWriter out = Compose([this](PayloadWriter& message) { WritePlayerId(message, localPlayer->GetID()); });
    Send(static_cast<u32>(MessageType::PingReply), out.GetData(), out.GetSize(), nullptr, false);
}

void VelNet::OnPingReply(u32 playerId, f64 now)
{
    VelPlayer* player = allPlayers->FindPlayerByID(playerId);
    const auto ping = std::find_if(pendingPings.begin(), pendingPings.end(),
                                   [playerId](const PendingPing& entry) { return entry.playerId == playerId; });
    // A reply nobody waits for answers a ping given up on; it measures nothing.
    if (!player || ping == pendingPings.end() || !ping->waiting)
    {
        return;
    }
    ping->waiting = 0;
    if (ping->uncertain)
    {
        // This may be the late reply of the ping given up on, and the last ping's own reply still
        // on its way: it has a time-out to arrive, unmatched, before the next ping leaves.
        ping->uncertain = 0;
        ping->sentAt = now + ping->timeOut;
        return;
    }
    const f64 roundTrip = now - ping->sentAt;
    player->SetPingTime(roundTrip);
    ping->timeOut = std::clamp(roundTrip * 4.0, MinimumPingTimeOut, MaximumPingTimeOut);
    ping->sentAt = now;
}
}  // namespace Vellumar
