#pragma once
// The socket layer: the only code that talks to the operating system's sockets. Everything above it
// sees plain handles, 16-byte IPv4 socket addresses and a small error vocabulary, so no caller
// needs the system headers.
//
// The loopback guard: while it is on, connecting or sending to any address outside 127.0.0.0/8 is
// refused here, whatever the caller asks. Test programs and benchmarks turn it on; it is also on
// from the start when the environment variable MORVANE_LOOPBACK_ONLY is set to anything but "0".
#include <cstddef>
#include <cstdint>

namespace PAL
{
using SocketHandle = int;
constexpr SocketHandle InvalidSocket = -1;

// Laid out exactly as the system's IPv4 socket address: family, port and address in network byte
// order, eight zero bytes. Stored and sent as these 16 bytes.
struct SocketAddress
{
    std::uint16_t family = 2;
    std::uint16_t port = 0;
    std::uint8_t ip[4] = {0, 0, 0, 0};
    std::uint8_t zero[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};
static_assert(sizeof(SocketAddress) == 16);

constexpr std::uint16_t AddressFamilyInet = 2;

enum class SocketType : std::int32_t
{
    None = -1,
    Stream = 1,
    Datagram = 2,
};

enum class SocketOption
{
    Broadcast,
    Debug,
    DontRoute,
    KeepAlive,
    ReuseAddress,
    NoDelay,
    NonBlocking,
    DontLinger,
};

// What the callers distinguish of the system's error codes.
enum class SocketError
{
    None,
    WouldBlock,
    ConnectionAborted,
    ConnectionReset,
    ConnectionRefused,
    TimedOut,
    Refused,  // the loopback guard refused the destination
    Other,
};

// One socket of a wait: the caller sets the wishes, the wait fills the results.
struct SocketWait
{
    SocketHandle handle = InvalidSocket;
    bool wantRead = false;
    bool wantWrite = false;
    bool wantError = false;
    bool readable = false;
    bool writable = false;
    bool failed = false;  // error or hang-up reported on the socket
};

SocketHandle OpenSocket(SocketType type);
bool CloseSocket(SocketHandle handle);
// Ends every transfer on the socket at once, waking the threads blocked on it; the handle stays
// allocated until CloseSocket, so its number cannot pass to another socket meanwhile.
bool ShutdownSocket(SocketHandle handle);
bool BindSocket(SocketHandle handle, const SocketAddress& address);
bool ListenSocket(SocketHandle handle, int backlog);
// A non-blocking socket answers WouldBlock while the connection is under way.
bool ConnectSocket(SocketHandle handle, const SocketAddress& address);
// Connects a blocking socket, giving up after timeoutMs; the socket stays blocking.
bool ConnectSocketWithin(SocketHandle handle, const SocketAddress& address, int timeoutMs);
// The accepted socket is made non-blocking; InvalidSocket when nothing could be accepted.
SocketHandle AcceptSocket(SocketHandle handle, SocketAddress& peer);
bool SetSocketOption(SocketHandle handle, SocketOption option, bool enabled);
bool IsListeningSocket(SocketHandle handle);
bool GetSocketLocalAddress(SocketHandle handle, SocketAddress& address);
// Bytes waiting to be read; -1 on failure.
long GetBytesWaiting(SocketHandle handle);
// The pending error of the socket (after a non-blocking connect): None when it connected.
SocketError TakeSocketError(SocketHandle handle);

// Each result is the system's: bytes moved, 0 for an orderly close (reads), -1 on failure with the
// reason in GetLastSocketError. Sends never raise SIGPIPE.
long ReceiveSocket(SocketHandle handle, void* buffer, std::size_t length);
long ReceiveSocketFrom(SocketHandle handle, void* buffer, std::size_t length, SocketAddress& sender);
long SendSocket(SocketHandle handle, const void* data, std::size_t length);
long SendSocketTo(SocketHandle handle, const void* data, std::size_t length, const SocketAddress& to);
// Sends every byte, waiting while the socket is full, for at most timeoutMs without progress; a
// blocking socket is never blocked on.
// Returns the bytes sent: the length on success, less on failure.
std::size_t SendSocketAll(SocketHandle handle, const void* data, std::size_t length, int timeoutMs);

SocketError GetLastSocketError();

// Waits up to timeoutMs (0 polls, negative waits without limit) for any wish; returns the number of
// sockets with a result, 0 on time-out, -1 on failure.
int WaitSockets(SocketWait* sockets, std::size_t count, int timeoutMs);

// Addresses.
std::uint16_t HostToNetwork16(std::uint16_t value);
std::uint16_t NetworkToHost16(std::uint16_t value);
// A dotted IPv4 text; false when the text is not one.
bool ParseDottedAddress(const char* text, std::uint8_t ip[4]);
// The first IPv4 address the name resolves to; false when it resolves to none. Under the loopback
// guard names are looked up in the hosts file alone: asking a name server would send a packet
// outside 127.0.0.0/8.
bool ResolveHostAddress(const char* host, std::uint8_t ip[4]);
// Dotted text of an address into out (at least 16 bytes).
void FormatDottedAddress(const std::uint8_t ip[4], char* out, std::size_t outSize);
bool GetLocalHostName(char* out, std::size_t outSize);
bool IsLoopbackAddress(const SocketAddress& address);

// The loopback guard.
void SetLoopbackOnly(bool enabled);
bool IsLoopbackOnly();
}
