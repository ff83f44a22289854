#include "tests/support/Support_Loopback.h"

#include <gtest/gtest.h>

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

PAL::SocketAddress LoopbackAddress(std::uint16_t port)
{
    PAL::SocketAddress address;
    address.port = PAL::HostToNetwork16(port);
    address.ip[0] = 127;
    address.ip[3] = 1;
    return address;
}
}  // namespace TestSupport
