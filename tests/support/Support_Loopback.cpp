#include "tests/support/Support_Loopback.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace TestSupport
{
namespace
{
class LoopbackOnlyEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { PAL::SetLoopbackOnly(true); }
};
}  // namespace

bool InstallLoopbackOnly()
{
    // Set at once as well, for sockets opened by static initialisers before the environment runs.
    PAL::SetLoopbackOnly(true);
    ::testing::AddGlobalTestEnvironment(new LoopbackOnlyEnvironment);
    return true;
}

HeldUdpPort::HeldUdpPort() : socket(PAL::OpenSocket(PAL::SocketType::Datagram))
{
    // Bound to every address with address reuse, as the session listeners bind: a listener bound
    // later beside it is the one datagrams reach.
    PAL::SocketAddress any;
    PAL::SocketAddress bound;
    if (socket == PAL::InvalidSocket || !PAL::SetSocketOption(socket, PAL::SocketOption::ReuseAddress, true) ||
        !PAL::BindSocket(socket, any) || !PAL::GetSocketLocalAddress(socket, bound))
    {
        PAL::CloseSocket(socket);
        throw std::runtime_error("cannot bind a datagram socket");
    }
    port = PAL::NetworkToHost16(bound.port);
}

HeldUdpPort::~HeldUdpPort()
{
    PAL::CloseSocket(socket);
}

PAL::SocketAddress LoopbackAddress(std::uint16_t port)
{
    PAL::SocketAddress address;
    address.port = PAL::HostToNetwork16(port);
    address.ip[0] = 127;
    address.ip[3] = 1;
    return address;
}
}  // namespace TestSupport
