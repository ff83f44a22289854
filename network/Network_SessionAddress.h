#pragma once
// An IPv4 end point as the engine and its peers exchange it: the 16-byte socket address (stored and
// sent as those bytes) and its dotted text.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "sockets/Sockets_Socket.h"

namespace Vellumar
{
class SessionAddress
{
public:
    // Family 2, port 0, address 0.0.0.0, empty text.
    SessionAddress() = default;
    SessionAddress(const char* host, u16 port) { Set(host, port); }

    // Clears the socket address and sets the port (every value 1..65535 is a port, 0 lets the
    // system choose). With a host: the text becomes the host, and the address its dotted value or,
    // for a name, its first resolved IPv4 address (0.0.0.0 when it resolves to none). Without a
    // host the address stays 0.0.0.0 and the text unchanged.
    void Set(const char* host, u16 port);
    // The text becomes the dotted form of the address.
    void SetText();
    // Same port and IPv4 address; family and text do not count.
    bool SameEndpoint(const SessionAddress& other) const;

    const PAL::SocketAddress& GetSocketAddress() const { return socketAddress; }
    // Takes a socket address as it came from the system or the wire, and derives the text.
    void SetSocketAddress(const PAL::SocketAddress& address);
    u16 GetPort() const;
    void SetPort(u16 port);
    const u8* GetIP() const { return socketAddress.ip; }
    void SetIP(const u8 ip[4]);
    const Core::String& GetText() const { return text; }

private:
    PAL::SocketAddress socketAddress;
    Core::String text;
};
} // namespace Vellumar
