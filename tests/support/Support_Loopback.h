#pragma once
// Loopback set-up for every test program that opens sockets: the socket layer refuses every
// destination outside 127.0.0.0/8 for the whole program, whatever the environment says, and test
// end points are 127.0.0.1. Install it once per program, at namespace scope of one of its files:
//     const bool loopbackOnly = TestSupport::InstallLoopbackOnly();
#include "sockets/Sockets_Socket.h"

#include <cstdint>

namespace TestSupport
{
bool InstallLoopbackOnly();
// 127.0.0.1 with the port (0: the system picks one).
PAL::SocketAddress LoopbackAddress(std::uint16_t port = 0);

// A datagram socket on a port the system picks, bound for as long as the object lives, so that no
// other socket of the machine is given that port meanwhile: a test hands the port to code that
// only sends to it (session announcements), and listeners that share a port by address reuse bind
// it beside this socket. A port number whose socket was closed could be anyone's by the time it
// is used.
class HeldUdpPort
{
public:
    HeldUdpPort();
    ~HeldUdpPort();
    HeldUdpPort(const HeldUdpPort&) = delete;
    HeldUdpPort& operator=(const HeldUdpPort&) = delete;

    std::uint16_t Port() const { return port; }

private:
    PAL::SocketHandle socket = PAL::InvalidSocket;
    std::uint16_t port = 0;
};
}  // namespace TestSupport
