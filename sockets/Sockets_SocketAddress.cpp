#include "sockets/Sockets_Socket.h"

#include <arpa/inet.h>
#include <cstring>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <nss.h>
#include <unistd.h>

namespace PAL
{
namespace
{
// Once the guard is on, every later lookup of the process reads the hosts file only.
void KeepLookupsLocal()
{
    static std::once_flag once;
    std::call_once(once, [] { __nss_configure_lookup("hosts", "files"); });
}
}

std::uint16_t HostToNetwork16(std::uint16_t value)
{
    return htons(value);
}

std::uint16_t NetworkToHost16(std::uint16_t value)
{
    return ntohs(value);
}

bool ParseDottedAddress(const char* text, std::uint8_t ip[4])
{
    in_addr parsed;
    if (text == nullptr || inet_pton(AF_INET, text, &parsed) != 1)
        return false;
    std::memcpy(ip, &parsed, 4);
    return true;
}

bool ResolveHostAddress(const char* host, std::uint8_t ip[4])
{
    if (host == nullptr || *host == '\0')
        return false;
    if (IsLoopbackOnly())
        KeepLookupsLocal();
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr)
        return false;
    bool ok = found->ai_addrlen >= sizeof(sockaddr_in);
    if (ok)
        std::memcpy(ip, &reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr, 4);
    freeaddrinfo(found);
    return ok;
}

void FormatDottedAddress(const std::uint8_t ip[4], char* out, std::size_t outSize)
{
    if (out == nullptr || outSize == 0)
        return;
    in_addr address;
    std::memcpy(&address, ip, 4);
    if (inet_ntop(AF_INET, &address, out, static_cast<socklen_t>(outSize)) == nullptr)
        out[0] = '\0';
}

bool GetLocalHostName(char* out, std::size_t outSize)
{
    if (out == nullptr || outSize == 0 || gethostname(out, outSize) != 0)
        return false;
    out[outSize - 1] = '\0';
    return true;
}

bool IsLoopbackAddress(const SocketAddress& address)
{
    return address.family == AddressFamilyInet && address.ip[0] == 127;
}
}
