#include "sockets/Sockets_Socket.h"
#include "sockets/Sockets_SocketError.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace PAL
{
namespace
{
sockaddr_in ToSystem(const SocketAddress& address)
{
    sockaddr_in out;
    std::memcpy(&out, &address, sizeof(out));
    out.sin_family = AF_INET;
    return out;
}

SocketAddress FromSystem(const sockaddr_in& address)
{
    SocketAddress out;
    out.family = AddressFamilyInet;
    out.port = address.sin_port;
    std::memcpy(out.ip, &address.sin_addr, 4);
    return out;
}

// The guard's check of a destination; records the refusal as the last error.
bool MayReach(const SocketAddress& to)
{
    if (!IsLoopbackOnly() || IsLoopbackAddress(to))
        return true;
    SetLastSocketError(SocketError::Refused);
    return false;
}

// The guard's check of a connected socket's peer. A socket without a peer is let through: the
// system refuses the send itself.
bool MayReachPeer(SocketHandle handle)
{
    if (!IsLoopbackOnly())
        return true;
    sockaddr_in peer;
    socklen_t size = sizeof(peer);
    if (getpeername(handle, reinterpret_cast<sockaddr*>(&peer), &size) != 0 || size != sizeof(peer))
        return true;
    return MayReach(FromSystem(peer));
}

long Checked(long result)
{
    if (result < 0)
        SetLastSocketErrorFromSystem(errno);
    return result;
}

bool CheckedZero(int result)
{
    if (result != 0)
    {
        SetLastSocketErrorFromSystem(errno);
        return false;
    }
    return true;
}

bool SetFlag(SocketHandle handle, int level, int name, bool enabled)
{
    int value = enabled ? 1 : 0;
    return CheckedZero(setsockopt(handle, level, name, &value, sizeof(value)));
}

bool SetBlocking(SocketHandle handle, bool blocking)
{
    int flags = fcntl(handle, F_GETFL, 0);
    if (flags < 0)
        return CheckedZero(-1);
    flags = blocking ? (flags & ~O_NONBLOCK) : (flags | O_NONBLOCK);
    return CheckedZero(fcntl(handle, F_SETFL, flags));
}

// Waits for one socket to become writable; false on time-out or failure.
bool WaitWritable(SocketHandle handle, int timeoutMs)
{
    pollfd entry{handle, POLLOUT, 0};
    int result;
    do
        result = poll(&entry, 1, timeoutMs);
    while (result < 0 && errno == EINTR);
    if (result == 0)
        SetLastSocketError(SocketError::TimedOut);
    else if (result < 0)
        SetLastSocketErrorFromSystem(errno);
    return result > 0;
}
}

SocketHandle OpenSocket(SocketType type)
{
    int kind = type == SocketType::Stream ? SOCK_STREAM : type == SocketType::Datagram ? SOCK_DGRAM : -1;
    if (kind < 0)
    {
        SetLastSocketError(SocketError::Other);
        return InvalidSocket;
    }
    return static_cast<SocketHandle>(Checked(socket(AF_INET, kind | SOCK_CLOEXEC, 0)));
}

bool CloseSocket(SocketHandle handle)
{
    if (handle == InvalidSocket)
        return false;
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    return CheckedZero(close(handle)) || errno == EINTR;
}

bool ShutdownSocket(SocketHandle handle)
{
    if (handle == InvalidSocket)
        return false;
    // An unconnected socket answers ENOTCONN, yet its waiting threads are woken all the same.
    return CheckedZero(shutdown(handle, SHUT_RDWR)) || errno == ENOTCONN;
}

bool BindSocket(SocketHandle handle, const SocketAddress& address)
{
    sockaddr_in system = ToSystem(address);
    return CheckedZero(bind(handle, reinterpret_cast<const sockaddr*>(&system), sizeof(system)));
}

bool ListenSocket(SocketHandle handle, int backlog)
{
    return CheckedZero(listen(handle, backlog));
}

bool ConnectSocket(SocketHandle handle, const SocketAddress& address)
{
    if (!MayReach(address))
        return false;
    sockaddr_in system = ToSystem(address);
    return CheckedZero(connect(handle, reinterpret_cast<const sockaddr*>(&system), sizeof(system)));
}

bool ConnectSocketWithin(SocketHandle handle, const SocketAddress& address, int timeoutMs)
{
    if (!MayReach(address) || !SetBlocking(handle, false))
        return false;
    bool connected = ConnectSocket(handle, address);
    if (!connected && GetLastSocketError() == SocketError::WouldBlock && WaitWritable(handle, timeoutMs))
    {
        SocketError pending = TakeSocketError(handle);
        connected = pending == SocketError::None;
        if (!connected)
            SetLastSocketError(pending);
    }
    SocketError reason = GetLastSocketError();
    bool restored = SetBlocking(handle, true);
    if (!connected)
        SetLastSocketError(reason);
    return connected && restored;
}

SocketHandle AcceptSocket(SocketHandle handle, SocketAddress& peer)
{
    sockaddr_in system;
    socklen_t size = sizeof(system);
    int accepted = accept4(handle, reinterpret_cast<sockaddr*>(&system), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (accepted < 0)
    {
        SetLastSocketErrorFromSystem(errno);
        return InvalidSocket;
    }
    peer = FromSystem(system);
    return accepted;
}

bool SetSocketOption(SocketHandle handle, SocketOption option, bool enabled)
{
    switch (option)
    {
    case SocketOption::Broadcast:
        return SetFlag(handle, SOL_SOCKET, SO_BROADCAST, enabled);
    case SocketOption::Debug:
        // Only a privileged process may set it; the option only asks for kernel tracing, so a
        // refusal is not a failure of the socket.
        SetFlag(handle, SOL_SOCKET, SO_DEBUG, enabled);
        return true;
    case SocketOption::DontRoute:
        return SetFlag(handle, SOL_SOCKET, SO_DONTROUTE, enabled);
    case SocketOption::KeepAlive:
        return SetFlag(handle, SOL_SOCKET, SO_KEEPALIVE, enabled);
    case SocketOption::ReuseAddress:
        return SetFlag(handle, SOL_SOCKET, SO_REUSEADDR, enabled);
    case SocketOption::NoDelay:
        return SetFlag(handle, IPPROTO_TCP, TCP_NODELAY, enabled);
    case SocketOption::NonBlocking:
        return SetBlocking(handle, !enabled);
    case SocketOption::DontLinger:
    {
        linger value{enabled ? 0 : 1, 0};
        return CheckedZero(setsockopt(handle, SOL_SOCKET, SO_LINGER, &value, sizeof(value)));
    }
    }
    return false;
}

bool IsListeningSocket(SocketHandle handle)
{
    int value = 0;
    socklen_t size = sizeof(value);
    return getsockopt(handle, SOL_SOCKET, SO_ACCEPTCONN, &value, &size) == 0 && value != 0;
}

bool GetSocketLocalAddress(SocketHandle handle, SocketAddress& address)
{
    sockaddr_in system;
    socklen_t size = sizeof(system);
    if (!CheckedZero(getsockname(handle, reinterpret_cast<sockaddr*>(&system), &size)))
        return false;
    address = FromSystem(system);
    return true;
}

long GetBytesWaiting(SocketHandle handle)
{
    int count = 0;
    if (!CheckedZero(ioctl(handle, FIONREAD, &count)))
        return -1;
    return count;
}

SocketError TakeSocketError(SocketHandle handle)
{
    int value = 0;
    socklen_t size = sizeof(value);
    if (getsockopt(handle, SOL_SOCKET, SO_ERROR, &value, &size) != 0)
        return SystemSocketError(errno);
    return value == 0 ? SocketError::None : SystemSocketError(value);
}

long ReceiveSocket(SocketHandle handle, void* buffer, std::size_t length)
{
    return Checked(recv(handle, buffer, length, 0));
}

long ReceiveSocketFrom(SocketHandle handle, void* buffer, std::size_t length, SocketAddress& sender)
{
    sockaddr_in system{};
    socklen_t size = sizeof(system);
    long result = Checked(recvfrom(handle, buffer, length, 0, reinterpret_cast<sockaddr*>(&system), &size));
    if (result >= 0)
        sender = FromSystem(system);
    return result;
}

long SendSocket(SocketHandle handle, const void* data, std::size_t length)
{
    if (!MayReachPeer(handle))
        return -1;
    return Checked(send(handle, data, length, MSG_NOSIGNAL));
}

long SendSocketTo(SocketHandle handle, const void* data, std::size_t length, const SocketAddress& to)
{
    if (!MayReach(to))
        return -1;
    sockaddr_in system = ToSystem(to);
    return Checked(sendto(handle, data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&system),
                          sizeof(system)));
}

std::size_t SendSocketAll(SocketHandle handle, const void* data, std::size_t length, int timeoutMs)
{
    if (!MayReachPeer(handle))
        return 0;
    const char* bytes = static_cast<const char*>(data);
    std::size_t sent = 0;
    while (sent < length)
    {
        long result = send(handle, bytes + sent, length - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (result > 0)
        {
            sent += static_cast<std::size_t>(result);
            continue;
        }
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        {
            if (!WaitWritable(handle, timeoutMs))
                break;
            continue;
        }
        SetLastSocketErrorFromSystem(result < 0 ? errno : EPIPE);
        break;
    }
    return sent;
}

int WaitSockets(SocketWait* sockets, std::size_t count, int timeoutMs)
{
    std::vector<pollfd> entries(count);
    for (std::size_t i = 0; i < count; ++i)
    {
        short events = 0;
        if (sockets[i].wantRead)
            events |= POLLIN;
        if (sockets[i].wantWrite)
            events |= POLLOUT;
        if (sockets[i].wantError)
            events |= POLLPRI;
        entries[i] = pollfd{sockets[i].handle, events, 0};
    }
    int result = poll(entries.data(), entries.size(), timeoutMs);
    if (result < 0)
    {
        SetLastSocketErrorFromSystem(errno);
        return -1;
    }
    for (std::size_t i = 0; i < count; ++i)
    {
        short got = entries[i].revents;
        bool broken = (got & (POLLERR | POLLHUP | POLLNVAL)) != 0;
        // A closed or failed socket counts as readable, as select reports it, so the reader meets
        // the end of the stream or the error itself.
        sockets[i].readable = sockets[i].wantRead && ((got & POLLIN) != 0 || broken);
        sockets[i].writable = sockets[i].wantWrite && ((got & POLLOUT) != 0 || broken);
        sockets[i].failed = broken;
    }
    return result;
}
}
