// The host's and the client's handling of the session's events. Every payload comes from a peer and
// is read through the bounded payload readers; one that does not read is dropped, and a client whose
// reliable stream carries one is disconnected, since its stream can no longer be trusted.
#include "network/Network_Session.h"
#include "framework/net/Vellumar_VelNet.h"

#include "core/PAL_Clock.h"

namespace Vellumar
{
bool VelNet::HandleHostMessage(Network::NetworkEvent& event)
{
    VelNet* facade = GetRunning();
    if (facade && !facade->stopping && event.session == facade->session)
    {
        facade->HostMessage(event);
    }
    return true;
}

bool VelNet::HandleClientMessage(Network::NetworkEvent& event)
{
    VelNet* facade = GetRunning();
    if (facade && !facade->stopping && event.session == facade->session)
    {
        facade->ClientMessage(event);
    }
    return true;
}

void VelNet::HostMessage(Network::NetworkEvent& event)
{
    using Network::EventKind;
    if (event.kind == EventKind::SocketClosed)
    {
        if (event.slot == Network::Slot::HostListener && localPlayer)
        {
            RemovePlayer(localPlayer.Get());
        }
        return;
    }
    if (event.kind == EventKind::ConnectionClosed)
    {
        if (VelPlayer* player = allPlayers->FindPlayerByAddress(event.address))
        {
            RemovePlayer(player);
        }
        return;
    }
    if (event.kind != EventKind::MessageReceived)
    {
        return;
    }
    const u8* payload = event.payload;
    const u32 size = event.payloadLength;
    bool read = true;
    u32 playerId = 0;
    switch (static_cast<MessageType>(event.messageType))
    {
    case MessageType::JoinRequest:
        HostJoinRequest(event);
        return;
    case MessageType::CreateGroup:
    {
        CreateGroupData data;
        read = ReadCreateGroup(payload, size, data);
        if (read)
        {
            HostCreateGroup(data);
        }
        break;
    }
    case MessageType::DestroyGroup:
    {
        IdPairData data;
        read = ReadIdPair(payload, size, data);
        VelPlayer* owner = read ? allPlayers->FindPlayerByID(data.ownerId) : nullptr;
        if (owner)
        {
            if (VelGroup* group = FindGroup(data.id, owner); group && group != allPlayers.Get())
            {
                groups.remove_if([group](const Core::RefPtr<VelGroup>& entry) { return entry.Get() == group; });
            }
        }
        break;
    }
    case MessageType::DestroyObject:
        HostDestroyObject(event);
        return;
    case MessageType::RequestObjectList:
        read = ReadPlayerId(payload, size, playerId);
        if (read)
        {
            SendObjectList(allPlayers->FindPlayerByID(playerId));
        }
        break;
    case MessageType::Text:
    case MessageType::Data:
        RelayToGroup(event, event.messageType == static_cast<u32>(MessageType::Data));
        return;
    case MessageType::KeyboardState:
    case MessageType::MouseState:
    {
        InputStateData state;
        const bool keyboard = event.messageType == static_cast<u32>(MessageType::KeyboardState);
        read = keyboard ? ReadKeyboardState(payload, size, state) : ReadMouseState(payload, size, state);
        VelPlayer* player = read ? allPlayers->FindPlayerByID(state.senderId) : nullptr;
        if (player && keyboard && player->GetKeyboard())
        {
            player->GetKeyboard()->SetRecordedState(state.block, state.size);
        }
        else if (player && !keyboard && player->GetMouse())
        {
            player->GetMouse()->SetRecordedState(state.block, state.size);
        }
        break;
    }
    case MessageType::PingReply:
        read = ReadPlayerId(payload, size, playerId);
        if (read)
        {
            OnPingReply(playerId, Engine::GetTime());
        }
        break;
    default:
        break;
    }
    if (read)
    {
        return;
    }
    ++refusedMessages;
    if (event.slot == Network::Slot::HostListener)
    {
        session->CloseConnection(Network::Slot::HostListener, event.address, false);
    }
}

void VelNet::HostJoinRequest(Network::NetworkEvent& event)
{
    JoinRequestData request;
    if (!ReadJoinRequest(event.payload, event.payloadLength, request))
    {
        ++refusedMessages;
        session->CloseConnection(Network::Slot::HostListener, event.address, false);
        return;
    }
    const auto answer = [&](i32 code) {
        const PayloadWriter out = Compose([&](PayloadWriter& message) { WriteJoinReply(message, code); });
        SendBytes(event.slot, static_cast<u32>(MessageType::JoinReply), out.GetData(), out.GetSize(), event.address);
    };
    if (allPlayers->GetSize() >= maxPlayers)
    {
        answer(JoinSessionFull);
        return;
    }
    if (session->IsPasswordProtected() && request.password != session->GetPassword())
    {
        answer(JoinWrongPassword);
        return;
    }
    Core::RefPtr<VelPlayer> player = new (__FILE__, __LINE__) VelPlayer();
    player->ReadRecord(request.player);
    // The player is reached where its connection comes from, whatever its record claims.
    player->SetAddress(event.address);
    player->SetID(NextPlayerID());
    if (allPlayers->FindPlayerByID(player->GetID()))
    {
        answer(JoinDuplicateId);
        return;
    }
    if (!Notify<NetPlayerMessage>(true, NetPlayerJoining, player.Get()))
    {
        answer(JoinRefused);
        return;
    }
    answer(static_cast<i32>(player->GetID()));
    SendPlayerList(player.Get());
    AddPlayer(player.Get());
}

void VelNet::HostCreateGroup(const CreateGroupData& data)
{
    VelPlayer* owner = allPlayers->FindPlayerByID(data.ownerId);
    if (!owner)
    {
        return;
    }
    Core::RefPtr<VelGroup> group = new (__FILE__, __LINE__) VelGroup(data.name, owner);
    group->SetID(data.groupId);
    for (u32 member : data.members)
    {
        group->AddPlayer(allPlayers->FindPlayerByID(member));
    }
    CreateGroup(group.Get());
}

void VelNet::RelayToGroup(Network::NetworkEvent& event, bool data)
{
    TextData text;
    DataMessage message;
    const bool read = data ? ReadData(event.payload, event.payloadLength, message)
                           : ReadText(event.payload, event.payloadLength, text);
    if (!read)
    {
        ++refusedMessages;
        if (event.slot == Network::Slot::HostListener)
        {
            session->CloseConnection(Network::Slot::HostListener, event.address, false);
        }
        return;
    }
    const u32 senderId = data ? message.senderId : text.senderId;
    const u32 groupId = data ? message.groupId : text.groupId;
    VelPlayer* sender = allPlayers->FindPlayerByID(senderId);
    if (!sender || sender->IsLocal())
    {
        return;
    }
    VelGroup* group = FindGroup(groupId, sender);
    VelPlayer* target = group ? nullptr : allPlayers->FindPlayerByID(groupId);
    bool forHost = false;
    if (group)
    {
        Send(event.messageType, event.payload, event.payloadLength, group, true);
        forHost = localPlayer && group->ContainsPlayer(localPlayer.Get());
    }
    else if (target)
    {
        // A text to one player carries that player's id in place of a group.
        forHost = target->IsLocal();
        if (!forHost)
        {
            SendToPlayer(event.messageType, event.payload, event.payloadLength, target, true);
        }
    }
    if (!forHost || !callback)
    {
        return;
    }
    if (data)
    {
        Notify<NetDataMessage>(false, NetData, message.tag, message.size, message.size ? message.bytes : nullptr, sender);
    }
    else
    {
        Notify<NetTextMessage>(false, text.text, sender);
    }
}

void VelNet::ClientJoinReply(i32 code)
{
    Notify<NetDataMessage>(true, NetJoinReply, 0u, 0u, &code, nullptr);
    // Ids start at 1: a reply of 0 (an empty one) admits nobody.
    if (code > 0)
    {
        joined = 1;
        session->CloseDiscoverySocket(false);
        if (localPlayer)
        {
            localPlayer->SetID(static_cast<u32>(code));
        }
    }
}

void VelNet::ClientMessage(Network::NetworkEvent& event)
{
    using Network::EventKind;
    if (event.kind == EventKind::SocketClosed)
    {
        // The close of a failed join's connection is reported late; it is not this session's end.
        if (event.slot == Network::Slot::ClientConnection && abandonedConnections > 0)
        {
            --abandonedConnections;
            return;
        }
        if (event.slot == Network::Slot::ClientConnection && localPlayer)
        {
            RemovePlayer(localPlayer.Get());
        }
        return;
    }
    if (event.kind != EventKind::MessageReceived)
    {
        return;
    }
    const u8* payload = event.payload;
    const u32 size = event.payloadLength;
    bool read = true;
    switch (static_cast<MessageType>(event.messageType))
    {
    case MessageType::Advertisement:
    {
        AdvertisementData advert;
        if (joined)
        {
            break;
        }
        read = ReadAdvertisement(payload, size, advert);
        if (read)
        {
            VelBroadcast record;
            record.hostName = advert.hostName;
            record.networkId = advert.networkId;
            record.address.SetSocketAddress(advert.address);
            record.maximumPlayers = advert.maximumPlayers;
            record.players = advert.players;
            record.passwordProtected = advert.passwordProtected;
            AddOrRefreshSession(record);
        }
        break;
    }
    case MessageType::JoinReply:
    {
        i32 code = 0;
        read = ReadJoinReply(payload, size, code);
        if (read)
        {
            ClientJoinReply(code);
        }
        break;
    }
    case MessageType::PlayerRecord:
    case MessageType::PlayerLeft:
    {
        PlayerRecordData record;
        read = ReadPlayerRecordMessage(payload, size, record);
        if (!read)
        {
            break;
        }
        Core::RefPtr<VelPlayer> player = new (__FILE__, __LINE__) VelPlayer();
        player->ReadRecord(record);
        if (event.messageType == static_cast<u32>(MessageType::PlayerRecord))
        {
            AddPlayer(player.Get());
        }
        else
        {
            RemovePlayer(player.Get());
        }
        break;
    }
    case MessageType::Text:
    case MessageType::Data:
    {
        TextData text;
        DataMessage message;
        const bool data = event.messageType == static_cast<u32>(MessageType::Data);
        read = data ? ReadData(payload, size, message) : ReadText(payload, size, text);
        VelPlayer* sender = read ? allPlayers->FindPlayerByID(data ? message.senderId : text.senderId) : nullptr;
        if (!sender || sender->IsLocal() || !callback)
        {
            break;
        }
        if (data)
        {
            Notify<NetDataMessage>(false, NetData, message.tag, message.size, message.size ? message.bytes : nullptr, sender);
        }
        else
        {
            Notify<NetTextMessage>(false, text.text, sender);
        }
        break;
    }
    case MessageType::CreateObject:
        read = ClientCreateObject(payload, size);
        break;
    case MessageType::DestroyObject:
        read = ClientDestroyObject(payload, size);
        break;
    case MessageType::ObjectSync:
        read = ClientObjectSync(payload, size);
        break;
    case MessageType::LevelName:
        read = ClientLevelName(payload, size);
        break;
    case MessageType::ObjectList:
        read = ClientObjectList(payload, size);
        break;
    case MessageType::Ping:
    {
        u32 hostId = 0;
        read = ReadPlayerId(payload, size, hostId);
        if (read)
        {
            SendPing();
        }
        break;
    }
    default:
        break;
    }
    if (!read)
    {
        ++refusedMessages;
    }
}
}  // namespace Vellumar
