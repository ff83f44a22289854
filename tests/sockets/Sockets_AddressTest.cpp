#include "sockets/Sockets_Socket.h"

#include <gtest/gtest.h>

namespace
{
TEST(SocketsAddress, DottedTextRoundTrips)
{
    std::uint8_t ip[4];
    ASSERT_TRUE(PAL::ParseDottedAddress("192.168.1.20", ip));
    EXPECT_EQ(ip[0], 192);
    EXPECT_EQ(ip[1], 168);
    EXPECT_EQ(ip[2], 1);
    EXPECT_EQ(ip[3], 20);
    char text[16];
    PAL::FormatDottedAddress(ip, text, sizeof(text));
    EXPECT_STREQ(text, "192.168.1.20");
}

TEST(SocketsAddress, NamesAndBrokenTextAreNotDotted)
{
    std::uint8_t ip[4] = {9, 9, 9, 9};
    EXPECT_FALSE(PAL::ParseDottedAddress("localhost", ip));
    EXPECT_FALSE(PAL::ParseDottedAddress("1.2.3", ip));
    EXPECT_FALSE(PAL::ParseDottedAddress("1.2.3.256", ip));
    EXPECT_FALSE(PAL::ParseDottedAddress("", ip));
    EXPECT_FALSE(PAL::ParseDottedAddress(nullptr, ip));
    EXPECT_EQ(ip[0], 9);
}

TEST(SocketsAddress, LocalhostResolvesToLoopback)
{
    std::uint8_t ip[4] = {};
    ASSERT_TRUE(PAL::ResolveHostAddress("localhost", ip));
    EXPECT_EQ(ip[0], 127);
    EXPECT_FALSE(PAL::ResolveHostAddress("", ip));
}

TEST(SocketsAddress, PortsKeepNetworkOrder)
{
    std::uint16_t port = PAL::HostToNetwork16(40000);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&port);
    EXPECT_EQ(bytes[0], 40000 >> 8);
    EXPECT_EQ(bytes[1], 40000 & 0xFF);
    EXPECT_EQ(PAL::NetworkToHost16(port), 40000);
}

TEST(SocketsAddress, HostNameIsTerminated)
{
    char name[256];
    ASSERT_TRUE(PAL::GetLocalHostName(name, sizeof(name)));
    EXPECT_LT(std::char_traits<char>::length(name), sizeof(name));
    EXPECT_FALSE(PAL::GetLocalHostName(name, 0));
}
}
