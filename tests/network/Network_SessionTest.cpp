#include "Network_TestSupport.h"

#include <atomic>

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

TEST(NetworkSession, ASocketPairSharesOnePortAndATakenPortAskedForOpensNeither)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    const PAL::SocketHandle taken = PAL::OpenSocket(PAL::SocketType::Datagram);
    PAL::SocketAddress takenAddress;
    ASSERT_TRUE(PAL::BindSocket(taken, NetworkTest::Loopback().GetSocketAddress()));
    ASSERT_TRUE(PAL::GetSocketLocalAddress(taken, takenAddress));
    Vellumar::SessionAddress asked;
    asked.SetSocketAddress(takenAddress);
    EXPECT_FALSE(session->OpenSocketPair(Slot::HostListener, Slot::HostGame, asked, Network::ModeRead, 0,
                                         Network::ModeRead, Network::OptionNonBlocking));
    Vellumar::SessionAddress stream;
    Vellumar::SessionAddress datagram;
    EXPECT_FALSE(session->GetLocalAddress(Slot::HostListener, stream));
    EXPECT_EQ(events.Count(EventKind::SocketOpened), 0u);

    ASSERT_TRUE(session->OpenSocketPair(Slot::HostListener, Slot::HostGame, Loopback(), Network::ModeRead, 0,
                                        Network::ModeRead, Network::OptionNonBlocking));
    ASSERT_TRUE(session->GetLocalAddress(Slot::HostListener, stream));
    ASSERT_TRUE(session->GetLocalAddress(Slot::HostGame, datagram));
    EXPECT_NE(stream.GetPort(), 0);
    EXPECT_TRUE(stream.SameEndpoint(datagram));
    EXPECT_EQ(events.Count(EventKind::SocketOpened, Slot::HostListener), 1u);
    EXPECT_EQ(events.Count(EventKind::SocketOpened, Slot::HostGame), 1u);
    EXPECT_FALSE(session->OpenSocketPair(Slot::HostListener, Slot::ClientGame, Loopback(), 0, 0, 0, 0));
    EXPECT_FALSE(session->GetLocalAddress(Slot::ClientGame, datagram)) << "nothing opens beside a slot in use";
    PAL::CloseSocket(taken);
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

// The largest frame goes out in pieces as a slow peer makes room for it, and arrives whole.
TEST(NetworkSession, LargestFrameReachesASlowReaderWhole)
{
    Recorder events;
    Network::Vel_Session* host = StartSession(events);
    ASSERT_TRUE(host->Listen(Loopback(), 4));
    Vellumar::SessionAddress hostAddress;
    ASSERT_TRUE(host->GetLocalAddress(Slot::HostListener, hostAddress));
    PAL::SocketHandle raw = NetworkTest::ConnectRaw(hostAddress);
    ASSERT_NE(raw, PAL::InvalidSocket);
    PAL::SocketAddress rawLocal;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(raw, rawLocal));
    Vellumar::SessionAddress peer;
    peer.SetSocketAddress(rawLocal);
    ASSERT_TRUE(PumpUntil(host, [&] { return events.Count(EventKind::ConnectionAccepted) == 1; }));

    const std::vector<u8> payload = Pattern(Network::MaxFrameLength - Network::FrameHeaderSize, 4);
    std::vector<u8> arrived;
    std::thread reader([&] {
        std::vector<u8> chunk(64 * 1024);
        const f64 deadline = PAL::MonotonicTime() + NetworkTest::WaitLimitMs;
        while (arrived.size() < Network::MaxFrameLength && PAL::MonotonicTime() < deadline)
        {
            PAL::SocketWait wait{raw, true};
            if (PAL::WaitSockets(&wait, 1, 100) != 1)
                continue;
            long got = PAL::ReceiveSocket(raw, chunk.data(), chunk.size());
            if (got <= 0)
                break;
            arrived.insert(arrived.end(), chunk.begin(), chunk.begin() + got);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    u32 sent = 0;
    EXPECT_TRUE(host->SendMessage(Slot::HostListener, 7, payload.data(), static_cast<u32>(payload.size()), peer, &sent));
    reader.join();
    EXPECT_EQ(sent, Network::MaxFrameLength);
    ASSERT_EQ(arrived.size(), Network::MaxFrameLength);
    EXPECT_EQ(Network::GetFrameType(arrived.data()), 7u);
    EXPECT_EQ(Network::GetFrameLength(arrived.data()), Network::MaxFrameLength);
    EXPECT_TRUE(std::equal(payload.begin(), payload.end(), arrived.begin() + Network::FrameHeaderSize));
    PAL::CloseSocket(raw);
    delete host;
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

// A port that is bound but not listening refuses at once: no timing is involved. A queued connect
// reports the failure, and may be asked again; a blocking one returns it.
TEST(NetworkSession, ConnectToAClosedPortFails)
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
    for (std::size_t attempt = 1; attempt <= 2; ++attempt)
    {
        ASSERT_TRUE(session->Connect(Slot::ClientConnection, target));
        ASSERT_TRUE(PumpUntil(session, [&] { return events.Count(EventKind::ConnectFinished) == attempt; }));
    }
    for (const NetworkTest::Recorded& event : events.Snapshot())
    {
        if (event.kind == EventKind::ConnectFinished)
        {
            EXPECT_EQ(event.failed, 1);
            EXPECT_FALSE(event.hadRecord);
            EXPECT_TRUE(event.address.SameEndpoint(target));
        }
    }

    ASSERT_NE(session->OpenSocket(6, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    EXPECT_FALSE(session->Connect(6, target));
    delete session;
    PAL::CloseSocket(closed);
}

TEST(NetworkSession, SecondConnectWhileOneIsPendingIsRefused)
{
    NetworkTest::FullListener full;
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), Network::ModeRead,
                                  Network::OptionNonBlocking),
              nullptr);
    ASSERT_TRUE(session->Connect(Slot::ClientConnection, full.address));
    EXPECT_FALSE(session->Connect(Slot::ClientConnection, full.address));
    delete session;
}

// A blocking connect that the other side never completes gives up after the sync time-out.
TEST(NetworkSession, BlockingConnectGivesUp)
{
    NetworkTest::FullListener full;
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    session->SetSyncTimeout(50);
    ASSERT_NE(session->OpenSocket(Slot::ClientConnection, PAL::SocketType::Stream, Loopback(), 0, 0), nullptr);
    EXPECT_FALSE(session->Connect(Slot::ClientConnection, full.address));
    Vellumar::SessionAddress peer;
    ASSERT_TRUE(session->GetRemoteAddress(Slot::ClientConnection, peer));
    EXPECT_EQ(peer.GetPort(), 0);
    delete session;
}

// The reply and a second frame arrive together: the first is read synchronously, the rest of the
// second waits for the network thread once it takes the socket over.
TEST(NetworkSession, WaitForMessageReadsAReplyThenTheThreadTakesOver)
{
    NetworkTest::JoiningClient join;
    ASSERT_NE(join.record, nullptr);
    const char request[] = "join";
    ASSERT_TRUE(join.client->SendMessage(Slot::ClientConnection, 1, request, sizeof(request), join.hostAddress,
                                         nullptr));
    ASSERT_TRUE(PumpUntil(join.host, [&] { return join.hostEvents.Messages().size() == 1; }));
    std::vector<u8> reply = Pattern(5000, 1);
    ASSERT_TRUE(join.host->SendMessage(Slot::HostListener, 2, reply.data(), 5000, join.clientAddress, nullptr));
    ASSERT_TRUE(join.host->SendMessage(Slot::HostListener, 3, reply.data(), 4000, join.clientAddress, nullptr));

    Network::EventList list;
    ASSERT_TRUE(join.client->WaitForMessage(Slot::ClientConnection, list));
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list.front().messageType, 2u);
    EXPECT_EQ(list.front().payloadLength, 5000u);
    join.client->DeliverEventList(list);
    join.client->ClearEventList(list);
    EXPECT_GE(join.clientEvents.Messages().size(), 1u);

    ASSERT_TRUE(join.client->SetSocketMode(Slot::ClientConnection, Network::ModeRead));
    Network::EventList none;
    EXPECT_FALSE(join.client->WaitForMessage(Slot::ClientConnection, none));
    ASSERT_TRUE(PumpUntil(join.client, [&] { return join.clientEvents.Messages().size() == 2; }));
    EXPECT_EQ(join.clientEvents.Messages()[1].messageType, 3u);
    EXPECT_EQ(join.clientEvents.Messages()[1].payload, std::vector<u8>(reply.begin(), reply.begin() + 4000));
}

TEST(NetworkSession, WaitForMessageGivesUpWhenNothingComes)
{
    NetworkTest::JoiningClient join(20);
    ASSERT_NE(join.record, nullptr);
    Network::EventList list;
    EXPECT_FALSE(join.client->WaitForMessage(Slot::ClientConnection, list));
    EXPECT_TRUE(list.empty());
}

TEST(NetworkSession, WaitForMessageEndsWhenThePeerCloses)
{
    NetworkTest::JoiningClient join;
    ASSERT_NE(join.record, nullptr);
    ASSERT_TRUE(join.host->Shutdown());
    Network::EventList list;
    EXPECT_FALSE(join.client->WaitForMessage(Slot::ClientConnection, list));
}

// Shut-down ends the transfer of a caller still waiting on a socket, and waits for it to let go of
// the record before freeing it.
TEST(NetworkSession, ShutdownEndsAWaitUnderWay)
{
    NetworkTest::JoiningClient join;
    ASSERT_NE(join.record, nullptr);
    bool received = true;
    std::thread waiter([&] {
        Network::EventList list;
        received = join.client->WaitForMessage(Slot::ClientConnection, list);
        join.client->ClearEventList(list);
    });
    ASSERT_TRUE(PumpUntil(nullptr, [&] { return join.record->GetUseCount() > 0; }));
    EXPECT_TRUE(join.client->Shutdown());
    waiter.join();
    EXPECT_FALSE(received);
    EXPECT_EQ(join.clientEvents.Count(EventKind::SocketClosed, Slot::ClientConnection), 1u);
}

// A datagram socket that the network thread does not read: only a datagram whose length field
// matches what arrived becomes a message, with its sender's address.
TEST(NetworkSession, WaitForMessageChecksDatagramsAgainstTheirLength)
{
    Recorder events;
    Network::Vel_Session* session = StartSession(events);
    ASSERT_NE(session->OpenSocket(Slot::ClientGame, PAL::SocketType::Datagram, Loopback(), 0, 0), nullptr);
    Vellumar::SessionAddress target;
    ASSERT_TRUE(session->GetLocalAddress(Slot::ClientGame, target));
    PAL::SocketHandle raw = PAL::OpenSocket(PAL::SocketType::Datagram);
    ASSERT_TRUE(PAL::BindSocket(raw, Loopback().GetSocketAddress()));
    PAL::SocketAddress rawAddress;
    ASSERT_TRUE(PAL::GetSocketLocalAddress(raw, rawAddress));
    std::vector<u8> lying = NetworkTest::Frame(1, Pattern(10, 1));
    Network::WriteLittleEndian32(lying.data() + 4, 100);
    std::vector<u8> good = NetworkTest::Frame(2, Pattern(40, 2));
    for (const std::vector<u8>& bytes : {std::vector<u8>{}, std::vector<u8>{1, 2, 3}, lying, good})
        ASSERT_EQ(PAL::SendSocketTo(raw, bytes.data(), bytes.size(), target.GetSocketAddress()),
                  static_cast<long>(bytes.size()));

    Network::EventList list;
    ASSERT_TRUE(PumpUntil(nullptr, [&] {
        session->WaitForMessage(Slot::ClientGame, list);
        return !list.empty();
    }));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().messageType, 2u);
    EXPECT_EQ(std::vector<u8>(list.front().payload, list.front().payload + list.front().payloadLength),
              Pattern(40, 2));
    EXPECT_EQ(list.front().address.GetPort(), PAL::NetworkToHost16(rawAddress.port));
    session->ClearEventList(list);
    PAL::CloseSocket(raw);
    delete session;
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

    // A datagram socket in queued-send mode hands the frame to the network thread.
    ASSERT_TRUE(client->SetSocketMode(Slot::ClientGame, Network::ModeRead | Network::ModeQueuedSend));
    ASSERT_TRUE(client->SendMessage(Slot::ClientGame, 15, payload.data(), 100, hostAddress, nullptr));
    ASSERT_TRUE(PumpUntil({host, client}, [&] {
        return hostEvents.Messages().size() == 2 && clientEvents.Count(EventKind::SendFinished) == 1;
    }));
    for (const NetworkTest::Recorded& event : clientEvents.Snapshot())
    {
        if (event.kind == EventKind::SendFinished)
        {
            EXPECT_EQ(event.failed, 0);
        }
    }
    EXPECT_EQ(hostEvents.Messages()[1].messageType, 15u);
    EXPECT_EQ(hostEvents.Messages()[1].payload, std::vector<u8>(payload.begin(), payload.begin() + 100));
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

namespace
{
// On the first close of slot 10 it holds the dispatch thread until told to go on, then looks a
// slot up in the socket table.
struct TableUser
{
    static std::atomic<int> stage;
    static std::atomic<bool> found;

    static bool Handle(Network::NetworkEvent& event)
    {
        if (event.kind != EventKind::SocketClosed || event.slot != 10)
            return true;
        stage = 1;
        NetworkTest::PumpUntil(nullptr, [] { return stage.load() == 2; });
        Vellumar::SessionAddress address;
        found = event.session->GetLocalAddress(11, address);
        stage = 3;
        return true;
    }
};
std::atomic<int> TableUser::stage{0};
std::atomic<bool> TableUser::found{false};

// The dispatch thread's handler holds the queue while it runs, and the network thread reports the
// close of slot 12 meanwhile: the report waits for the handler, and the handler still reaches the
// socket table.
TEST(NetworkSession, ADispatchThreadHandlerReachesTheTableWhileTheNetworkThreadReports)
{
    auto* session = new Network::Vel_Session;
    session->SetLocalAddress(Loopback());
    ASSERT_TRUE(session->Init("test", "", false, TableUser::Handle, 0, true, 0, 0, 1));
    for (i32 slot : {10, 11, 12})
        ASSERT_NE(session->OpenSocket(slot, PAL::SocketType::Datagram, Loopback(), 0, 0), nullptr);
    ASSERT_TRUE(session->CloseSocket(10, false));
    ASSERT_TRUE(PumpUntil(nullptr, [] { return TableUser::stage.load() == 1; }));
    ASSERT_TRUE(session->CloseSocket(12, true));
    TableUser::stage = 2;
    EXPECT_TRUE(PumpUntil(nullptr, [] { return TableUser::stage.load() == 3; }));
    EXPECT_TRUE(TableUser::found.load());
    delete session;
}
}
