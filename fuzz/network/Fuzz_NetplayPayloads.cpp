// The payloads of the facade's messages as a peer may send them. The first input byte picks the
// message type, the rest is its payload. Seeds are payloads the payload writers built.
#include "fuzz/Fuzz_Target.h"

#include "network/Vellumar_Payload.h"

namespace
{
using namespace Vellumar;

// Object records are the objects' own; only their headers are read here.
bool ReadObjects(MessageType type, const u8* data, u32 size)
{
    PayloadReader in(data, size);
    if (type == MessageType::ObjectSync)
    {
        ObjectSyncData sync;
        return ReadObjectSync(in, sync);
    }
    ObjectHeaderData header;
    if (type == MessageType::CreateObject)
    {
        return ReadObjectHeader(in, header);
    }
    u32 count = 0;
    return ReadObjectListCount(in, count) && (count == 0 || ReadObjectHeader(in, header));
}

bool Read(const u8* data, std::size_t size)
{
    if (size == 0)
        return false;
    const auto type = static_cast<MessageType>(data[0] % 19);
    const u8* payload = data + 1;
    const u32 length = static_cast<u32>(size - 1);
    switch (type)
    {
    case MessageType::Advertisement:
    {
        AdvertisementData advert;
        return ReadAdvertisement(payload, length, advert);
    }
    case MessageType::JoinRequest:
    {
        JoinRequestData request;
        return ReadJoinRequest(payload, length, request);
    }
    case MessageType::JoinReply:
    {
        i32 code = 0;
        return ReadJoinReply(payload, length, code);
    }
    case MessageType::PlayerRecord:
    case MessageType::PlayerLeft:
    {
        PlayerRecordData player;
        return ReadPlayerRecordMessage(payload, length, player);
    }
    case MessageType::CreateGroup:
    {
        CreateGroupData group;
        return ReadCreateGroup(payload, length, group);
    }
    case MessageType::DestroyGroup:
    case MessageType::DestroyObject:
    {
        IdPairData pair;
        return ReadIdPair(payload, length, pair);
    }
    case MessageType::CreateObject:
    case MessageType::ObjectSync:
    case MessageType::ObjectList:
        return ReadObjects(type, payload, length);
    case MessageType::Text:
    {
        TextData text;
        return ReadText(payload, length, text);
    }
    case MessageType::Data:
    {
        DataMessage message;
        return ReadData(payload, length, message);
    }
    case MessageType::LevelName:
    {
        Core::String name;
        return ReadLevelName(payload, length, name);
    }
    case MessageType::KeyboardState:
    {
        InputStateData state;
        return ReadKeyboardState(payload, length, state);
    }
    case MessageType::MouseState:
    {
        InputStateData state;
        return ReadMouseState(payload, length, state);
    }
    case MessageType::RequestObjectList:
    case MessageType::Ping:
    case MessageType::PingReply:
    {
        u32 id = 0;
        return ReadPlayerId(payload, length, id);
    }
    }
    return false;
}

Fuzz::Bytes Seed(MessageType type, const PayloadWriter& out)
{
    Fuzz::Bytes bytes{static_cast<u8>(type)};
    bytes.insert(bytes.end(), out.GetBytes().begin(), out.GetBytes().end());
    return bytes;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    PlayerRecordData player{3, 0, {}, "Guest"};
    PayloadWriter advert;
    WriteAdvertisement(advert, {{}, 8, 2, 1, "host", "Morvane"});
    seeds.emplace_back("advertisement", Seed(MessageType::Advertisement, advert));
    PayloadWriter join;
    WriteJoinRequest(join, {"secret", player});
    seeds.emplace_back("join-request", Seed(MessageType::JoinRequest, join));
    PayloadWriter group;
    WriteCreateGroup(group, {3, 40, "team", {1, 3}});
    seeds.emplace_back("create-group", Seed(MessageType::CreateGroup, group));
    PayloadWriter text;
    WriteText(text, {3, 1, "hello"});
    seeds.emplace_back("text", Seed(MessageType::Text, text));
    const u8 blob[] = {1, 2, 3, 4};
    PayloadWriter data;
    WriteData(data, {3, 1, 9, blob, 4});
    seeds.emplace_back("data", Seed(MessageType::Data, data));
    PayloadWriter object;
    WriteObjectHeader(object, {1, "Tower"});
    seeds.emplace_back("create-object", Seed(MessageType::CreateObject, object));
}

const Fuzz::Registration registration("NetplayPayloads", Read, WriteSeeds);
}  // namespace
