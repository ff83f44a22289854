#include "tests/sockets/Sockets_Loopback.h"

#include <thread>
#include <vector>

namespace
{
using SocketsTest::BoundAddress;
using TestSupport::LoopbackAddress;
using SocketsTest::OwnedSocket;
using SocketsTest::WaitReadable;

struct Pair
{
    OwnedSocket listener;
    OwnedSocket client;
    OwnedSocket server;
};

void Connect(Pair& pair)
{
    pair.listener.Reset(PAL::OpenSocket(PAL::SocketType::Stream));
    ASSERT_NE(pair.listener.Get(), PAL::InvalidSocket);
    ASSERT_TRUE(PAL::BindSocket(pair.listener.Get(), LoopbackAddress()));
    ASSERT_TRUE(PAL::ListenSocket(pair.listener.Get(), 4));
    EXPECT_TRUE(PAL::IsListeningSocket(pair.listener.Get()));

    pair.client.Reset(PAL::OpenSocket(PAL::SocketType::Stream));
    ASSERT_TRUE(PAL::ConnectSocketWithin(pair.client.Get(), BoundAddress(pair.listener.Get()), 5000));
    EXPECT_FALSE(PAL::IsListeningSocket(pair.client.Get()));

    ASSERT_TRUE(WaitReadable(pair.listener.Get()));
    PAL::SocketAddress peer;
    pair.server.Reset(PAL::AcceptSocket(pair.listener.Get(), peer));
    ASSERT_NE(pair.server.Get(), PAL::InvalidSocket);
    PAL::SocketAddress clientAddress = BoundAddress(pair.client.Get());
    EXPECT_EQ(peer.port, clientAddress.port);
    EXPECT_TRUE(PAL::IsLoopbackAddress(peer));
}

TEST(SocketsStream, AcceptedSocketsDoNotBlock)
{
    Pair pair;
    Connect(pair);
    char byte;
    EXPECT_EQ(PAL::ReceiveSocket(pair.server.Get(), &byte, 1), -1);
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::WouldBlock);
}

TEST(SocketsStream, LargeSendsArriveWholeAndInOrder)
{
    Pair pair;
    Connect(pair);
    std::vector<unsigned char> data(3 * 1024 * 1024);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<unsigned char>(i * 7 + i / 251);
    ASSERT_TRUE(PAL::SetSocketOption(pair.server.Get(), PAL::SocketOption::NonBlocking, true));

    std::vector<unsigned char> received;
    std::size_t sent = 0;
    // Alternate sends and reads so neither side's buffer fills for good.
    while (received.size() < data.size())
    {
        if (sent < data.size())
        {
            long result = PAL::SendSocket(pair.server.Get(), data.data() + sent, data.size() - sent);
            if (result > 0)
                sent += static_cast<std::size_t>(result);
            else
                ASSERT_EQ(PAL::GetLastSocketError(), PAL::SocketError::WouldBlock);
        }
        ASSERT_TRUE(WaitReadable(pair.client.Get()));
        long waiting = PAL::GetBytesWaiting(pair.client.Get());
        ASSERT_GT(waiting, 0);
        std::vector<unsigned char> chunk(static_cast<std::size_t>(waiting));
        long got = PAL::ReceiveSocket(pair.client.Get(), chunk.data(), chunk.size());
        ASSERT_GT(got, 0);
        received.insert(received.end(), chunk.begin(), chunk.begin() + got);
    }
    EXPECT_EQ(received, data);
}

TEST(SocketsStream, SendAllFinishesAgainstASlowReader)
{
    Pair pair;
    Connect(pair);
    std::vector<char> data(8 * 1024 * 1024, 'x');
    std::vector<char> received;
    std::size_t sent = 0;
    // The reader drains after each bounded push, so every push eventually completes.
    while (sent < data.size())
    {
        std::size_t piece = std::min<std::size_t>(data.size() - sent, 64 * 1024);
        ASSERT_EQ(PAL::SendSocketAll(pair.server.Get(), data.data() + sent, piece, 5000), piece);
        sent += piece;
        while (PAL::GetBytesWaiting(pair.client.Get()) > 0)
        {
            char chunk[65536];
            long got = PAL::ReceiveSocket(pair.client.Get(), chunk, sizeof(chunk));
            ASSERT_GT(got, 0);
            received.insert(received.end(), chunk, chunk + got);
        }
    }
    while (received.size() < data.size())
    {
        ASSERT_TRUE(WaitReadable(pair.client.Get()));
        char chunk[65536];
        long got = PAL::ReceiveSocket(pair.client.Get(), chunk, sizeof(chunk));
        ASSERT_GT(got, 0);
        received.insert(received.end(), chunk, chunk + got);
    }
    EXPECT_EQ(received.size(), data.size());
}

TEST(SocketsStream, SendAllGivesUpWhenThePeerNeverReads)
{
    Pair pair;
    Connect(pair);
    std::vector<char> data(64 * 1024 * 1024, 'y');
    std::size_t sent = PAL::SendSocketAll(pair.server.Get(), data.data(), data.size(), 50);
    EXPECT_LT(sent, data.size());
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::TimedOut);
}

TEST(SocketsStream, PeerCloseReadsAsEndOfStream)
{
    Pair pair;
    Connect(pair);
    pair.client.Reset();
    ASSERT_TRUE(WaitReadable(pair.server.Get()));
    EXPECT_EQ(PAL::GetBytesWaiting(pair.server.Get()), 0);
    char byte;
    EXPECT_EQ(PAL::ReceiveSocket(pair.server.Get(), &byte, 1), 0);
}

// A thread waiting on the socket wakes to the end of the stream; the limit only keeps a broken
// build from hanging.
TEST(SocketsStream, ShutdownWakesAWaitingReader)
{
    Pair pair;
    Connect(pair);
    long got = -2;
    std::thread reader([&] {
        char byte;
        if (WaitReadable(pair.server.Get(), 10000))
            got = PAL::ReceiveSocket(pair.server.Get(), &byte, 1);
    });
    EXPECT_TRUE(PAL::ShutdownSocket(pair.server.Get()));
    reader.join();
    EXPECT_EQ(got, 0);
    EXPECT_EQ(PAL::SendSocket(pair.server.Get(), "x", 1), -1);
    EXPECT_FALSE(PAL::ShutdownSocket(PAL::InvalidSocket));
}

TEST(SocketsStream, SendingToAClosedPeerFailsWithoutASignal)
{
    Pair pair;
    Connect(pair);
    pair.client.Reset();
    ASSERT_TRUE(WaitReadable(pair.server.Get()));
    const char data[1024] = {};
    long result = 0;
    // The first send may still be taken; the peer's reset makes a later one fail.
    for (int i = 0; i < 100 && result >= 0; ++i)
    {
        result = PAL::SendSocket(pair.server.Get(), data, sizeof(data));
        if (result >= 0)
            WaitReadable(pair.server.Get(), 100);
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::ConnectionReset);
}

// A socket that is bound but does not listen refuses connections at once, without any timing.
TEST(SocketsStream, RefusedNonBlockingConnectIsSeenThroughTheSocketError)
{
    OwnedSocket closedPort(PAL::OpenSocket(PAL::SocketType::Stream));
    ASSERT_TRUE(PAL::BindSocket(closedPort.Get(), LoopbackAddress()));
    OwnedSocket client(PAL::OpenSocket(PAL::SocketType::Stream));
    ASSERT_TRUE(PAL::SetSocketOption(client.Get(), PAL::SocketOption::NonBlocking, true));

    if (!PAL::ConnectSocket(client.Get(), BoundAddress(closedPort.Get())))
    {
        PAL::SocketError error = PAL::GetLastSocketError();
        ASSERT_TRUE(error == PAL::SocketError::WouldBlock || error == PAL::SocketError::ConnectionRefused);
        if (error == PAL::SocketError::WouldBlock)
        {
            PAL::SocketWait wait;
            wait.handle = client.Get();
            wait.wantWrite = true;
            wait.wantError = true;
            ASSERT_EQ(PAL::WaitSockets(&wait, 1, 5000), 1);
            EXPECT_TRUE(wait.writable);
            EXPECT_EQ(PAL::TakeSocketError(client.Get()), PAL::SocketError::ConnectionRefused);
        }
    }
    else
        ADD_FAILURE() << "connected to a port nobody listens on";
}

TEST(SocketsStream, RefusedBlockingConnectReturnsAndStaysBlocking)
{
    OwnedSocket closedPort(PAL::OpenSocket(PAL::SocketType::Stream));
    ASSERT_TRUE(PAL::BindSocket(closedPort.Get(), LoopbackAddress()));
    OwnedSocket client(PAL::OpenSocket(PAL::SocketType::Stream));
    EXPECT_FALSE(PAL::ConnectSocketWithin(client.Get(), BoundAddress(closedPort.Get()), 5000));
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::ConnectionRefused);
}

TEST(SocketsStream, OptionsApplyToStreamSockets)
{
    OwnedSocket socket(PAL::OpenSocket(PAL::SocketType::Stream));
    for (PAL::SocketOption option : {PAL::SocketOption::Broadcast, PAL::SocketOption::Debug, PAL::SocketOption::DontRoute,
                                     PAL::SocketOption::KeepAlive, PAL::SocketOption::ReuseAddress,
                                     PAL::SocketOption::NoDelay, PAL::SocketOption::NonBlocking,
                                     PAL::SocketOption::DontLinger})
        EXPECT_TRUE(PAL::SetSocketOption(socket.Get(), option, true)) << static_cast<int>(option);
    EXPECT_FALSE(PAL::SetSocketOption(PAL::InvalidSocket, PAL::SocketOption::KeepAlive, true));
}
}
