#include "Network_TestSupport.h"

#include <random>

namespace
{
using Network::EventKind;
namespace Slot = Network::Slot;
using NetworkTest::ConnectedPair;
using NetworkTest::ConnectRaw;
using NetworkTest::Frame;
using NetworkTest::Loopback;
using NetworkTest::Pattern;
using NetworkTest::PumpUntil;

void SendRaw(PAL::SocketHandle socket, const std::vector<u8>& bytes)
{
    ASSERT_EQ(PAL::SendSocketAll(socket, bytes.data(), bytes.size(), 5000), bytes.size());
}

std::vector<u8> Header(u32 type, u32 length)
{
    std::vector<u8> header(8);
    Network::WriteLittleEndian32(header.data(), type);
    Network::WriteLittleEndian32(header.data() + 4, length);
    return header;
}

// The good client still gets its frames through, whatever the hostile peers send meanwhile.
void ExpectServed(ConnectedPair& pair, u32 type)
{
    std::vector<u8> payload = Pattern(3000, type);
    ASSERT_TRUE(pair.client->SendMessage(Slot::ClientConnection, type, payload.data(), 3000, pair.hostAddress,
                                         nullptr));
    auto fromClient = [&] {
        std::vector<NetworkTest::Recorded> found;
        for (const NetworkTest::Recorded& message : pair.hostEvents.Messages(Slot::HostListener))
            if (message.address.SameEndpoint(pair.clientAddress) && message.messageType == type)
                found.push_back(message);
        return found;
    };
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] { return !fromClient().empty(); }));
    EXPECT_EQ(fromClient().size(), 1u);
    EXPECT_EQ(fromClient()[0].payload, payload);
}

std::size_t ClosedFrom(ConnectedPair& pair, PAL::SocketHandle raw)
{
    PAL::SocketAddress local;
    EXPECT_TRUE(PAL::GetSocketLocalAddress(raw, local));
    Vellumar::SessionAddress address;
    address.SetSocketAddress(local);
    std::size_t count = 0;
    for (const NetworkTest::Recorded& event : pair.hostEvents.Snapshot())
        if (event.kind == EventKind::ConnectionClosed && event.address.SameEndpoint(address))
            ++count;
    return count;
}

TEST(NetworkHostile, BadLengthsCloseTheConnection)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    for (u32 length : {0u, 7u, Network::MaxFrameLength + 1, 0xFFFFFFFFu})
    {
        PAL::SocketHandle raw = ConnectRaw(pair.hostAddress);
        ASSERT_NE(raw, PAL::InvalidSocket);
        std::vector<u8> bytes = Frame(1, Pattern(20, 1));
        std::vector<u8> bad = Header(2, length);
        bytes.insert(bytes.end(), bad.begin(), bad.end());
        SendRaw(raw, bytes);
        ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] { return ClosedFrom(pair, raw) == 1; })) << length;
        // The host dropped its end: the raw peer reads the end of the stream.
        char byte;
        PAL::SocketWait wait{raw, true};
        EXPECT_EQ(PAL::WaitSockets(&wait, 1, 5000), 1);
        EXPECT_LE(PAL::ReceiveSocket(raw, &byte, 1), 0);
        PAL::CloseSocket(raw);
        ExpectServed(pair, 50 + length % 7);
    }
}

TEST(NetworkHostile, TruncatedFrameThenCloseDeliversNothingOfIt)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    PAL::SocketHandle raw = ConnectRaw(pair.hostAddress);
    ASSERT_NE(raw, PAL::InvalidSocket);
    std::vector<u8> frame = Frame(77, Pattern(5000, 2));
    frame.resize(3000);
    SendRaw(raw, frame);
    ExpectServed(pair, 3);
    PAL::CloseSocket(raw);
    ASSERT_TRUE(PumpUntil(pair.host, [&] { return pair.hostEvents.Count(EventKind::ConnectionClosed) == 1; }));
    for (const NetworkTest::Recorded& message : pair.hostEvents.Messages())
        EXPECT_NE(message.messageType, 77u);
}

// A peer that announces a large frame and never finishes it holds only its own buffer.
TEST(NetworkHostile, StalledPeerDoesNotStallOthers)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    PAL::SocketHandle raw = ConnectRaw(pair.hostAddress);
    ASSERT_NE(raw, PAL::InvalidSocket);
    std::vector<u8> start = Header(5, Network::MaxFrameLength);
    std::vector<u8> some = Pattern(100000, 5);
    start.insert(start.end(), some.begin(), some.end());
    SendRaw(raw, start);
    for (u32 type = 10; type < 15; ++type)
        ExpectServed(pair, type);
    PAL::CloseSocket(raw);
}

// A peer that stops reading is never left with half a frame, which would make it read the next
// frame from the middle of this one: the send gives up and its connection is closed, while the
// other clients are served on.
TEST(NetworkHostile, PeerThatStopsReadingLosesItsConnection)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    PAL::SocketHandle raw = ConnectRaw(pair.hostAddress);
    ASSERT_NE(raw, PAL::InvalidSocket);
    ASSERT_TRUE(PumpUntil(pair.host, [&] { return pair.hostEvents.Count(EventKind::ConnectionAccepted) == 2; }));
    PAL::SocketAddress local;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(raw, local));
    Vellumar::SessionAddress peer;
    peer.SetSocketAddress(local);

    pair.host->SetSyncTimeout(50);
    const std::vector<u8> payload = Pattern(Network::MaxFrameLength - Network::FrameHeaderSize, 6);
    EXPECT_FALSE(pair.host->SendMessage(Slot::HostListener, 1, payload.data(), static_cast<u32>(payload.size()), peer,
                                        nullptr));
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] { return ClosedFrom(pair, raw) == 1; }));
    EXPECT_FALSE(pair.host->SendMessage(Slot::HostListener, 2, payload.data(), 1, peer, nullptr));
    ExpectServed(pair, 8);
    PAL::CloseSocket(raw);
}

// Random byte streams from several peers at once: the host never crashes, closes what it cannot
// cut, and keeps serving the well-behaved client.
TEST(NetworkHostile, GarbageStreamsNeverCrashOrStall)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    std::mt19937 random(12345);
    for (int round = 0; round < 20; ++round)
    {
        std::vector<PAL::SocketHandle> peers;
        for (int i = 0; i < 4; ++i)
        {
            PAL::SocketHandle raw = ConnectRaw(pair.hostAddress);
            ASSERT_NE(raw, PAL::InvalidSocket);
            std::vector<u8> garbage(random() % 2000);
            for (u8& byte : garbage)
                byte = static_cast<u8>(random());
            // Some streams start with a plausible frame, so the cut goes on into the garbage.
            if (i % 2 == 0)
            {
                std::vector<u8> good = Frame(random() % 100, Pattern(random() % 100, round));
                garbage.insert(garbage.begin(), good.begin(), good.end());
            }
            SendRaw(raw, garbage);
            peers.push_back(raw);
        }
        ExpectServed(pair, 1000 + round);
        for (PAL::SocketHandle raw : peers)
            PAL::CloseSocket(raw);
    }
    ASSERT_TRUE(PumpUntil(pair.host, [&] { return pair.hostEvents.Count(EventKind::ConnectionClosed) == 80; }));
    ExpectServed(pair, 5000);
}

// A datagram counts only when its length field matches the bytes received; an empty one is not
// taken for a close.
TEST(NetworkHostile, DatagramsAreCheckedAgainstTheirLength)
{
    NetworkTest::Recorder events;
    Network::Vel_Session* session = NetworkTest::StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientGame, PAL::SocketType::Datagram, Loopback(), Network::ModeRead,
                                  Network::OptionNonBlocking),
              nullptr);
    Vellumar::SessionAddress target;
    ASSERT_TRUE(session->GetLocalAddress(Slot::ClientGame, target));
    PAL::SocketHandle raw = PAL::OpenSocket(PAL::SocketType::Datagram);
    auto send = [&](const std::vector<u8>& bytes) {
        ASSERT_EQ(PAL::SendSocketTo(raw, bytes.data(), bytes.size(), target.GetSocketAddress()),
                  static_cast<long>(bytes.size()));
    };
    send({});
    send({1, 2, 3});
    std::vector<u8> shortFrame = Frame(1, Pattern(10, 1));
    Network::WriteLittleEndian32(shortFrame.data() + 4, 100);
    send(shortFrame);
    std::vector<u8> longFrame = Frame(2, Pattern(10, 2));
    Network::WriteLittleEndian32(longFrame.data() + 4, 9);
    send(longFrame);
    send(Header(3, 4));
    send(Frame(4, Pattern(33, 4)));
    ASSERT_TRUE(PumpUntil(session, [&] { return events.Messages().size() == 1; }));
    EXPECT_EQ(events.Messages()[0].messageType, 4u);
    EXPECT_EQ(events.Messages()[0].payload, Pattern(33, 4));
    EXPECT_EQ(events.Count(EventKind::SocketClosed), 0u);
    PAL::CloseSocket(raw);
    delete session;
}
}
