#include "sockets/Sockets_Socket.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

namespace PAL
{
namespace
{
bool EnabledByEnvironment()
{
    const char* value = std::getenv("MORVANE_LOOPBACK_ONLY");
    return value != nullptr && std::strcmp(value, "0") != 0;
}

std::atomic<bool> loopbackOnly{false};
}

void SetLoopbackOnly(bool enabled)
{
    loopbackOnly.store(enabled);
}

// The environment's wish cannot be turned off from inside the program.
bool IsLoopbackOnly()
{
    static const bool forced = EnabledByEnvironment();
    return forced || loopbackOnly.load();
}
}
