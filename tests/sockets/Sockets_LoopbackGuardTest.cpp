// Every socket test runs with the loopback guard on, so no test can reach another host.
#include "sockets/Sockets_Socket.h"
#include "tests/support/Support_Loopback.h"

#include <gtest/gtest.h>

namespace
{
const bool loopbackOnly = TestSupport::InstallLoopbackOnly();

// An invalid handle proves the order of the checks without any packet being possible: the guard
// must refuse before the system is asked.
TEST(SocketsLoopbackGuard, RefusesOtherDestinationsBeforeTheSystemIsAsked)
{
    ASSERT_TRUE(PAL::IsLoopbackOnly());
    PAL::SocketAddress outside;
    outside.port = PAL::HostToNetwork16(3000);
    const std::uint8_t broadcast[4] = {255, 255, 255, 255};
    std::copy(broadcast, broadcast + 4, outside.ip);
    const char data[8] = {};

    EXPECT_EQ(PAL::SendSocketTo(PAL::InvalidSocket, data, sizeof(data), outside), -1);
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::Refused);

    ASSERT_TRUE(PAL::ParseDottedAddress("192.168.1.255", outside.ip));
    EXPECT_FALSE(PAL::ConnectSocket(PAL::InvalidSocket, outside));
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::Refused);
    EXPECT_FALSE(PAL::ConnectSocketWithin(PAL::InvalidSocket, outside, 10));
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::Refused);
}

TEST(SocketsLoopbackGuard, LetsLoopbackDestinationsThrough)
{
    PAL::SocketAddress inside;
    inside.port = PAL::HostToNetwork16(3000);
    ASSERT_TRUE(PAL::ParseDottedAddress("127.255.255.255", inside.ip));
    const char data[8] = {};
    EXPECT_EQ(PAL::SendSocketTo(PAL::InvalidSocket, data, sizeof(data), inside), -1);
    EXPECT_EQ(PAL::GetLastSocketError(), PAL::SocketError::Other);
}

// No name server is asked while the guard is on: the hosts file answers, or the name is unknown.
TEST(SocketsLoopbackGuard, NamesAreLookedUpInTheHostsFileAlone)
{
    std::uint8_t ip[4] = {};
    ASSERT_TRUE(PAL::ResolveHostAddress("localhost", ip));
    EXPECT_EQ(ip[0], 127);
    EXPECT_FALSE(PAL::ResolveHostAddress("morvane-unknown-host.invalid", ip));
}

TEST(SocketsLoopbackGuard, KnowsTheLoopbackRange)
{
    PAL::SocketAddress address;
    for (const char* text : {"127.0.0.1", "127.0.0.255", "127.255.255.255", "127.1.2.3"})
    {
        ASSERT_TRUE(PAL::ParseDottedAddress(text, address.ip));
        EXPECT_TRUE(PAL::IsLoopbackAddress(address)) << text;
    }
    for (const char* text : {"0.0.0.0", "255.255.255.255", "192.168.1.255", "10.0.0.1", "128.0.0.1", "126.255.255.255"})
    {
        ASSERT_TRUE(PAL::ParseDottedAddress(text, address.ip));
        EXPECT_FALSE(PAL::IsLoopbackAddress(address)) << text;
    }
}
}
