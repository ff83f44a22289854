#include <gtest/gtest.h>

#include "framework/Vellumar_VelNet.h"

namespace Vellumar
{
namespace
{
Core::RefPtr<VelPlayer> Player(u32 id, const char* name)
{
    Core::RefPtr<VelPlayer> player = new (__FILE__, __LINE__) VelPlayer(name, false, false, SessionAddress("127.0.0.1", static_cast<u16>(4000 + id)));
    player->SetID(id);
    return player;
}

TEST(VelGroupTest, PlayersStayInIdOrderOncePerId)
{
    Core::RefPtr<VelGroup> group = new (__FILE__, __LINE__) VelGroup("team", nullptr);
    auto three = Player(3, "c");
    auto one = Player(1, "a");
    EXPECT_TRUE(group->AddPlayer(three.Get()));
    EXPECT_TRUE(group->AddPlayer(one.Get()));
    EXPECT_FALSE(group->AddPlayer(Player(3, "other").Get())) << "a second player with id 3";
    EXPECT_FALSE(group->AddPlayer(nullptr));
    ASSERT_EQ(group->GetSize(), 2u);
    EXPECT_EQ(group->Players().front()->GetID(), 1u);
    EXPECT_EQ(group->FindPlayerByName("c"), three.Get());
    EXPECT_EQ(group->FindPlayerByAddress(SessionAddress("127.0.0.1", 4001)), one.Get());
    EXPECT_TRUE(group->ContainsPlayer(Player(1, "same id").Get()));
    EXPECT_TRUE(group->RemovePlayerByName("a"));
    EXPECT_FALSE(group->RemovePlayerByID(1));
}

TEST(VelPlayerTest, RecordReadsBackAsARemotePlayer)
{
    VelPlayer local("Alice", true, true, SessionAddress("127.0.0.2", 5000));
    local.SetID(1);
    PayloadWriter out;
    local.WriteRecord(out);
    PlayerRecordData record;
    ASSERT_TRUE(ReadPlayerRecordMessage(out.GetData(), out.GetSize(), record));
    VelPlayer read;
    read.ReadRecord(record);
    EXPECT_EQ(read.GetID(), 1u);
    EXPECT_TRUE(read.IsHost());
    EXPECT_FALSE(read.IsLocal());
    EXPECT_EQ(read.GetName(), "Alice");
    EXPECT_EQ(read.GetAddress().GetText(), "127.0.0.2");
    EXPECT_EQ(read.GetAddress().GetPort(), 5000);
}

TEST(VelNetTest, FreshFacadeIsNeitherHostNorInASession)
{
    VelNet net;
    EXPECT_FALSE(net.IsSessionActive());
    EXPECT_FALSE(net.IsHostMode());
    EXPECT_FALSE(net.Shutdown());
    EXPECT_FALSE(net.HostGame("a", 2, 1, 0.25f));
    EXPECT_FALSE(net.Send(10, "x", 1, nullptr, true));
    EXPECT_EQ(net.GetAllPlayers()->GetName(), "All_Players");
    EXPECT_EQ(net.FindGroup(net.GetAllPlayers()->GetID(), nullptr), net.GetAllPlayers());
}

TEST(VelNetTest, DiscoveredSessionsAreKeptByEndpointAndAgeOut)
{
    VelNet net;
    VelBroadcast first;
    first.hostName = "one";
    first.address = SessionAddress("127.0.0.1", 7000);
    net.AddOrRefreshSession(first);
    net.AgeDiscoveredSessions(0.25f);
    VelBroadcast newer = first;
    newer.hostName = "renamed";
    newer.players = 3;
    newer.age = 9.0f;
    net.AddOrRefreshSession(newer);
    ASSERT_EQ(net.GetDiscoveredSessions().size(), 1u);
    EXPECT_EQ(net.GetDiscoveredSessions().front().hostName, "renamed");
    EXPECT_EQ(net.GetDiscoveredSessions().front().age, 0.0f);

    VelBroadcast other = first;
    other.address.SetPort(7001);
    net.AddOrRefreshSession(other);
    net.AgeDiscoveredSessions(0.25f);
    EXPECT_EQ(net.GetDiscoveredSessions().size(), 2u);
    net.AgeDiscoveredSessions(0.25f);
    EXPECT_TRUE(net.GetDiscoveredSessions().empty()) << "0.5 s of silence is not below the time-out";
}
}  // namespace
}  // namespace Vellumar

namespace Vellumar
{
namespace
{
TEST(VelNetTest, StateSendsKeepPaceWithTheFramesNotAhead)
{
    VelNet net;
    net.SetLocalAddress(SessionAddress("127.0.0.1", 0));
    net.SetBroadcastDestination(SessionAddress("127.0.0.1", 0));
    ASSERT_TRUE(net.Start(true, nullptr, "pace", "", 0, 0, 60, 0, 0));
    ASSERT_TRUE(net.HostGame("Alice", 4, 1, 0.25f));
    EXPECT_FALSE(net.JoinGame("Bob", net.GetSessionAddress(), "")) << "a host does not join";
    EXPECT_FALSE(net.HostGame("again", 4, 1, 0.25f));
    // Frames of 1/30 s: the remainder is capped at one frame, so one send per frame, 30 a second.
    for (int frame = 0; frame < 31; ++frame)
    {
        net.Update(1.0f / 30.0f);
    }
    EXPECT_EQ(net.GetMeasuredSendsPerSecond(), 30u);
    EXPECT_TRUE(net.Shutdown());
    EXPECT_FALSE(net.IsSessionActive());
}
}  // namespace
}  // namespace Vellumar
