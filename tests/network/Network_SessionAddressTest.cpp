#include "Network_TestSupport.h"

namespace
{
TEST(NetworkSessionAddress, DefaultIsAnyAddressPortZero)
{
    Vellumar::SessionAddress address;
    EXPECT_EQ(address.GetSocketAddress().family, PAL::AddressFamilyInet);
    EXPECT_EQ(address.GetPort(), 0);
    EXPECT_EQ(address.GetIP()[0], 0);
    EXPECT_TRUE(address.GetText().empty());
}

TEST(NetworkSessionAddress, DottedTextSetsAddressAndText)
{
    Vellumar::SessionAddress address("192.168.1.20", 3000);
    const u8 expected[4] = {192, 168, 1, 20};
    EXPECT_TRUE(std::equal(expected, expected + 4, address.GetIP()));
    EXPECT_EQ(address.GetPort(), 3000);
    EXPECT_EQ(address.GetText(), "192.168.1.20");
    // The socket address holds the port in network byte order.
    const auto* port = reinterpret_cast<const u8*>(&address.GetSocketAddress().port);
    EXPECT_EQ(port[0], 3000 >> 8);
    EXPECT_EQ(port[1], 3000 & 0xFF);
}

// Every port up to 65535 is a port; only 0 asks the system to choose.
TEST(NetworkSessionAddress, PortsAbove32767AreKept)
{
    for (u16 port : {32767, 32768, 40000, 65535})
        EXPECT_EQ(Vellumar::SessionAddress("127.0.0.1", port).GetPort(), port);
    EXPECT_EQ(Vellumar::SessionAddress("127.0.0.1", 0).GetPort(), 0);
}

TEST(NetworkSessionAddress, NameResolvesToItsFirstAddress)
{
    Vellumar::SessionAddress address("localhost", 1);
    EXPECT_EQ(address.GetIP()[0], 127);
    EXPECT_EQ(address.GetText(), "localhost");
}

TEST(NetworkSessionAddress, UnresolvableHostGivesAnyAddress)
{
    Vellumar::SessionAddress address("127.0.0.1", 5);
    address.Set("", 6);
    EXPECT_EQ(address.GetIP()[0], 0);
    EXPECT_EQ(address.GetPort(), 6);
}

TEST(NetworkSessionAddress, WithoutHostTheTextStays)
{
    Vellumar::SessionAddress address("127.0.0.1", 5);
    address.Set(nullptr, 7);
    EXPECT_EQ(address.GetIP()[0], 0);
    EXPECT_EQ(address.GetText(), "127.0.0.1");
    address.SetText();
    EXPECT_EQ(address.GetText(), "0.0.0.0");
}

TEST(NetworkSessionAddress, SameEndpointIgnoresText)
{
    Vellumar::SessionAddress named("localhost", 9);
    Vellumar::SessionAddress dotted("127.0.0.1", 9);
    EXPECT_TRUE(named.SameEndpoint(dotted));
    EXPECT_FALSE(named.SameEndpoint(Vellumar::SessionAddress("127.0.0.1", 10)));
    EXPECT_FALSE(named.SameEndpoint(Vellumar::SessionAddress("127.0.0.2", 9)));
}
}
