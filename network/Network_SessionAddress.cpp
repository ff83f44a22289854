#include "network/Network_SessionAddress.h"

#include <cstring>

namespace Vellumar
{
void SessionAddress::Set(const char* host, u16 port)
{
    socketAddress = PAL::SocketAddress{};
    socketAddress.port = PAL::HostToNetwork16(port);
    if (host == nullptr)
        return;
    text = host;
    if (!PAL::ParseDottedAddress(host, socketAddress.ip) && !PAL::ResolveHostAddress(host, socketAddress.ip))
        std::memset(socketAddress.ip, 0, sizeof(socketAddress.ip));
}

void SessionAddress::SetText()
{
    char dotted[16];
    PAL::FormatDottedAddress(socketAddress.ip, dotted, sizeof(dotted));
    text = dotted;
}

bool SessionAddress::SameEndpoint(const SessionAddress& other) const
{
    return socketAddress.port == other.socketAddress.port &&
           std::memcmp(socketAddress.ip, other.socketAddress.ip, sizeof(socketAddress.ip)) == 0;
}

void SessionAddress::SetSocketAddress(const PAL::SocketAddress& address)
{
    socketAddress = address;
    SetText();
}

u16 SessionAddress::GetPort() const
{
    return PAL::NetworkToHost16(socketAddress.port);
}

void SessionAddress::SetPort(u16 port)
{
    socketAddress.port = PAL::HostToNetwork16(port);
}

void SessionAddress::SetIP(const u8 ip[4])
{
    std::memcpy(socketAddress.ip, ip, sizeof(socketAddress.ip));
}
} // namespace Vellumar
