#include "network/Network_StreamAssembler.h"

#include "network/Network_Frame.h"

#include <cstring>

namespace Network
{
StreamStatus StreamAssembler::Read(PAL::SocketHandle socket, FrameList& frames)
{
    long waiting = PAL::GetBytesWaiting(socket);
    if (waiting == 0)
        return StreamStatus::PeerClosed;
    if (waiting < 0)
        return StreamStatus::Open;
    std::size_t needed = static_cast<std::size_t>(held) + static_cast<std::size_t>(waiting);
    if (buffer.size() < needed)
        buffer.resize(needed);
    long got = PAL::ReceiveSocket(socket, buffer.data() + held, static_cast<std::size_t>(waiting));
    if (got == 0)
        return StreamStatus::PeerClosed;
    if (got < 0)
    {
        PAL::SocketError error = PAL::GetLastSocketError();
        bool lost = error == PAL::SocketError::ConnectionAborted || error == PAL::SocketError::ConnectionReset;
        return lost ? StreamStatus::PeerClosed : StreamStatus::Open;
    }
    held += static_cast<u32>(got);
    return Cut(frames);
}

StreamStatus StreamAssembler::Accept(const u8* data, u32 count, FrameList& frames)
{
    std::size_t needed = static_cast<std::size_t>(held) + count;
    if (buffer.size() < needed)
        buffer.resize(needed);
    if (count > 0)
        std::memcpy(buffer.data() + held, data, count);
    held += count;
    return Cut(frames);
}

void StreamAssembler::Clear()
{
    held = 0;
    buffer = Core::Vector<u8>();
}

StreamStatus StreamAssembler::Cut(FrameList& frames)
{
    u32 start = 0;
    StreamStatus status = StreamStatus::Open;
    while (held - start >= FrameHeaderSize)
    {
        u32 length = GetFrameLength(buffer.data() + start);
        if (!IsValidFrameLength(length))
        {
            status = StreamStatus::Malformed;
            break;
        }
        if (held - start < length)
            break;
        u8* frame = NewFrame(length);
        std::memcpy(frame, buffer.data() + start, length);
        frames.push_back(frame);
        start += length;
    }
    if (status == StreamStatus::Malformed)
    {
        Clear();
        return status;
    }
    // Frames always begin at the buffer start; the partial frame behind them moves there.
    if (start > 0)
    {
        std::memmove(buffer.data(), buffer.data() + start, held - start);
        held -= start;
    }
    // A buffer grown for one large frame is not kept once it holds little.
    constexpr u32 keptCapacity = 1024 * 1024;
    if (buffer.size() > keptCapacity && held <= keptCapacity)
    {
        buffer.resize(keptCapacity);
        buffer.shrink_to_fit();
    }
    return status;
}

void ClearFrames(FrameList& frames)
{
    for (u8* frame : frames)
        DeleteFrame(frame, GetFrameLength(frame));
    frames.clear();
}
} // namespace Network

