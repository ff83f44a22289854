#pragma once
// Sockets owned by a test and bounded waits on them; every end point is TestSupport::LoopbackAddress.
#include "sockets/Sockets_Socket.h"
#include "tests/support/Support_Loopback.h"

#include <gtest/gtest.h>

namespace SocketsTest
{
// Closes its socket when the test leaves, whatever the path.
class OwnedSocket
{
public:
    explicit OwnedSocket(PAL::SocketHandle handle = PAL::InvalidSocket) : handle_(handle) {}
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    ~OwnedSocket() { Reset(); }
    PAL::SocketHandle Get() const { return handle_; }
    void Reset(PAL::SocketHandle handle = PAL::InvalidSocket)
    {
        if (handle_ != PAL::InvalidSocket)
            PAL::CloseSocket(handle_);
        handle_ = handle;
    }

private:
    PAL::SocketHandle handle_;
};

inline PAL::SocketAddress BoundAddress(PAL::SocketHandle handle)
{
    PAL::SocketAddress address;
    EXPECT_TRUE(PAL::GetSocketLocalAddress(handle, address));
    return address;
}

// Waits (bounded) until the socket can be read; the bound only keeps a broken test from hanging.
inline bool WaitReadable(PAL::SocketHandle handle, int timeoutMs = 5000)
{
    PAL::SocketWait wait;
    wait.handle = handle;
    wait.wantRead = true;
    return PAL::WaitSockets(&wait, 1, timeoutMs) == 1 && wait.readable;
}
}
