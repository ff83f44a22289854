#pragma once
// Inside the socket layer only: the calling thread's last socket error, kept by the layer itself so
// that its own refusals (the loopback guard, time-outs) read like the system's.
#include "sockets/Sockets_Socket.h"

namespace PAL
{
SocketError SystemSocketError(int code);
void SetLastSocketError(SocketError error);
void SetLastSocketErrorFromSystem(int code);
}
