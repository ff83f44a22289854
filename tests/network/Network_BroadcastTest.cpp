#include "Network_TestSupport.h"

#include "network/Network_Broadcast.h"
#include "network/Network_Manager.h"

namespace
{
using Network::EventKind;
namespace Slot = Network::Slot;
using NetworkTest::Loopback;
using NetworkTest::PumpUntil;
using NetworkTest::Recorder;
using NetworkTest::StartSession;

std::string Derive(const char* local, u32 addressClass)
{
    u8 ip[4];
    EXPECT_TRUE(PAL::ParseDottedAddress(local, ip));
    u8 out[4];
    Network::DeriveBroadcastAddress(ip, addressClass, out);
    char text[16];
    PAL::FormatDottedAddress(out, text, sizeof(text));
    return text;
}

// The rule only computes addresses; nothing is sent to them.
TEST(NetworkBroadcast, AddressClassRule)
{
    EXPECT_EQ(Derive("192.168.1.20", 1), "192.168.1.255");
    EXPECT_EQ(Derive("192.168.1.20", 2), "192.168.255.255");
    EXPECT_EQ(Derive("192.168.1.20", 3), "192.255.255.255");
    EXPECT_EQ(Derive("192.168.1.20", 0), "255.255.255.255");
    EXPECT_EQ(Derive("10.1.2.3", 4), "255.255.255.255");
    EXPECT_EQ(Derive("127.0.0.1", 1), "127.0.0.255");
    EXPECT_EQ(Derive("127.0.0.1", 3), "127.255.255.255");
}

// A discovery listener on a system-chosen port of any address; announcements go to its port.
struct Discovery
{
    Recorder hostEvents;
    Recorder listenerEvents;
    Network::Vel_Session* host = nullptr;
    Network::Vel_Session* listener = nullptr;
    u16 port = 0;

    Discovery()
    {
        host = StartSession(hostEvents);
        listener = StartSession(listenerEvents);
        EXPECT_TRUE(listener->OpenDiscoverySocket(0));
        Vellumar::SessionAddress bound;
        EXPECT_TRUE(listener->GetLocalAddress(Slot::DiscoveryListener, bound));
        port = bound.GetPort();
    }
    ~Discovery()
    {
        delete listener;
        delete host;
    }
    std::vector<NetworkTest::Recorded> Announcements() { return listenerEvents.Messages(Slot::DiscoveryListener); }
};

// With the loopback local address, the class rule itself yields loopback destinations.
TEST(NetworkBroadcast, AnnouncementsArriveOnTheLoopbackBroadcastAddress)
{
    for (u32 addressClass : {1u, 3u})
    {
        Discovery discovery;
        const char payload[] = "session";
        ASSERT_TRUE(discovery.host->StartBroadcast(discovery.port, addressClass, 5, 0, payload, sizeof(payload), 0));
        ASSERT_TRUE(PumpUntil(discovery.listener, [&] { return discovery.Announcements().size() >= 2; }));
        NetworkTest::Recorded first = discovery.Announcements()[0];
        EXPECT_EQ(first.messageType, 0u);
        EXPECT_EQ(first.payload, std::vector<u8>(payload, payload + sizeof(payload)));
        EXPECT_EQ(first.address.GetIP()[0], 127);
        Vellumar::SessionAddress destination;
        ASSERT_TRUE(discovery.host->GetRemoteAddress(Slot::AdvertisementSender, destination));
        EXPECT_EQ(destination.GetText(), addressClass == 1 ? "127.0.0.255" : "127.255.255.255");
    }
}

TEST(NetworkBroadcast, InjectedDestinationReplacesTheClassRule)
{
    Recorder listenerEvents;
    Network::Vel_Session* listener = StartSession(listenerEvents);
    ASSERT_TRUE(listener->OpenDiscoverySocket(0));
    Vellumar::SessionAddress bound;
    ASSERT_TRUE(listener->GetLocalAddress(Slot::DiscoveryListener, bound));

    Network::Vel_Network_Manager manager;
    manager.SetLocalAddress(Loopback());
    manager.SetBroadcastDestination(Vellumar::SessionAddress("127.0.0.1", 0));
    Recorder hostEvents;
    Network::Vel_Session* host = manager.CreateSession("host", "", false, nullptr, 0, false, 0, 0, 1);
    ASSERT_NE(host, nullptr);
    const u8 payload[4] = {1, 2, 3, 4};
    ASSERT_TRUE(host->StartBroadcast(bound.GetPort(), 0, 5, 0, payload, 4, 0));
    Vellumar::SessionAddress destination;
    ASSERT_TRUE(host->GetRemoteAddress(Slot::AdvertisementSender, destination));
    EXPECT_EQ(destination.GetText(), "127.0.0.1");
    ASSERT_TRUE(PumpUntil(listener, [&] { return !listenerEvents.Messages().empty(); }));
    delete listener;
}

TEST(NetworkBroadcast, SecondStartIsRefusedAndTheFirstGoesOn)
{
    Discovery discovery;
    const u8 payload[2] = {7, 7};
    ASSERT_TRUE(discovery.host->StartBroadcast(discovery.port, 3, 5, 0, payload, 2, 0));
    EXPECT_FALSE(discovery.host->StartBroadcast(discovery.port, 3, 5, 0, payload, 1, 0));
    ASSERT_TRUE(PumpUntil(discovery.listener, [&] { return discovery.Announcements().size() >= 2; }));
    for (const NetworkTest::Recorded& announcement : discovery.Announcements())
        EXPECT_EQ(announcement.payload.size(), 2u);
}

TEST(NetworkBroadcast, ReplacedPayloadGoesOutFromTheNextPeriod)
{
    Discovery discovery;
    EXPECT_FALSE(discovery.host->UpdateBroadcastPayload("x", 1));
    ASSERT_TRUE(discovery.host->StartBroadcast(discovery.port, 3, 5, 0, "medium", 6, 0));
    ASSERT_TRUE(discovery.host->UpdateBroadcastPayload("short", 5));
    ASSERT_TRUE(PumpUntil(discovery.listener, [&] {
        std::vector<NetworkTest::Recorded> seen = discovery.Announcements();
        return !seen.empty() && seen.back().payload.size() == 5;
    }));
    ASSERT_TRUE(discovery.host->UpdateBroadcastPayload("a much longer payload", 21));
    ASSERT_TRUE(PumpUntil(discovery.listener, [&] {
        std::vector<NetworkTest::Recorded> seen = discovery.Announcements();
        return !seen.empty() && seen.back().payload.size() == 21;
    }));
    NetworkTest::Recorded last = discovery.Announcements().back();
    EXPECT_EQ(last.messageType, 0u);
    EXPECT_EQ(std::string(last.payload.begin(), last.payload.end()), "a much longer payload");
}

// Shut-down joins the broadcast thread before the socket it sends on is closed.
TEST(NetworkBroadcast, ShutdownStopsTheAnnouncements)
{
    Discovery discovery;
    ASSERT_TRUE(discovery.host->StartBroadcast(discovery.port, 3, 1, 0, "x", 1, 0));
    ASSERT_TRUE(PumpUntil(discovery.listener, [&] { return !discovery.Announcements().empty(); }));
    ASSERT_TRUE(discovery.host->Shutdown());
    EXPECT_EQ(discovery.hostEvents.Count(EventKind::SocketClosed, Slot::AdvertisementSender), 1u);
    EXPECT_EQ(discovery.hostEvents.Snapshot().back().kind, EventKind::SessionClosed);
}
}
