#include "tests/sockets/Sockets_Loopback.h"

#include <cstring>
#include <thread>

namespace
{
using SocketsTest::BoundAddress;
using TestSupport::LoopbackAddress;
using SocketsTest::OwnedSocket;
using SocketsTest::WaitReadable;

TEST(SocketsDatagram, DatagramsKeepTheirBoundariesAndSender)
{
    OwnedSocket receiver(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::BindSocket(receiver.Get(), LoopbackAddress()));
    OwnedSocket sender(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::BindSocket(sender.Get(), LoopbackAddress()));

    const char first[] = "first";
    const char second[] = "the second one";
    PAL::SocketAddress to = BoundAddress(receiver.Get());
    ASSERT_EQ(PAL::SendSocketTo(sender.Get(), first, sizeof(first), to), static_cast<long>(sizeof(first)));
    ASSERT_EQ(PAL::SendSocketTo(sender.Get(), second, sizeof(second), to), static_cast<long>(sizeof(second)));

    ASSERT_TRUE(WaitReadable(receiver.Get()));
    EXPECT_EQ(PAL::GetBytesWaiting(receiver.Get()), static_cast<long>(sizeof(first)));
    char buffer[64];
    PAL::SocketAddress from;
    ASSERT_EQ(PAL::ReceiveSocketFrom(receiver.Get(), buffer, sizeof(buffer), from), static_cast<long>(sizeof(first)));
    EXPECT_STREQ(buffer, first);
    EXPECT_EQ(from.port, BoundAddress(sender.Get()).port);
    ASSERT_TRUE(WaitReadable(receiver.Get()));
    ASSERT_EQ(PAL::ReceiveSocketFrom(receiver.Get(), buffer, sizeof(buffer), from), static_cast<long>(sizeof(second)));
    EXPECT_STREQ(buffer, second);
}

// An empty datagram is a datagram, not a close: it reads as 0 bytes and leaves the socket usable.
TEST(SocketsDatagram, EmptyDatagramReadsAsZeroBytes)
{
    OwnedSocket receiver(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::BindSocket(receiver.Get(), LoopbackAddress()));
    OwnedSocket sender(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_EQ(PAL::SendSocketTo(sender.Get(), "", 0, BoundAddress(receiver.Get())), 0);
    ASSERT_TRUE(WaitReadable(receiver.Get()));
    EXPECT_EQ(PAL::GetBytesWaiting(receiver.Get()), 0);
    char buffer[4];
    PAL::SocketAddress from;
    EXPECT_EQ(PAL::ReceiveSocketFrom(receiver.Get(), buffer, sizeof(buffer), from), 0);
}

// A datagram socket has no connection to end, yet the thread waiting on it wakes all the same.
TEST(SocketsDatagram, ShutdownWakesAWaitingReader)
{
    OwnedSocket receiver(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::BindSocket(receiver.Get(), LoopbackAddress()));
    bool woken = false;
    std::thread reader([&] { woken = WaitReadable(receiver.Get(), 10000); });
    EXPECT_TRUE(PAL::ShutdownSocket(receiver.Get()));
    reader.join();
    EXPECT_TRUE(woken);
}

// The loopback network's broadcast address reaches a receiver bound to any address.
TEST(SocketsDatagram, LoopbackBroadcastReachesAnyAddressReceiver)
{
    OwnedSocket receiver(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::SetSocketOption(receiver.Get(), PAL::SocketOption::ReuseAddress, true));
    ASSERT_TRUE(PAL::BindSocket(receiver.Get(), PAL::SocketAddress{}));
    OwnedSocket sender(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::SetSocketOption(sender.Get(), PAL::SocketOption::Broadcast, true));

    PAL::SocketAddress to;
    to.port = BoundAddress(receiver.Get()).port;
    ASSERT_TRUE(PAL::ParseDottedAddress("127.255.255.255", to.ip));
    const char data[] = "announce";
    ASSERT_EQ(PAL::SendSocketTo(sender.Get(), data, sizeof(data), to), static_cast<long>(sizeof(data)));
    ASSERT_TRUE(WaitReadable(receiver.Get()));
    char buffer[32];
    PAL::SocketAddress from;
    ASSERT_EQ(PAL::ReceiveSocketFrom(receiver.Get(), buffer, sizeof(buffer), from), static_cast<long>(sizeof(data)));
    EXPECT_STREQ(buffer, data);
    EXPECT_TRUE(PAL::IsLoopbackAddress(from));
}

TEST(SocketsDatagram, EmptyWaitTimesOut)
{
    OwnedSocket receiver(PAL::OpenSocket(PAL::SocketType::Datagram));
    ASSERT_TRUE(PAL::BindSocket(receiver.Get(), LoopbackAddress()));
    PAL::SocketWait wait;
    wait.handle = receiver.Get();
    wait.wantRead = true;
    EXPECT_EQ(PAL::WaitSockets(&wait, 1, 0), 0);
    EXPECT_FALSE(wait.readable);
}
}
