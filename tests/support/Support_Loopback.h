#pragma once
// Loopback set-up for every test program that opens sockets: the socket layer refuses every
// destination outside 127.0.0.0/8 for the whole program, whatever the environment says, and test
// end points are 127.0.0.1. Install it once per program, at namespace scope of one of its files:
//     const bool loopbackOnly = TestSupport::InstallLoopbackOnly();
#include "core/PAL_Socket.h"

#include <cstdint>

namespace TestSupport
{
bool InstallLoopbackOnly();
// 127.0.0.1 with the port (0: the system picks one).
PAL::SocketAddress LoopbackAddress(std::uint16_t port = 0);
}  // namespace TestSupport
