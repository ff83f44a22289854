#include "sockets/Sockets_SocketError.h"

#include <cerrno>

namespace PAL
{
namespace
{
thread_local SocketError lastError = SocketError::None;
}

SocketError SystemSocketError(int code)
{
    switch (code)
    {
    case 0:
        return SocketError::None;
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EINPROGRESS:
    case EALREADY:
        return SocketError::WouldBlock;
    case ECONNABORTED:
        return SocketError::ConnectionAborted;
    case ECONNRESET:
    case EPIPE:
        return SocketError::ConnectionReset;
    case ECONNREFUSED:
        return SocketError::ConnectionRefused;
    case ETIMEDOUT:
        return SocketError::TimedOut;
    default:
        return SocketError::Other;
    }
}

void SetLastSocketError(SocketError error)
{
    lastError = error;
}

void SetLastSocketErrorFromSystem(int code)
{
    lastError = SystemSocketError(code);
}

SocketError GetLastSocketError()
{
    return lastError;
}
}
