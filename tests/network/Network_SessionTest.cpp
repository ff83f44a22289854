#include "Network_TestSupport.h"

namespace
{
using Network::EventKind;
namespace Slot = Network::Slot;
using NetworkTest::ConnectedPair;
using NetworkTest::Loopback;
using NetworkTest::Pattern;
using NetworkTest::PumpUntil;
using NetworkTest::Recorder;
using NetworkTest::StartSession;

TEST(NetworkSession, StartedIsDeliveredBeforeInitReturnsAndClosedComesLast)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session, nullptr);
    ASSERT_EQ(events.Count(EventKind::SessionStarted), 1u);
    EXPECT_EQ(events.Snapshot()[0].slot, -1);
    EXPECT_EQ(session->GetLocalAddressText(), "127.0.0.1");
    EXPECT_TRUE(session->Shutdown());
    EXPECT_FALSE(session->Shutdown());
    EXPECT_EQ(events.Snapshot().back().kind, EventKind::SessionClosed);
    delete session;
}

TEST(NetworkSession, SlotsOpenOnceAndReopenAfterClosing)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_TRUE(session->Listen(Loopback(), 4));
    EXPECT_EQ(events.Count(EventKind::SocketOpened, Slot::HostListener), 1u);
    EXPECT_FALSE(session->Listen(Loopback(), 4));
    EXPECT_EQ(session->OpenSocket(Slot::HostListener, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    ASSERT_TRUE(session->StopListening(true));
    // The close has completed: its report is already queued.
    EXPECT_TRUE(PumpUntil(session, [&] { return events.Count(EventKind::SocketClosed, Slot::HostListener) == 1; }));
    EXPECT_TRUE(session->Listen(Loopback(), 4));
    delete session;
}

TEST(NetworkSession, SystemChosenPortIsReported)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::HostGame, PAL::SocketType::Datagram, Loopback(0), Network::ModeRead,
                                  Network::OptionNonBlocking),
              nullptr);
    Vellumar::SessionAddress bound;
    ASSERT_TRUE(session->GetLocalAddress(Slot::HostGame, bound));
    EXPECT_NE(bound.GetPort(), 0);
    EXPECT_EQ(bound.GetText(), "127.0.0.1");
    EXPECT_FALSE(session->GetLocalAddress(Slot::ClientGame, bound));
    delete session;
}

TEST(NetworkSession, OperationsOnMissingSlotsFail)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    Vellumar::SessionAddress address;
    EXPECT_FALSE(session->CloseSocket(9, false));
    EXPECT_FALSE(session->Connect(9, Loopback(1)));
    EXPECT_FALSE(session->SetSocketMode(9, 1));
    EXPECT_FALSE(session->GetRemoteAddress(9, address));
    EXPECT_FALSE(session->SendMessage(9, 1, nullptr, 0, Loopback(1), nullptr));
    Network::EventList list;
    EXPECT_FALSE(session->WaitForMessage(9, list));
    delete session;
}

TEST(NetworkSession, TwoSessionsConnectAndExchangeFramesOfManySizes)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    const std::vector<std::size_t> sizes = {0, 1, 7, 8, 100, 1400, 4096, 65535, 65536, 300000, 2000000};
    for (std::size_t i = 0; i < sizes.size(); ++i)
    {
        std::vector<u8> payload = Pattern(sizes[i], static_cast<u32>(i));
        u32 sent = 0;
        ASSERT_TRUE(pair.client->SendMessage(Slot::ClientConnection, static_cast<u32>(i), payload.data(),
                                             static_cast<u32>(payload.size()), pair.hostAddress, &sent));
        EXPECT_EQ(sent, payload.size() + 8);
        ASSERT_TRUE(pair.host->SendMessage(Slot::HostListener, 100 + static_cast<u32>(i), payload.data(),
                                           static_cast<u32>(payload.size()), pair.clientAddress, nullptr));
    }
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] {
        return pair.hostEvents.Messages().size() == sizes.size() && pair.clientEvents.Messages().size() == sizes.size();
    }));
    std::vector<NetworkTest::Recorded> atHost = pair.hostEvents.Messages();
    std::vector<NetworkTest::Recorded> atClient = pair.clientEvents.Messages();
    for (std::size_t i = 0; i < sizes.size(); ++i)
    {
        std::vector<u8> payload = Pattern(sizes[i], static_cast<u32>(i));
        EXPECT_EQ(atHost[i].messageType, i);
        EXPECT_EQ(atHost[i].payload, payload) << sizes[i];
        EXPECT_EQ(atHost[i].slot, Slot::HostListener);
        EXPECT_TRUE(atHost[i].address.SameEndpoint(pair.clientAddress));
        EXPECT_EQ(atClient[i].messageType, 100 + i);
        EXPECT_EQ(atClient[i].payload, payload) << sizes[i];
        EXPECT_TRUE(atClient[i].address.SameEndpoint(pair.hostAddress));
    }
}

TEST(NetworkSession, SendsToOtherThanThePeerFail)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    const u8 byte = 1;
    EXPECT_FALSE(pair.client->SendMessage(Slot::ClientConnection, 1, &byte, 1, Loopback(1), nullptr));
    EXPECT_FALSE(pair.host->SendMessage(Slot::HostListener, 1, &byte, 1, Loopback(1), nullptr));
    EXPECT_FALSE(pair.client->SendMessage(Slot::ClientConnection, 1, nullptr, 5, pair.hostAddress, nullptr));
    EXPECT_FALSE(pair.client->SendMessage(Slot::ClientConnection, 1, &byte, Network::MaxFrameLength, pair.hostAddress,
                                          nullptr));
}

TEST(NetworkSession, SendToASlotAskedToCloseFails)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_TRUE(pair.client->CloseSocket(Slot::ClientConnection, false));
    const u8 byte = 1;
    EXPECT_FALSE(pair.client->SendMessage(Slot::ClientConnection, 1, &byte, 1, pair.hostAddress, nullptr));
}

TEST(NetworkSession, ClosingTheClientReportsBothSides)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_TRUE(pair.client->CloseSocket(Slot::ClientConnection, true));
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] {
        return pair.clientEvents.Count(EventKind::SocketClosed, Slot::ClientConnection) == 1 &&
               pair.hostEvents.Count(EventKind::ConnectionClosed, Slot::HostListener) == 1;
    }));
    for (const NetworkTest::Recorded& event : pair.hostEvents.Snapshot())
    {
        if (event.kind == EventKind::ConnectionClosed)
        {
            EXPECT_TRUE(event.address.SameEndpoint(pair.clientAddress));
        }
    }
    // The connection is gone from the host's table.
    const u8 byte = 1;
    EXPECT_FALSE(pair.host->SendMessage(Slot::HostListener, 1, &byte, 1, pair.clientAddress, nullptr));
}

TEST(NetworkSession, HostClosingAConnectionIsPeerLossForTheClient)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_TRUE(pair.host->CloseConnection(Slot::HostListener, pair.clientAddress, true));
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] {
        return pair.clientEvents.Count(EventKind::SocketClosed, Slot::ClientConnection) == 1;
    }));
    EXPECT_EQ(pair.hostEvents.Count(EventKind::ConnectionClosed, Slot::HostListener), 1u);
}

TEST(NetworkSession, HostShutdownIsPeerLossForTheClient)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_TRUE(pair.host->Shutdown());
    ASSERT_TRUE(PumpUntil(pair.client, [&] {
        return pair.clientEvents.Count(EventKind::SocketClosed, Slot::ClientConnection) == 1;
    }));
}

TEST(NetworkSession, ShutdownReportsEverySocketThenTheSession)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_NE(pair.host->OpenSocket(Slot::HostGame, PAL::SocketType::Datagram, Loopback(), Network::ModeRead,
                                    Network::OptionNonBlocking),
              nullptr);
    pair.hostEvents.Clear();
    ASSERT_TRUE(pair.host->Shutdown());
    std::vector<NetworkTest::Recorded> events = pair.hostEvents.Snapshot();
    ASSERT_GE(events.size(), 4u);
    EXPECT_EQ(pair.hostEvents.Count(EventKind::SocketClosed), 2u);
    EXPECT_EQ(pair.hostEvents.Count(EventKind::ConnectionClosed), 1u);
    EXPECT_EQ(events.back().kind, EventKind::SessionClosed);
}

// A port that is bound but not listening refuses at once: no timing is involved.
TEST(NetworkSession, ConnectToAClosedPortFinishesFailed)
{
    PAL::SocketHandle closed = PAL::OpenSocket(PAL::SocketType::Stream);
    ASSERT_TRUE(PAL::BindSocket(closed, Loopback().GetSocketAddress()));
    PAL::SocketAddress bound;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(closed, bound));
    Vellumar::SessionAddress target;
    target.SetSocketAddress(bound);

    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), Network::ModeRead,
                                  Network::OptionNonBlocking),
              nullptr);
    ASSERT_TRUE(session->Connect(Slot::ClientConnection, target));
    ASSERT_TRUE(PumpUntil(session, [&] { return events.Count(EventKind::ConnectFinished) == 1; }));
    std::vector<NetworkTest::Recorded> all = events.Snapshot();
    for (const NetworkTest::Recorded& event : all)
    {
        if (event.kind == EventKind::ConnectFinished)
        {
            EXPECT_EQ(event.failed, 1);
            EXPECT_FALSE(event.hadRecord);
            EXPECT_TRUE(event.address.SameEndpoint(target));
        }
    }
    delete session;
    PAL::CloseSocket(closed);
}

TEST(NetworkSession, BlockingConnectToAClosedPortReturnsFalse)
{
    PAL::SocketHandle closed = PAL::OpenSocket(PAL::SocketType::Stream);
    ASSERT_TRUE(PAL::BindSocket(closed, Loopback().GetSocketAddress()));
    PAL::SocketAddress bound;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(closed, bound));
    Vellumar::SessionAddress target;
    target.SetSocketAddress(bound);

    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    EXPECT_FALSE(session->Connect(Slot::ClientConnection, target));
    delete session;
    PAL::CloseSocket(closed);
}

// A listener whose accept queue is full drops new handshakes, so the session's connect stays
// pending for as long as the test needs, without any timing.
TEST(NetworkSession, SecondConnectWhileOneIsPendingIsRefused)
{
    PAL::SocketHandle listener = PAL::OpenSocket(PAL::SocketType::Stream);
    ASSERT_TRUE(PAL::BindSocket(listener, Loopback().GetSocketAddress()));
    ASSERT_TRUE(PAL::ListenSocket(listener, 0));
    PAL::SocketAddress bound;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(listener, bound));
    Vellumar::SessionAddress target;
    target.SetSocketAddress(bound);
    PAL::SocketHandle filler = NetworkTest::ConnectRaw(target);
    ASSERT_NE(filler, PAL::InvalidSocket);

    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), Network::ModeRead,
                                  Network::OptionNonBlocking),
              nullptr);
    ASSERT_TRUE(session->Connect(Slot::ClientConnection, target));
    EXPECT_FALSE(session->Connect(Slot::ClientConnection, target));
    delete session;
    PAL::CloseSocket(filler);
    PAL::CloseSocket(listener);
}

// The join pattern: a blocking client socket that the network thread does not read, read once
// synchronously, then handed over to the network thread.
TEST(NetworkSession, WaitForMessageReadsAReplyThenTheThreadTakesOver)
{
    Recorder hostEvents;
    Network::Vel_Session* host = StartSession(hostEvents);
    ASSERT_TRUE(host->Listen(Loopback(), 4));
    Vellumar::SessionAddress hostAddress;
    ASSERT_TRUE(host->GetLocalAddress(Slot::HostListener, hostAddress));
    Recorder events;
    Network::Vel_Session* client = StartSession(events);
    ASSERT_NE(client->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    ASSERT_TRUE(client->Connect(Slot::ClientConnection, hostAddress));
    Vellumar::SessionAddress clientAddress;
    ASSERT_TRUE(client->GetLocalAddress(Slot::ClientConnection, clientAddress));

    const char request[] = "join";
    ASSERT_TRUE(client->SendMessage(Slot::ClientConnection, 1, request, sizeof(request), hostAddress, nullptr));
    ASSERT_TRUE(PumpUntil(host, [&] { return hostEvents.Messages().size() == 1; }));
    // The reply and a second frame arrive together; the second is partly held back.
    std::vector<u8> reply = Pattern(5000, 1);
    ASSERT_TRUE(host->SendMessage(Slot::HostListener, 2, reply.data(), 5000, clientAddress, nullptr));
    ASSERT_TRUE(host->SendMessage(Slot::HostListener, 3, reply.data(), 4000, clientAddress, nullptr));

    Network::EventList list;
    ASSERT_TRUE(client->WaitForMessage(Slot::ClientConnection, list));
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().messageType, 2u);
    EXPECT_EQ(list.front().payloadLength, 5000u);
    client->DeliverEventList(list);
    client->ClearEventList(list);
    std::size_t delivered = events.Messages().size();
    EXPECT_GE(delivered, 1u);

    ASSERT_TRUE(client->SetSocketMode(Slot::ClientConnection, Network::ModeRead));
    Network::EventList none;
    EXPECT_FALSE(client->WaitForMessage(Slot::ClientConnection, none));
    ASSERT_TRUE(PumpUntil(client, [&] { return events.Messages().size() == 2; }));
    EXPECT_EQ(events.Messages()[1].messageType, 3u);
    EXPECT_EQ(events.Messages()[1].payload, std::vector<u8>(reply.begin(), reply.begin() + 4000));
    delete client;
    delete host;
}

TEST(NetworkSession, WaitForMessageGivesUpWhenNothingComes)
{
    Recorder hostEvents;
    Network::Vel_Session* host = StartSession(hostEvents);
    ASSERT_TRUE(host->Listen(Loopback(), 4));
    Vellumar::SessionAddress hostAddress;
    ASSERT_TRUE(host->GetLocalAddress(Slot::HostListener, hostAddress));
    Recorder events;
    Network::Vel_Session* client = StartSession(events);
    client->SetSyncTimeout(20);
    ASSERT_NE(client->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    ASSERT_TRUE(client->Connect(Slot::ClientConnection, hostAddress));
    Network::EventList list;
    EXPECT_FALSE(client->WaitForMessage(Slot::ClientConnection, list));
    EXPECT_TRUE(list.empty());
    delete client;
    delete host;
}

TEST(NetworkSession, WaitForMessageEndsWhenThePeerCloses)
{
    Recorder hostEvents;
    Network::Vel_Session* host = StartSession(hostEvents);
    ASSERT_TRUE(host->Listen(Loopback(), 4));
    Vellumar::SessionAddress hostAddress;
    ASSERT_TRUE(host->GetLocalAddress(Slot::HostListener, hostAddress));
    Recorder events;
    Network::Vel_Session* client = StartSession(events);
    ASSERT_NE(client->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    ASSERT_TRUE(client->Connect(Slot::ClientConnection, hostAddress));
    ASSERT_TRUE(host->Shutdown());
    Network::EventList list;
    EXPECT_FALSE(client->WaitForMessage(Slot::ClientConnection, list));
    delete client;
    delete host;
}

TEST(NetworkSession, QueuedSendsReportSendFinished)
{
    ConnectedPair pair;
    ASSERT_NE(pair.client, nullptr);
    ASSERT_TRUE(pair.client->SetSocketMode(Slot::ClientConnection, Network::ModeRead | Network::ModeQueuedSend));
    std::vector<u8> big = Pattern(3000000, 9);
    ASSERT_TRUE(pair.client->SendMessage(Slot::ClientConnection, 1, big.data(), static_cast<u32>(big.size()),
                                         pair.hostAddress, nullptr));
    ASSERT_TRUE(pair.client->SendMessage(Slot::ClientConnection, 2, big.data(), 10, pair.hostAddress, nullptr));
    ASSERT_TRUE(pair.client->SendMessage(Slot::ClientConnection, 3, big.data(), 10, Loopback(1), nullptr));
    ASSERT_TRUE(PumpUntil({pair.host, pair.client}, [&] {
        return pair.clientEvents.Count(EventKind::SendFinished) == 3 && pair.hostEvents.Messages().size() == 2;
    }));
    u32 failures = 0;
    for (const NetworkTest::Recorded& event : pair.clientEvents.Snapshot())
        if (event.kind == EventKind::SendFinished)
            failures += event.failed;
    EXPECT_EQ(failures, 1u);
    std::vector<NetworkTest::Recorded> atHost = pair.hostEvents.Messages();
    EXPECT_EQ(atHost[0].payload, big);
    EXPECT_EQ(atHost[1].messageType, 2u);
}

// A close waits for the record's users: the socket is not closed while a sender holds it.
TEST(NetworkSession, CloseWaitsForTheRecordsUseCount)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    session->SetSyncTimeout(20);
    Network::SocketRecord* record = session->OpenSocket(Slot::HostGame, PAL::SocketType::Datagram, Loopback(),
                                                        Network::ModeRead, Network::OptionNonBlocking);
    ASSERT_NE(record, nullptr);
    record->Acquire();
    EXPECT_FALSE(session->CloseSocket(Slot::HostGame, true));
    EXPECT_NE(record->socket, PAL::InvalidSocket);
    EXPECT_EQ(events.Count(EventKind::SocketClosed), 0u);
    record->Release();
    ASSERT_TRUE(PumpUntil(session, [&] { return events.Count(EventKind::SocketClosed, Slot::HostGame) == 1; }));
    delete session;
}

TEST(NetworkSession, DatagramsBetweenGameSockets)
{
    Recorder hostEvents;
    Recorder clientEvents;
    Network::Vel_Session* host = StartSession(hostEvents);
    Network::Vel_Session* client = StartSession(clientEvents);
    ASSERT_NE(host->OpenSocket(Slot::HostGame, PAL::SocketType::Datagram, Loopback(), Network::ModeRead,
                               Network::OptionNonBlocking),
              nullptr);
    ASSERT_NE(client->OpenSocket(Slot::ClientGame, PAL::SocketType::Datagram, Loopback(), Network::ModeRead,
                                 Network::OptionNonBlocking),
              nullptr);
    Vellumar::SessionAddress hostAddress;
    Vellumar::SessionAddress clientAddress;
    ASSERT_TRUE(host->GetLocalAddress(Slot::HostGame, hostAddress));
    ASSERT_TRUE(client->GetLocalAddress(Slot::ClientGame, clientAddress));
    std::vector<u8> payload = Pattern(1200, 3);
    u32 sent = 0;
    ASSERT_TRUE(client->SendMessage(Slot::ClientGame, 14, payload.data(), 1200, hostAddress, &sent));
    EXPECT_EQ(sent, 1208u);
    ASSERT_TRUE(host->SendMessage(Slot::HostGame, 9, payload.data(), 0, clientAddress, nullptr));
    ASSERT_TRUE(PumpUntil({host, client}, [&] {
        return hostEvents.Messages().size() == 1 && clientEvents.Messages().size() == 1;
    }));
    EXPECT_EQ(hostEvents.Messages()[0].payload, payload);
    EXPECT_TRUE(hostEvents.Messages()[0].address.SameEndpoint(clientAddress));
    EXPECT_EQ(clientEvents.Messages()[0].payload.size(), 0u);
    delete client;
    delete host;
}

TEST(NetworkSession, ThreadedDispatchDeliversOnOtherThreads)
{
    for (u32 maxHandlers : {0u, 3u})
    {
        Recorder events;
        Network::Vel_Session* session = StartSession(events, true, maxHandlers);
        ASSERT_NE(session, nullptr);
        for (i32 slot = 10; slot < 15; ++slot)
            ASSERT_NE(session->OpenSocket(slot, PAL::SocketType::Datagram, Loopback(), 0, 0), nullptr);
        for (i32 slot = 10; slot < 15; ++slot)
            ASSERT_TRUE(session->CloseSocket(slot, false));
        ASSERT_TRUE(PumpUntil(nullptr, [&] { return events.Count(EventKind::SocketClosed) == 5; }));
        for (const NetworkTest::Recorded& event : events.Snapshot())
        {
            if (event.kind == EventKind::SocketClosed)
            {
                EXPECT_NE(event.thread, std::this_thread::get_id());
            }
        }
        delete session;
        EXPECT_EQ(events.Snapshot().back().kind, EventKind::SessionClosed);
    }
}
}

namespace
{
// The wait has no set limit: every readable socket of a pass is served, however many there are.
TEST(NetworkSession, MoreThanSixtyFourSocketsAreAllRead)
{
    NetworkTest::Recorder events;
    Network::Vel_Session* session = NetworkTest::StartSession(events);
    PAL::SocketHandle sender = PAL::OpenSocket(PAL::SocketType::Datagram);
    constexpr i32 count = 100;
    for (i32 slot = 100; slot < 100 + count; ++slot)
    {
        ASSERT_NE(session->OpenSocket(slot, PAL::SocketType::Datagram, NetworkTest::Loopback(), Network::ModeRead,
                                      Network::OptionNonBlocking),
                  nullptr);
        Vellumar::SessionAddress bound;
        ASSERT_TRUE(session->GetLocalAddress(slot, bound));
        std::vector<u8> frame = NetworkTest::Frame(static_cast<u32>(slot), {});
        ASSERT_EQ(PAL::SendSocketTo(sender, frame.data(), frame.size(), bound.GetSocketAddress()), 8);
    }
    ASSERT_TRUE(NetworkTest::PumpUntil(session, [&] { return events.Messages().size() == count; }));
    for (const NetworkTest::Recorded& message : events.Messages())
        EXPECT_EQ(static_cast<i32>(message.messageType), message.slot);
    PAL::CloseSocket(sender);
    delete session;
}
}
