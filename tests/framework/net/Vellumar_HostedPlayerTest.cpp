// A host facade and one client of plain sockets in this process, which answers the host's pings as
// each test says: all of them, every second one, or one too late. The host runs on a fake clock that
// moves one frame per update, so a round trip reads in whole frames whatever the machine's speed: a
// ping is in the client's socket when the update that sent it returns, and the client waits for the
// host's network thread to take its reply in before the next update, so a reply always reaches the
// update after its ping, however loaded the machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "core/PAL_Clock.h"
#include "sockets/Sockets_Socket.h"
#include "framework/net/Vellumar_VelNet.h"
#include "network/Network_Frame.h"
#include "network/Network_Session.h"
#include "tests/support/Support_Loopback.h"

namespace Vellumar
{
namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

constexpr f64 FrameMs = 16.0;
constexpr f32 FrameTime = 1.0f / 60.0f;
// Only keep a broken run from going on forever.
constexpr u32 FrameLimit = 4000;
constexpr f64 ReplyWaitSeconds = 30.0;

bool Admit(NetMessage*)
{
    return true;
}

std::vector<u8> Frame(MessageType type, const PayloadWriter& payload)
{
    u8* frame = Network::BuildFrame(static_cast<u32>(type), payload.GetData(), payload.GetSize());
    const u32 length = Network::GetFrameLength(frame);
    std::vector<u8> bytes(frame, frame + length);
    Network::DeleteFrame(frame, length);
    return bytes;
}

bool Readable(PAL::SocketHandle socket, int timeoutMs)
{
    PAL::SocketWait wait;
    wait.handle = socket;
    wait.wantRead = true;
    return PAL::WaitSockets(&wait, 1, timeoutMs) == 1;
}

u32 Word(const u8* bytes)
{
    u32 value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
}

class HostedPlayerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ResetNetworkCounters();
        host.SetLocalAddress(SessionAddress("127.0.0.1", 0));
        host.SetBroadcastDestination(SessionAddress("127.0.0.1", 0));
        ASSERT_TRUE(host.Start(true, Admit, "pings", "", 5, 3, 60, 0, 0));
        ASSERT_TRUE(host.HostGame("Host", 4, 1, 0.25f));
        Join();
    }

    void TearDown() override
    {
        host.Shutdown();
        PAL::CloseSocket(stream);
        PAL::CloseSocket(datagrams);
    }

    // The client connects, asks to join and takes its id from the host's answer; its datagram
    // socket shares the stream's local address, where the host sends its pings. A port the system
    // picks for the stream may be held for datagrams elsewhere: such ports stay bound until one
    // serves both, as a session's socket pair finds its port.
    void Join()
    {
        PAL::SocketAddress local;
        std::vector<PAL::SocketHandle> refused;
        while (datagrams == PAL::InvalidSocket && refused.size() < Network::SocketPairAttempts)
        {
            stream = PAL::OpenSocket(PAL::SocketType::Stream);
            ASSERT_TRUE(PAL::BindSocket(stream, TestSupport::LoopbackAddress()));
            ASSERT_TRUE(PAL::GetSocketLocalAddress(stream, local));
            datagrams = PAL::OpenSocket(PAL::SocketType::Datagram);
            if (!PAL::BindSocket(datagrams, local))
            {
                PAL::CloseSocket(datagrams);
                datagrams = PAL::InvalidSocket;
                refused.push_back(stream);
                stream = PAL::InvalidSocket;
            }
        }
        for (const PAL::SocketHandle port : refused)
        {
            PAL::CloseSocket(port);
        }
        ASSERT_NE(datagrams, PAL::InvalidSocket);
        ASSERT_TRUE(PAL::ConnectSocket(stream, host.GetSessionAddress().GetSocketAddress()));
        PayloadWriter request;
        WriteJoinRequest(request, {"", {0, 0, local, "Pinger"}});
        const std::vector<u8> frame = Frame(MessageType::JoinRequest, request);
        ASSERT_EQ(PAL::SendSocket(stream, frame.data(), frame.size()), static_cast<long>(frame.size()));
        u32 frames = 0;
        while (!Readable(stream, 1) && ++frames < FrameLimit)
        {
            Step();
        }
        u8 reply[12] = {};
        ASSERT_EQ(PAL::ReceiveSocket(stream, reply, sizeof reply), static_cast<long>(sizeof reply));
        ASSERT_EQ(Word(reply), static_cast<u32>(MessageType::JoinReply));
        playerId = Word(reply + 8);
        ASSERT_GE(static_cast<i32>(playerId), 1);
        player = host.FindPlayerByID(playerId);
        ASSERT_NE(player, nullptr);
    }

    void Step()
    {
        clock.Advance(FrameMs);
        host.UpdateNetworkInputs(FrameTime);
        host.Update(FrameTime);
    }

    void Reply()
    {
        PayloadWriter payload;
        WritePlayerId(payload, playerId);
        const std::vector<u8> frame = Frame(MessageType::PingReply, payload);
        const u32 queued = host.GetQueuedNetworkEvents();
        PAL::SendSocketTo(datagrams, frame.data(), frame.size(), host.GetSessionAddress().GetSocketAddress());
        const f64 start = PAL::MonotonicTime();
        while (host.GetQueuedNetworkEvents() <= queued && PAL::MonotonicTime() - start < ReplyWaitSeconds * 1000.0)
        {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    }

    // Pings that reached the client since the last host frame.
    u32 ReceivePings()
    {
        u32 pings = 0;
        u8 datagram[64];
        PAL::SocketAddress sender;
        while (Readable(datagrams, pings == 0 ? 2 : 0))
        {
            const long length = PAL::ReceiveSocketFrom(datagrams, datagram, sizeof datagram, sender);
            if (length >= 8 && Word(datagram) == static_cast<u32>(MessageType::Ping))
            {
                ++pings;
            }
        }
        return pings;
    }

    // Host frames until the client received the given number of pings, or for the given number of
    // frames; answer says, for each ping counted from 0, whether the client replies at once. The
    // readings after each frame are kept. Returns the pings received.
    u32 Frames(u32 pings, u32 frames, const std::function<bool(u32)>& answer)
    {
        u32 received = 0;
        for (u32 frame = 0; received < pings && frame < frames; ++frame)
        {
            Step();
            readings.push_back(player->GetPingTime());
            for (u32 ping = ReceivePings(); ping > 0 && received < pings; --ping, ++received)
            {
                if (answer(received))
                {
                    Reply();
                }
            }
        }
        return received;
    }

    void Run(u32 pings, const std::function<bool(u32)>& answer) { ASSERT_EQ(Frames(pings, FrameLimit, answer), pings); }

    // The replies of the last pings are read by the frame after them.
    void Settle()
    {
        Step();
        readings.push_back(player->GetPingTime());
    }

    PAL::ScopedFakeClock clock{1000.0};
    VelNet host;
    PAL::SocketHandle stream = PAL::InvalidSocket;
    PAL::SocketHandle datagrams = PAL::InvalidSocket;
    u32 playerId = 0;
    VelPlayer* player = nullptr;
    std::vector<f64> readings;
};

TEST_F(HostedPlayerTest, TheRoundTripComesBackAfterLostAndLateRepliesAndNeverReadsBelowAFrame)
{
    const auto all = [](u32) { return true; };
    Run(5, all);
    Settle();
    const f64 roundTrip = player->GetPingTime();
    ASSERT_GT(roundTrip, 0.0) << "the round trip with every ping answered";
    readings.clear();

    // Two seconds in which every second reply is lost, then every ping is answered again.
    EXPECT_GE(Frames(FrameLimit, 125, [](u32 ping) { return ping % 2 == 1; }), 4u);
    Run(3, all);
    Settle();
    EXPECT_LE(player->GetPingTime(), roundTrip * 3.0) << "three answered pings after the losses";
    EXPECT_GE(player->GetPingTime(), roundTrip / 3.0);

    // One reply held back until the host pinged again, then sent with the reply to that ping.
    Run(2, [](u32 ping) { return ping == 1; });
    Reply();
    Run(3, all);
    Settle();
    EXPECT_LE(player->GetPingTime(), roundTrip * 3.0) << "three answered pings after the late reply";
    EXPECT_GE(player->GetPingTime(), roundTrip / 3.0);

    EXPECT_GE(*std::min_element(readings.begin(), readings.end()), FrameMs)
        << "no reply was measured against a ping sent after it";
}

TEST_F(HostedPlayerTest, MessagesOfKnownSizeShareOneBlockThatOnlyGrows)
{
    const u8* block = host.GetSendBuffer();
    const u32 capacity = host.GetSendBufferCapacity();
    ASSERT_NE(block, nullptr) << "the join reply and the player records were written there";
    const auto all = [](u32) { return true; };
    Run(3, all);
    EXPECT_EQ(host.GetSendBuffer(), block) << "pings fit the block the records made";
    EXPECT_EQ(host.GetSendBufferCapacity(), capacity);

    host.EnsureSendBuffer(4);
    EXPECT_EQ(host.GetSendBuffer(), block);
    EXPECT_EQ(host.GetSendBufferCapacity(), capacity);
    host.EnsureSendBuffer(capacity + 100);
    EXPECT_GE(host.GetSendBufferCapacity(), capacity + 100);
    ASSERT_NE(host.GetSendBuffer(), nullptr);
    Run(3, all);
    Settle();
    EXPECT_GT(player->GetPingTime(), 0.0) << "pings still leave from the new block";
}
}  // namespace
}  // namespace Vellumar
