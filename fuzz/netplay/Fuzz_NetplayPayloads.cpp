// The payloads of the facade's messages as a peer may send them. The first input byte picks the
// message type, the rest is its payload. Seeds are payloads the payload writers built.
#include "fuzz/Fuzz_Target.h"

#include "netplay/Vellumar_Payload.h"

#include <iterator>

namespace
{
using namespace Vellumar;

// A message's reader, with a value of its own to read into.
template <class Value, bool (*Parse)(const void*, u32, Value&)>
bool ReadInto(const u8* data, u32 size)
{
    Value value{};
    return Parse(data, size, value);
}

// Object records are the objects' own; only their headers are read here.
template <MessageType Type>
bool ReadObjects(const u8* data, u32 size)
{
    PayloadReader in(data, size);
    if constexpr (Type == MessageType::ObjectSync)
    {
        ObjectSyncData sync;
        return ReadObjectSync(in, sync);
    }
    ObjectHeaderData header;
    if constexpr (Type == MessageType::CreateObject)
    {
        return ReadObjectHeader(in, header);
    }
    u32 count = 0;
    return ReadObjectListCount(in, count) && (count == 0 || ReadObjectHeader(in, header));
}

// The reader of each message type, in the order of their numbers.
using Reader = bool (*)(const u8* data, u32 size);
constexpr Reader Readers[] = {
    ReadInto<AdvertisementData, ReadAdvertisement>,
    ReadInto<JoinRequestData, ReadJoinRequest>,
    ReadInto<i32, ReadJoinReply>,
    ReadInto<PlayerRecordData, ReadPlayerRecordMessage>,
    ReadInto<PlayerRecordData, ReadPlayerRecordMessage>,
    ReadInto<CreateGroupData, ReadCreateGroup>,
    ReadInto<IdPairData, ReadIdPair>,
    ReadObjects<MessageType::CreateObject>,
    ReadInto<IdPairData, ReadIdPair>,
    ReadObjects<MessageType::ObjectSync>,
    ReadInto<TextData, ReadText>,
    ReadInto<DataMessage, ReadData>,
    ReadInto<Core::String, ReadLevelName>,
    ReadObjects<MessageType::ObjectList>,
    ReadInto<InputStateData, ReadKeyboardState>,
    ReadInto<InputStateData, ReadMouseState>,
    ReadInto<u32, ReadPlayerId>,
    ReadInto<u32, ReadPlayerId>,
    ReadInto<u32, ReadPlayerId>,
};
constexpr u32 MessageTypeCount = static_cast<u32>(MessageType::PingReply) + 1;
static_assert(std::size(Readers) == MessageTypeCount);

bool Read(const u8* data, std::size_t size)
{
    if (size == 0)
        return false;
    return Readers[data[0] % MessageTypeCount](data + 1, static_cast<u32>(size - 1));
}

// A seed: the message type's byte, then the payload its writer builds from value.
template <class Value>
void AddSeed(Fuzz::Seeds& seeds, const char* name, MessageType type, void (*write)(PayloadWriter&, const Value&),
             const Value& value)
{
    PayloadWriter out;
    write(out, value);
    Fuzz::Bytes bytes{static_cast<u8>(type)};
    bytes.insert(bytes.end(), out.GetBytes().begin(), out.GetBytes().end());
    seeds.emplace_back(name, bytes);
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    const PlayerRecordData player{3, 0, {}, "Guest"};
    const u8 blob[] = {1, 2, 3, 4};
    AddSeed(seeds, "advertisement", MessageType::Advertisement, WriteAdvertisement, {{}, 8, 2, 1, "host", "Morvane"});
    AddSeed(seeds, "join-request", MessageType::JoinRequest, WriteJoinRequest, {"secret", player});
    AddSeed(seeds, "create-group", MessageType::CreateGroup, WriteCreateGroup, {3, 40, "team", {1, 3}});
    AddSeed(seeds, "text", MessageType::Text, WriteText, {3, 1, "hello"});
    AddSeed(seeds, "data", MessageType::Data, WriteData, {3, 1, 9, blob, 4});
    AddSeed(seeds, "create-object", MessageType::CreateObject, WriteObjectHeader, {1, "Tower"});
}

const Fuzz::Registration registration("NetplayPayloads", Read, WriteSeeds);
}  // namespace
