#include "netplay/Vellumar_Payload.h"

#include <cstring>

#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"

namespace Vellumar
{
void PayloadWriter::U32(u32 value)
{
    const u8 little[4] = {static_cast<u8>(value), static_cast<u8>(value >> 8), static_cast<u8>(value >> 16),
                          static_cast<u8>(value >> 24)};
    Bytes(little, 4);
}

void PayloadWriter::String(const Core::String& text)
{
    Bytes(text.data(), static_cast<u32>(text.size()));
    U8(0);
}

void PayloadWriter::NetworkString(const Core::String& text)
{
    U32(static_cast<u32>(text.size()));
    Bytes(text.data(), static_cast<u32>(text.size()));
}

void PayloadWriter::Address(const PAL::SocketAddress& address)
{
    U8(static_cast<u8>(address.family));
    U8(static_cast<u8>(address.family >> 8));
    // The port is held in network order already: its bytes travel as they are.
    Bytes(&address.port, 2);
    Bytes(address.ip, 4);
    Bytes(address.zero, 8);
}

void PayloadWriter::Bytes(const void* data, u32 count)
{
    const u8* from = static_cast<const u8*>(data);
    if (!external)
    {
        bytes.insert(bytes.end(), from, from + count);
        return;
    }
    if (block && count > 0 && count <= capacity && size <= capacity - count)
    {
        std::memcpy(block + size, from, count);
    }
    size += count;
}

bool PayloadReader::Take(u32 count)
{
    if (failed || count > size - offset)
    {
        failed = true;
        return false;
    }
    offset += count;
    return true;
}

bool PayloadReader::U8(u8& value)
{
    const u8* at = Current();
    if (!Take(1))
    {
        return false;
    }
    value = at[0];
    return true;
}

bool PayloadReader::U32(u32& value)
{
    const u8* at = Current();
    if (!Take(4))
    {
        return false;
    }
    value = static_cast<u32>(at[0]) | static_cast<u32>(at[1]) << 8 | static_cast<u32>(at[2]) << 16 |
            static_cast<u32>(at[3]) << 24;
    return true;
}

bool PayloadReader::I32(i32& value)
{
    u32 word = 0;
    if (!U32(word))
    {
        return false;
    }
    value = static_cast<i32>(word);
    return true;
}

bool PayloadReader::String(Core::String& text)
{
    if (failed)
    {
        return false;
    }
    const u8* at = Current();
    const void* end = std::memchr(at, 0, size - offset);
    if (!end)
    {
        failed = true;
        return false;
    }
    const u32 length = static_cast<u32>(static_cast<const u8*>(end) - at);
    text.assign(reinterpret_cast<const char*>(at), length);
    return Take(length + 1);
}

bool PayloadReader::NetworkString(Core::String& text)
{
    u32 length = 0;
    const u8* view = nullptr;
    if (!U32(length) || !Bytes(view, length))
    {
        return false;
    }
    text.assign(reinterpret_cast<const char*>(view), length);
    return true;
}

bool PayloadReader::Address(PAL::SocketAddress& address)
{
    const u8* at = nullptr;
    if (!Bytes(at, 16))
    {
        return false;
    }
    address.family = static_cast<u16>(at[0] | at[1] << 8);
    std::memcpy(&address.port, at + 2, 2);
    std::memcpy(address.ip, at + 4, 4);
    std::memcpy(address.zero, at + 8, 8);
    return true;
}

bool PayloadReader::Bytes(const u8*& view, u32 count)
{
    const u8* at = Current();
    if (!Take(count))
    {
        return false;
    }
    view = at;
    return true;
}

void WritePlayerRecord(PayloadWriter& out, const PlayerRecordData& player)
{
    out.U32(player.id);
    out.U8(player.host);
    out.Address(player.address);
    out.String(player.name);
}

bool ReadPlayerRecord(PayloadReader& in, PlayerRecordData& player)
{
    return in.U32(player.id) && in.U8(player.host) && in.Address(player.address) && in.String(player.name);
}

void WriteAdvertisement(PayloadWriter& out, const AdvertisementData& advert)
{
    out.Address(advert.address);
    out.U32(advert.maximumPlayers);
    out.U32(advert.players);
    out.U8(advert.passwordProtected);
    out.U32(static_cast<u32>(advert.hostName.size() + 1));
    out.String(advert.hostName);
    out.String(advert.networkId);
}

bool ReadAdvertisement(const void* data, u32 size, AdvertisementData& advert)
{
    PayloadReader in(data, size);
    u32 nameBytes = 0;
    const u8* name = nullptr;
    if (!in.Address(advert.address) || !in.U32(advert.maximumPlayers) || !in.U32(advert.players) ||
        !in.U8(advert.passwordProtected) || !in.U32(nameBytes) || !in.Bytes(name, nameBytes))
    {
        return false;
    }
    // The name ends at its NUL or at the stated length, whichever comes first.
    const void* nul = std::memchr(name, 0, nameBytes);
    const u32 length = nul ? static_cast<u32>(static_cast<const u8*>(nul) - name) : nameBytes;
    advert.hostName.assign(reinterpret_cast<const char*>(name), length);
    return in.String(advert.networkId) && in.Done();
}

void WriteJoinRequest(PayloadWriter& out, const JoinRequestData& request)
{
    out.String(request.password);
    WritePlayerRecord(out, request.player);
}

bool ReadJoinRequest(const void* data, u32 size, JoinRequestData& request)
{
    PayloadReader in(data, size);
    return in.String(request.password) && ReadPlayerRecord(in, request.player) && in.Done();
}

void WriteJoinReply(PayloadWriter& out, i32 code)
{
    out.I32(code);
}

bool ReadJoinReply(const void* data, u32 size, i32& code)
{
    code = 0;
    if (size == 0)
    {
        return true;
    }
    PayloadReader in(data, size);
    return in.I32(code) && in.Done();
}

bool ReadPlayerRecordMessage(const void* data, u32 size, PlayerRecordData& player)
{
    PayloadReader in(data, size);
    return ReadPlayerRecord(in, player) && in.Done();
}

void WriteCreateGroup(PayloadWriter& out, const CreateGroupData& group)
{
    out.U32(group.ownerId);
    out.U32(group.groupId);
    out.String(group.name);
    for (u32 member : group.members)
    {
        out.U32(member);
    }
}

bool ReadCreateGroup(const void* data, u32 size, CreateGroupData& group)
{
    PayloadReader in(data, size);
    if (!in.U32(group.ownerId) || !in.U32(group.groupId) || !in.String(group.name) || in.Remaining() % 4 != 0)
    {
        return false;
    }
    group.members.clear();
    for (u32 member = 0; in.Remaining() > 0 && in.U32(member);)
    {
        group.members.push_back(member);
    }
    return in.Done();
}

void WriteIdPair(PayloadWriter& out, const IdPairData& pair)
{
    out.U32(pair.ownerId);
    out.U32(pair.id);
}

bool ReadIdPair(const void* data, u32 size, IdPairData& pair)
{
    PayloadReader in(data, size);
    return in.U32(pair.ownerId) && in.U32(pair.id) && in.Done();
}

void WritePlayerId(PayloadWriter& out, u32 playerId)
{
    out.U32(playerId);
}

bool ReadPlayerId(const void* data, u32 size, u32& playerId)
{
    PayloadReader in(data, size);
    return in.U32(playerId) && in.Done();
}

void WriteObjectHeader(PayloadWriter& out, const ObjectHeaderData& header)
{
    out.U32(header.layerIndex);
    out.NetworkString(header.networkName);
}

bool ReadObjectHeader(PayloadReader& in, ObjectHeaderData& header)
{
    return in.U32(header.layerIndex) && in.NetworkString(header.networkName);
}

bool ReadObjectListCount(PayloadReader& in, u32& count)
{
    return in.U32(count) && count <= in.Remaining() / 8;
}

void WriteObjectSync(PayloadWriter& out, const ObjectSyncData& sync)
{
    out.U32(sync.objectCount);
    out.U32(sync.ownerId);
    out.U32(sync.objectId);
}

bool ReadObjectSync(PayloadReader& in, ObjectSyncData& sync)
{
    return in.U32(sync.objectCount) && in.U32(sync.ownerId) && in.U32(sync.objectId);
}

void WriteText(PayloadWriter& out, const TextData& text)
{
    out.U32(text.senderId);
    out.U32(text.groupId);
    out.String(text.text);
}

bool ReadText(const void* data, u32 size, TextData& text)
{
    PayloadReader in(data, size);
    return in.U32(text.senderId) && in.U32(text.groupId) && in.String(text.text) && in.Done();
}

void WriteData(PayloadWriter& out, const DataMessage& message)
{
    out.U32(message.senderId);
    out.U32(message.groupId);
    out.U32(message.tag);
    out.U32(message.size);
    out.Bytes(message.bytes, message.size);
}

bool ReadData(const void* data, u32 size, DataMessage& message)
{
    PayloadReader in(data, size);
    return in.U32(message.senderId) && in.U32(message.groupId) && in.U32(message.tag) && in.U32(message.size) &&
           in.Bytes(message.bytes, message.size) && in.Done();
}

void WriteLevelName(PayloadWriter& out, const Core::String& name)
{
    out.String(name);
}

bool ReadLevelName(const void* data, u32 size, Core::String& name)
{
    PayloadReader in(data, size);
    return in.String(name) && in.Done();
}

void WriteInputState(PayloadWriter& out, u32 senderId, const u8* block, u32 size)
{
    out.U32(senderId);
    out.Bytes(block, size);
}

bool ReadKeyboardState(const void* data, u32 size, InputStateData& state)
{
    PayloadReader in(data, size);
    if (!in.U32(state.senderId) || in.Remaining() % Input::RecordedKeySize != 0)
    {
        return false;
    }
    state.size = in.Remaining();
    in.Bytes(state.block, state.size);
    for (u32 offset = 0; offset < state.size; offset += Input::RecordedKeySize)
    {
        PayloadReader key(state.block + offset + 8, 4);
        u32 code = 0;
        if (!key.U32(code) || code >= Input::VirtualKeyCount)
        {
            return false;
        }
    }
    return in.Done();
}

bool ReadMouseState(const void* data, u32 size, InputStateData& state)
{
    PayloadReader in(data, size);
    state.size = Input::MouseStateSize;
    return in.U32(state.senderId) && in.Bytes(state.block, state.size) && in.Done();
}
}  // namespace Vellumar
