#include <gtest/gtest.h>

#include <sys/resource.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <thread>
#include <vector>

#include "sockets/Sockets_Socket.h"
#include "framework/net/Vellumar_VelNet.h"
#include "network/Network_Frame.h"
#include "tests/support/Support_Loopback.h"

namespace Vellumar
{
namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

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

namespace Vellumar
{
namespace
{
bool Readable(PAL::SocketHandle socket)
{
    PAL::SocketWait wait;
    wait.handle = socket;
    wait.wantRead = true;
    return PAL::WaitSockets(&wait, 1, 10000) == 1;
}

// A host of plain sockets that takes one connection on another thread, reads one message and
// answers it with a join reply of the given code.
class RawHost
{
public:
    explicit RawHost(i32 code) : listener(PAL::OpenSocket(PAL::SocketType::Stream))
    {
        EXPECT_TRUE(PAL::BindSocket(listener, TestSupport::LoopbackAddress()));
        EXPECT_TRUE(PAL::ListenSocket(listener, 1));
        PAL::GetSocketLocalAddress(listener, address);
        thread = std::thread([this, code] { Serve(code); });
    }
    ~RawHost()
    {
        thread.join();
        PAL::CloseSocket(listener);
    }
    RawHost(const RawHost&) = delete;
    RawHost& operator=(const RawHost&) = delete;

    SessionAddress GetAddress() const
    {
        SessionAddress session;
        session.SetSocketAddress(address);
        return session;
    }
    // The type of the message the host read; none until then.
    u32 Received() const { return received; }

private:
    void Serve(i32 code)
    {
        if (!Readable(listener))
        {
            return;
        }
        PAL::SocketAddress peer;
        const PAL::SocketHandle connection = PAL::AcceptSocket(listener, peer);
        u8 header[Network::FrameHeaderSize] = {};
        if (Readable(connection) && PAL::ReceiveSocket(connection, header, sizeof header) == sizeof header)
        {
            u32 type = 0;
            std::memcpy(&type, header, 4);
            received = type;
        }
        PayloadWriter reply;
        WriteJoinReply(reply, code);
        u8* frame = Network::BuildFrame(static_cast<u32>(MessageType::JoinReply), reply.GetData(), reply.GetSize());
        const u32 length = Network::GetFrameLength(frame);
        PAL::SendSocketAll(connection, frame, length, 10000);
        Network::DeleteFrame(frame, length);
        // The peer closes first, once it read the reply.
        u8 rest[256];
        while (Readable(connection) && PAL::ReceiveSocket(connection, rest, sizeof rest) > 0)
        {
        }
        PAL::CloseSocket(connection);
    }

    PAL::SocketHandle listener;
    PAL::SocketAddress address;
    std::thread thread;
    std::atomic<u32> received{0xFFFFFFFFu};
};

void StartLocal(VelNet& net)
{
    net.SetLocalAddress(SessionAddress("127.0.0.1", 0));
    net.SetBroadcastDestination(SessionAddress("127.0.0.1", 0));
}

// Datagram sockets on 127.0.0.2 holding every fourth number of the system's local port range,
// from an odd one (the system hands listeners odd numbers first): a port it picks for a stream
// socket there is held for datagrams one time in two to four. 127.0.0.1 stays free for the
// other programs of the run.
class HeldPortNumbers
{
public:
    HeldPortNumbers()
    {
        u32 low = 32768;
        u32 high = 60999;
        std::ifstream("/proc/sys/net/ipv4/ip_local_port_range") >> low >> high;
        const rlim_t wanted = (high - low) / 4 + 256;
        rlimit files{};
        getrlimit(RLIMIT_NOFILE, &files);
        if (files.rlim_cur < wanted && files.rlim_max >= wanted)
        {
            files.rlim_cur = wanted;
            setrlimit(RLIMIT_NOFILE, &files);
        }
        getrlimit(RLIMIT_NOFILE, &files);
        complete = files.rlim_cur >= wanted;
        for (u32 port = low | 1; complete && port <= high; port += 4)
        {
            const PAL::SocketHandle socket = PAL::OpenSocket(PAL::SocketType::Datagram);
            if (PAL::BindSocket(socket, SessionAddress("127.0.0.2", static_cast<u16>(port)).GetSocketAddress()))
            {
                held.push_back(socket);
                continue;
            }
            PAL::CloseSocket(socket);
        }
    }
    ~HeldPortNumbers()
    {
        for (const PAL::SocketHandle socket : held)
        {
            PAL::CloseSocket(socket);
        }
    }
    HeldPortNumbers(const HeldPortNumbers&) = delete;
    HeldPortNumbers& operator=(const HeldPortNumbers&) = delete;

    // False where this program may not open that many sockets.
    bool Complete() const { return complete; }

private:
    std::vector<PAL::SocketHandle> held;
    bool complete = false;
};

TEST(VelNetSharedPortTest, HostsAndJoinsFindAPortFreeForBothWhereDatagramSocketsHoldMany)
{
    const HeldPortNumbers held;
    if (!held.Complete())
    {
        GTEST_SKIP() << "this program may not open a socket on every fourth local port";
    }
    for (int round = 0; round < 40; ++round)
    {
        VelNet host;
        host.SetLocalAddress(SessionAddress("127.0.0.2", 0));
        host.SetBroadcastDestination(SessionAddress("127.0.0.1", 0));
        ASSERT_TRUE(host.Start(true, nullptr, "ports", "", 5, 3, 60, 0, 0));
        ASSERT_TRUE(host.HostGame("Alice", 4, 1, 0.25f)) << "round " << round;
        EXPECT_TRUE(host.Shutdown());

        VelNet client;
        StartLocal(client);
        ASSERT_TRUE(client.Start(false, nullptr, "", "", 5, 3, 60, 0, 0));
        RawHost raw(7);
        ASSERT_TRUE(client.JoinGame("Bob", raw.GetAddress(), "")) << "round " << round;
        EXPECT_TRUE(client.Shutdown());
    }
}

TEST(VelNetJoinTest, ARefusedJoinLeavesTheSessionAddressAsItWas)
{
    VelNet net;
    StartLocal(net);
    ASSERT_TRUE(net.Start(false, nullptr, "", "", 5, 3, 60, 0, 0));
    const SessionAddress before = net.GetSessionAddress();
    {
        RawHost host(JoinWrongPassword);
        EXPECT_FALSE(net.JoinGame("Bob", host.GetAddress(), "guess"));
        EXPECT_EQ(host.Received(), static_cast<u32>(MessageType::JoinRequest));
    }
    EXPECT_TRUE(net.GetSessionAddress().SameEndpoint(before)) << "the address is stored once joined";
    EXPECT_EQ(net.GetLocalPlayer(), nullptr);
    EXPECT_EQ(net.GetAllPlayers()->GetSize(), 0u);

    RawHost host(7);
    ASSERT_TRUE(net.JoinGame("Bob", host.GetAddress(), ""));
    EXPECT_TRUE(net.GetSessionAddress().SameEndpoint(host.GetAddress()));
    EXPECT_EQ(net.GetLocalPlayer()->GetID(), 7u);
    EXPECT_TRUE(net.Shutdown());
}

TEST(VelNetJoinTest, AHostThatDoesNotHostYetMayAskToJoinAndStillHostsAfterwards)
{
    VelNet net;
    StartLocal(net);
    ASSERT_TRUE(net.Start(true, nullptr, "mine", "", 5, 3, 60, 0, 0));
    {
        RawHost other(3);
        // The host's dispatcher takes no join reply, so the attempt ends unjoined.
        EXPECT_FALSE(net.JoinGame("Bob", other.GetAddress(), ""));
        EXPECT_EQ(other.Received(), static_cast<u32>(MessageType::JoinRequest)) << "the request was sent";
    }
    EXPECT_FALSE(net.IsJoined());
    EXPECT_EQ(net.GetLocalPlayer(), nullptr);
    EXPECT_EQ(net.GetAllPlayers()->GetSize(), 0u);
    ASSERT_TRUE(net.HostGame("Alice", 4, 1, 0.25f));
    EXPECT_TRUE(net.IsSessionActive());
    EXPECT_FALSE(net.JoinGame("Alice", net.GetSessionAddress(), "")) << "a hosting facade does not join";
    EXPECT_EQ(net.GetLocalPlayer()->GetName(), "Alice");
    EXPECT_TRUE(net.Shutdown());
}
}  // namespace
}  // namespace Vellumar
