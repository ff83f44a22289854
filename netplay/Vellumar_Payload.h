#pragma once
// The facade's application protocol: the message types and every payload, written and read field by
// field, little-endian and unpadded. Every payload comes from a peer, so one bounded reader serves
// them all: a read that would pass the end fails, and a payload that is short, long or inconsistent
// is refused whole.
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "sockets/Sockets_Socket.h"

namespace Vellumar
{
enum class MessageType : u32
{
    Advertisement = 0,
    JoinRequest = 1,
    JoinReply = 2,
    PlayerRecord = 3,
    PlayerLeft = 4,
    CreateGroup = 5,
    DestroyGroup = 6,
    CreateObject = 7,
    DestroyObject = 8,
    ObjectSync = 9,
    Text = 10,
    Data = 11,
    LevelName = 12,
    ObjectList = 13,
    KeyboardState = 14,
    MouseState = 15,
    RequestObjectList = 16,
    Ping = 17,
    PingReply = 18,
};

// Join reply codes below 1; a code of 1 or more is the new player's id.
constexpr i32 JoinSessionFull = -1;
constexpr i32 JoinWrongPassword = -2;
constexpr i32 JoinDuplicateId = -3;
constexpr i32 JoinRefused = -4;

// The fixed part of an advertisement, before the host name.
constexpr u32 AdvertisementHeaderSize = 29;

class PayloadWriter
{
public:
    // Collects the bytes in a vector of its own.
    PayloadWriter() = default;
    // Writes into a block the caller sized. A null block only counts the bytes, so that a message
    // of known size can be measured before its block is made; bytes past the capacity are counted
    // and never written.
    PayloadWriter(u8* block, u32 capacity) : block(block), capacity(capacity), external(true) {}

    void U8(u8 value) { Bytes(&value, 1); }
    void U32(u32 value);
    void I32(i32 value) { U32(static_cast<u32>(value)); }
    // The bytes and one NUL.
    void String(const Core::String& text);
    // A u32 byte count, then the bytes, no NUL.
    void NetworkString(const Core::String& text);
    void Address(const PAL::SocketAddress& address);
    void Bytes(const void* data, u32 count);

    const Core::Vector<u8>& GetBytes() const { return bytes; }
    const u8* GetData() const { return external ? block : bytes.data(); }
    u32 GetSize() const { return external ? size : static_cast<u32>(bytes.size()); }

private:
    Core::Vector<u8> bytes;
    u8* block = nullptr;
    u32 capacity = 0;
    u32 size = 0;
    bool external = false;
};

// Reads fields in order; the first read that does not fit fails this one and every later read.
class PayloadReader
{
public:
    PayloadReader(const void* data, u32 size) : data(static_cast<const u8*>(data)), size(data ? size : 0) {}

    bool U8(u8& value);
    bool U32(u32& value);
    bool I32(i32& value);
    // Up to the first NUL, which must lie inside the payload.
    bool String(Core::String& text);
    // A byte count no larger than what is left, then the bytes.
    bool NetworkString(Core::String& text);
    bool Address(PAL::SocketAddress& address);
    // A view of the next count bytes.
    bool Bytes(const u8*& view, u32 count);
    // True when no read failed and every byte was read.
    bool Done() const { return !failed && offset == size; }

    bool Failed() const { return failed; }
    u32 Remaining() const { return failed ? 0 : size - offset; }
    const u8* Current() const { return data + offset; }

private:
    bool Take(u32 count);

    const u8* data;
    u32 size;
    u32 offset = 0;
    bool failed = false;
};

// A player as the session's peers exchange it; the reader of a record always makes a remote player.
struct PlayerRecordData
{
    u32 id = 0;
    u8 host = 0;
    PAL::SocketAddress address;
    Core::String name;
};
void WritePlayerRecord(PayloadWriter& out, const PlayerRecordData& player);
bool ReadPlayerRecord(PayloadReader& in, PlayerRecordData& player);

struct AdvertisementData
{
    PAL::SocketAddress address;
    u32 maximumPlayers = 0;
    u32 players = 0;
    u8 passwordProtected = 0;
    Core::String hostName;
    Core::String networkId;
};
void WriteAdvertisement(PayloadWriter& out, const AdvertisementData& advert);
bool ReadAdvertisement(const void* data, u32 size, AdvertisementData& advert);

struct JoinRequestData
{
    Core::String password;
    PlayerRecordData player;
};
void WriteJoinRequest(PayloadWriter& out, const JoinRequestData& request);
bool ReadJoinRequest(const void* data, u32 size, JoinRequestData& request);

// An empty reply carries code 0, neither an id nor a known refusal.
void WriteJoinReply(PayloadWriter& out, i32 code);
bool ReadJoinReply(const void* data, u32 size, i32& code);

// Types 3 and 4.
bool ReadPlayerRecordMessage(const void* data, u32 size, PlayerRecordData& player);

struct CreateGroupData
{
    u32 ownerId = 0;
    u32 groupId = 0;
    Core::String name;
    Core::Vector<u32> members;
};
void WriteCreateGroup(PayloadWriter& out, const CreateGroupData& group);
bool ReadCreateGroup(const void* data, u32 size, CreateGroupData& group);

// Types 6 (owner, group id) and 8 (owner, object id).
struct IdPairData
{
    u32 ownerId = 0;
    u32 id = 0;
};
void WriteIdPair(PayloadWriter& out, const IdPairData& pair);
bool ReadIdPair(const void* data, u32 size, IdPairData& pair);

// Types 16, 17 and 18: one player id.
void WritePlayerId(PayloadWriter& out, u32 playerId);
bool ReadPlayerId(const void* data, u32 size, u32& playerId);

// Type 7, and each entry of type 13: the object's record follows, left in the reader.
struct ObjectHeaderData
{
    u32 layerIndex = 0;
    Core::String networkName;
};
void WriteObjectHeader(PayloadWriter& out, const ObjectHeaderData& header);
bool ReadObjectHeader(PayloadReader& in, ObjectHeaderData& header);

// Type 13 begins with the count of entries; each needs at least its layer index and name count.
bool ReadObjectListCount(PayloadReader& in, u32& count);

// Type 9: the sync record follows, left in the reader.
struct ObjectSyncData
{
    u32 objectCount = 0;
    u32 ownerId = 0;
    u32 objectId = 0;
};
void WriteObjectSync(PayloadWriter& out, const ObjectSyncData& sync);
bool ReadObjectSync(PayloadReader& in, ObjectSyncData& sync);

struct TextData
{
    u32 senderId = 0;
    u32 groupId = 0;
    Core::String text;
};
void WriteText(PayloadWriter& out, const TextData& text);
bool ReadText(const void* data, u32 size, TextData& text);

// Type 11; the bytes point into the payload read.
struct DataMessage
{
    u32 senderId = 0;
    u32 groupId = 0;
    u32 tag = 0;
    const u8* bytes = nullptr;
    u32 size = 0;
};
void WriteData(PayloadWriter& out, const DataMessage& message);
bool ReadData(const void* data, u32 size, DataMessage& message);

void WriteLevelName(PayloadWriter& out, const Core::String& name);
bool ReadLevelName(const void* data, u32 size, Core::String& name);

// Types 14 and 15: the sender, then a device's recorded state, pointing into the payload read.
struct InputStateData
{
    u32 senderId = 0;
    const u8* block = nullptr;
    u32 size = 0;
};
void WriteInputState(PayloadWriter& out, u32 senderId, const u8* block, u32 size);
// Whole 12-byte entries, each naming a key below 256.
bool ReadKeyboardState(const void* data, u32 size, InputStateData& state);
// Exactly one mouse block.
bool ReadMouseState(const void* data, u32 size, InputStateData& state);
}  // namespace Vellumar
