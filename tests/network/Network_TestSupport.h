#pragma once
// Loopback sessions and an event recorder for the network tests. Every session here has the
// local address 127.0.0.1, so nothing resolves a host name and nothing leaves the machine.
#include "core/PAL_Clock.h"
#include "sockets/Sockets_Socket.h"
#include "network/Network_Frame.h"
#include "network/Network_Session.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace NetworkTest
{
// Upper bound of every wait: only keeps a broken test from hanging, never asserted on.
constexpr f64 WaitLimitMs = 10000.0;

struct Recorded
{
    Network::EventKind kind;
    i32 slot;
    u8 failed;
    u32 messageType;
    std::vector<u8> payload;
    Vellumar::SessionAddress address;
    bool hadRecord;
    std::thread::id thread;
};

// Records every event of the sessions whose user data it is; message frames are freed by the
// dispatcher after the copy.
class Recorder
{
public:
    static bool Handle(Network::NetworkEvent& event);

    std::vector<Recorded> Snapshot();
    std::size_t Count(Network::EventKind kind, i32 slot = -2);
    std::vector<Recorded> Messages(i32 slot = -2);
    void Clear();

private:
    std::mutex mutex;
    std::vector<Recorded> events;
};

Vellumar::SessionAddress Loopback(u16 port = 0);

// A running session with the loopback local address, polled delivery and a 1 ms select time-out
// unless asked otherwise.
Network::Vel_Session* StartSession(Recorder& recorder, bool threaded = false, u32 maxHandlers = 0);

// Polls the session (when given) until the condition holds or the wait limit passes.
bool PumpUntil(Network::Vel_Session* session, const std::function<bool()>& condition);
// Polls several sessions in turn.
bool PumpUntil(std::initializer_list<Network::Vel_Session*> sessions, const std::function<bool()>& condition);

// A host listening on 127.0.0.1 with a system-chosen port, and a client connected to it on slot 3
// (non-blocking, read by the network thread) once both saw the connection.
struct ConnectedPair
{
    Recorder hostEvents;
    Recorder clientEvents;
    Network::Vel_Session* host = nullptr;
    Network::Vel_Session* client = nullptr;
    Vellumar::SessionAddress hostAddress;
    Vellumar::SessionAddress clientAddress;

    ConnectedPair();
    ~ConnectedPair();
};

// The join pattern: a listening host, and a client whose blocking socket of slot 3 is connected to
// it and not read by the network thread.
struct JoiningClient
{
    Recorder hostEvents;
    Recorder clientEvents;
    Network::Vel_Session* host = nullptr;
    Network::Vel_Session* client = nullptr;
    Network::SocketRecord* record = nullptr; // the client's slot 3
    Vellumar::SessionAddress hostAddress;
    Vellumar::SessionAddress clientAddress;

    explicit JoiningClient(u32 clientSyncTimeoutMs = Network::DefaultSyncTimeoutMs);
    ~JoiningClient();
};

// A listening socket outside any session whose accept queue is full: new handshakes to it are
// dropped, so a connect to it stays under way for as long as a test needs.
struct FullListener
{
    PAL::SocketHandle listener = PAL::InvalidSocket;
    PAL::SocketHandle filler = PAL::InvalidSocket;
    Vellumar::SessionAddress address;

    FullListener();
    ~FullListener();
};

// A plain socket connected to the address, outside any session (hostile peers).
PAL::SocketHandle ConnectRaw(const Vellumar::SessionAddress& address);
std::vector<u8> Frame(u32 type, const std::vector<u8>& payload);
std::vector<u8> Pattern(std::size_t size, u32 seed);
} // namespace NetworkTest
