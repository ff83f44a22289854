#include <gtest/gtest.h>

#include <cstring>

#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "netplay/Vellumar_Payload.h"

namespace Vellumar
{
namespace
{
using Bytes = Core::Vector<u8>;

PAL::SocketAddress Loopback(u8 last, u8 portHigh, u8 portLow)
{
    PAL::SocketAddress address;
    address.ip[0] = 127;
    address.ip[3] = last;
    const u8 port[2] = {portHigh, portLow};
    std::memcpy(&address.port, port, 2);
    return address;
}

// Every shorter copy, and the payload with one byte more, must be refused.
template <typename Read>
void ExpectOnlyWholeAccepted(const Bytes& bytes, Read read)
{
    for (u32 size = 0; size < bytes.size(); ++size)
    {
        EXPECT_FALSE(read(bytes.data(), size)) << "truncated to " << size;
    }
    Bytes longer = bytes;
    longer.push_back(7);
    EXPECT_FALSE(read(longer.data(), static_cast<u32>(longer.size()))) << "one byte over";
    EXPECT_TRUE(read(bytes.data(), static_cast<u32>(bytes.size())));
}

TEST(PayloadReaderTest, FailedReadSticksAndNothingPassesTheEnd)
{
    const u8 bytes[] = {1, 0, 0, 0, 'a', 'b'};
    PayloadReader in(bytes, sizeof bytes);
    u32 word = 0;
    Core::String text;
    EXPECT_TRUE(in.U32(word));
    EXPECT_EQ(word, 1u);
    EXPECT_FALSE(in.String(text)) << "no NUL before the end";
    EXPECT_TRUE(in.Failed());
    u8 byte = 0;
    EXPECT_FALSE(in.U8(byte));
    EXPECT_EQ(in.Remaining(), 0u);

    const u8 huge[] = {0xff, 0xff, 0xff, 0xff, 'x'};
    PayloadReader counted(huge, sizeof huge);
    EXPECT_FALSE(counted.NetworkString(text)) << "a count beyond the payload";

    PayloadReader empty(nullptr, 40);
    EXPECT_FALSE(empty.U8(byte)) << "no data is no bytes, whatever the size says";
}

TEST(PayloadTest, PlayerRecordLayout)
{
    PlayerRecordData player{9, 1, Loopback(5, 0x0b, 0xb8), "Alice"};
    PayloadWriter out;
    WritePlayerRecord(out, player);
    const Bytes& bytes = out.GetBytes();
    ASSERT_EQ(bytes.size(), 27u);
    EXPECT_EQ(bytes[0], 9);
    EXPECT_EQ(bytes[4], 1);
    EXPECT_EQ(bytes[5], 2) << "family, little-endian";
    EXPECT_EQ(bytes[7], 0x0b) << "port in network order";
    EXPECT_EQ(bytes[8], 0xb8);
    EXPECT_EQ(bytes[9], 127);
    EXPECT_EQ(bytes[12], 5);
    EXPECT_EQ(bytes[21], 'A');
    EXPECT_EQ(bytes[26], 0);

    ExpectOnlyWholeAccepted(bytes, [](const u8* data, u32 size) {
        PlayerRecordData read;
        return ReadPlayerRecordMessage(data, size, read);
    });
    PlayerRecordData read;
    ASSERT_TRUE(ReadPlayerRecordMessage(bytes.data(), 27, read));
    EXPECT_EQ(read.id, 9u);
    EXPECT_EQ(read.host, 1);
    EXPECT_EQ(std::memcmp(&read.address, &player.address, 16), 0);
    EXPECT_EQ(read.name, "Alice");
}

TEST(PayloadTest, AdvertisementLayoutAndGuards)
{
    AdvertisementData advert{Loopback(1, 0x13, 0x88), 8, 3, 1, "a", ""};
    PayloadWriter out;
    WriteAdvertisement(out, advert);
    const Bytes& bytes = out.GetBytes();
    ASSERT_EQ(bytes.size(), 32u) << "29 header bytes and the two strings with their NULs";
    EXPECT_EQ(bytes[16], 8);
    EXPECT_EQ(bytes[20], 3);
    EXPECT_EQ(bytes[24], 1);
    EXPECT_EQ(bytes[25], 2);
    EXPECT_EQ(bytes[29], 'a');
    EXPECT_EQ(bytes[30], 0);
    EXPECT_EQ(bytes[31], 0);

    ExpectOnlyWholeAccepted(bytes, [](const u8* data, u32 size) {
        AdvertisementData read;
        return ReadAdvertisement(data, size, read);
    });

    AdvertisementData full{Loopback(1, 0, 80), 4, 1, 0, "host", "Morvane"};
    PayloadWriter second;
    WriteAdvertisement(second, full);
    AdvertisementData read;
    ASSERT_TRUE(ReadAdvertisement(second.GetData(), second.GetSize(), read));
    EXPECT_EQ(read.hostName, "host");
    EXPECT_EQ(read.networkId, "Morvane");
    EXPECT_EQ(read.maximumPlayers, 4u);

    // A stated name length reaching past the payload is refused, not read.
    Bytes lying = second.GetBytes();
    lying[25] = static_cast<u8>(lying.size());
    EXPECT_FALSE(ReadAdvertisement(lying.data(), static_cast<u32>(lying.size()), read));
}

TEST(PayloadTest, JoinRequestAndReply)
{
    JoinRequestData request{"", {0, 0, Loopback(2, 0, 99), "Bob"}};
    PayloadWriter out;
    WriteJoinRequest(out, request);
    const Bytes& bytes = out.GetBytes();
    ASSERT_EQ(bytes.size(), 23u + 0 + 3);
    EXPECT_EQ(bytes[0], 0) << "an empty password is one NUL";
    ExpectOnlyWholeAccepted(bytes, [](const u8* data, u32 size) {
        JoinRequestData read;
        return ReadJoinRequest(data, size, read);
    });

    JoinRequestData secret{"pw", {0, 0, Loopback(2, 0, 99), "Bob"}};
    PayloadWriter second;
    WriteJoinRequest(second, secret);
    JoinRequestData read;
    ASSERT_TRUE(ReadJoinRequest(second.GetData(), second.GetSize(), read));
    EXPECT_EQ(read.password, "pw");
    EXPECT_EQ(read.player.name, "Bob");

    PayloadWriter reply;
    WriteJoinReply(reply, JoinWrongPassword);
    ASSERT_EQ(reply.GetSize(), 4u);
    i32 code = 0;
    ASSERT_TRUE(ReadJoinReply(reply.GetData(), 4, code));
    EXPECT_EQ(code, -2);
    code = 5;
    EXPECT_TRUE(ReadJoinReply(nullptr, 0, code));
    EXPECT_EQ(code, 0) << "an empty reply is code 0";
    EXPECT_FALSE(ReadJoinReply(reply.GetData(), 3, code));
    Bytes longer = reply.GetBytes();
    longer.push_back(0);
    EXPECT_FALSE(ReadJoinReply(longer.data(), 5, code));
}

TEST(PayloadTest, GroupsIdsAndPings)
{
    CreateGroupData group{2, 40, "red", {2, 3}};
    PayloadWriter out;
    WriteCreateGroup(out, group);
    ASSERT_EQ(out.GetSize(), 9u + 3 + 8);
    CreateGroupData read;
    ASSERT_TRUE(ReadCreateGroup(out.GetData(), out.GetSize(), read));
    EXPECT_EQ(read.name, "red");
    EXPECT_EQ(read.members, (Core::Vector<u32>{2, 3}));
    EXPECT_FALSE(ReadCreateGroup(out.GetData(), out.GetSize() - 1, read)) << "a member cut short";
    EXPECT_FALSE(ReadCreateGroup(out.GetData(), 10, read)) << "a name without its NUL";

    PayloadWriter pair;
    WriteIdPair(pair, {2, 77});
    ExpectOnlyWholeAccepted(pair.GetBytes(), [](const u8* data, u32 size) {
        IdPairData read;
        return ReadIdPair(data, size, read);
    });

    PayloadWriter ping;
    WritePlayerId(ping, 4);
    ExpectOnlyWholeAccepted(ping.GetBytes(), [](const u8* data, u32 size) {
        u32 id = 0;
        return ReadPlayerId(data, size, id);
    });
}

TEST(PayloadTest, TextDataAndLevelName)
{
    PayloadWriter empty;
    WriteText(empty, {3, 1, ""});
    ASSERT_EQ(empty.GetSize(), 9u) << "sender, group and one NUL";
    PayloadWriter out;
    WriteText(out, {3, 1, "hello"});
    ExpectOnlyWholeAccepted(out.GetBytes(), [](const u8* data, u32 size) {
        TextData read;
        return ReadText(data, size, read);
    });

    const u8 blob[] = {9, 8, 7};
    PayloadWriter data;
    WriteData(data, {3, 1, 55, blob, 3});
    ASSERT_EQ(data.GetSize(), 19u);
    ExpectOnlyWholeAccepted(data.GetBytes(), [](const u8* bytes, u32 size) {
        DataMessage read;
        return ReadData(bytes, size, read);
    });
    DataMessage read;
    ASSERT_TRUE(ReadData(data.GetData(), data.GetSize(), read));
    EXPECT_EQ(read.tag, 55u);
    EXPECT_EQ(read.bytes[2], 7);
    Bytes oversized = data.GetBytes();
    oversized[12] = 0xff;
    EXPECT_FALSE(ReadData(oversized.data(), static_cast<u32>(oversized.size()), read)) << "a stated size past the end";

    PayloadWriter level;
    WriteLevelName(level, "Level2");
    ExpectOnlyWholeAccepted(level.GetBytes(), [](const u8* bytes, u32 size) {
        Core::String name;
        return ReadLevelName(bytes, size, name);
    });
}

TEST(PayloadTest, ObjectHeadersSyncAndList)
{
    PayloadWriter out;
    WriteObjectHeader(out, {2, "Tower"});
    out.U8(0xaa);
    ASSERT_EQ(out.GetSize(), 4u + 4 + 5 + 1) << "the name carries its count and no NUL";
    PayloadReader in(out.GetData(), out.GetSize());
    ObjectHeaderData header;
    ASSERT_TRUE(ReadObjectHeader(in, header));
    EXPECT_EQ(header.layerIndex, 2u);
    EXPECT_EQ(header.networkName, "Tower");
    EXPECT_EQ(in.Remaining(), 1u) << "the record is left to the object";
    PayloadReader cut(out.GetData(), 10);
    EXPECT_FALSE(ReadObjectHeader(cut, header));

    PayloadWriter sync;
    WriteObjectSync(sync, {200, 1, 31});
    ASSERT_EQ(sync.GetSize(), 12u);
    EXPECT_EQ(sync.GetBytes()[4], 1) << "owner at offset 4";
    EXPECT_EQ(sync.GetBytes()[8], 31) << "object id at offset 8";
    PayloadReader syncIn(sync.GetData(), 11);
    ObjectSyncData syncRead;
    EXPECT_FALSE(ReadObjectSync(syncIn, syncRead));

    PayloadWriter list;
    list.U32(3);
    list.Bytes(Bytes(16, 0).data(), 16);
    PayloadReader listIn(list.GetData(), list.GetSize());
    u32 count = 0;
    EXPECT_FALSE(ReadObjectListCount(listIn, count)) << "three entries cannot fit in 16 bytes";
    list.Bytes(Bytes(8, 0).data(), 8);
    PayloadReader fitsIn(list.GetData(), list.GetSize());
    EXPECT_TRUE(ReadObjectListCount(fitsIn, count));
    EXPECT_EQ(count, 3u);
}

TEST(PayloadTest, InputStates)
{
    u8 keys[2 * Input::RecordedKeySize] = {};
    keys[0] = 1;
    keys[8] = 65;
    keys[Input::RecordedKeySize + 8] = 255;
    PayloadWriter out;
    WriteInputState(out, 2, keys, sizeof keys);
    InputStateData state;
    ASSERT_TRUE(ReadKeyboardState(out.GetData(), out.GetSize(), state));
    EXPECT_EQ(state.senderId, 2u);
    EXPECT_EQ(state.size, sizeof keys);
    EXPECT_FALSE(ReadKeyboardState(out.GetData(), out.GetSize() - 1, state)) << "an entry cut short";
    keys[Input::RecordedKeySize + 9] = 1;
    PayloadWriter bad;
    WriteInputState(bad, 2, keys, sizeof keys);
    EXPECT_FALSE(ReadKeyboardState(bad.GetData(), bad.GetSize(), state)) << "key 511 does not exist";

    u8 mouse[Input::MouseStateSize] = {};
    PayloadWriter block;
    WriteInputState(block, 2, mouse, sizeof mouse);
    ExpectOnlyWholeAccepted(block.GetBytes(), [](const u8* data, u32 size) {
        InputStateData read;
        return ReadMouseState(data, size, read);
    });
}
}  // namespace
}  // namespace Vellumar
