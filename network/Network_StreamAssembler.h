#pragma once
// Cuts whole frames out of a TCP byte stream. One assembler belongs to one socket record and goes
// with it, so a reused socket handle always starts clean.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "sockets/Sockets_Socket.h"

namespace Network
{
// Whole frames, each a block of its own length (see Network_Frame.h), in arrival order.
using FrameList = Core::Vector<u8*>;

enum class StreamStatus
{
    Open,
    PeerClosed,
    // A length field below the header size or above the frame limit: the stream can never be cut
    // again, the caller closes it.
    Malformed,
};

class StreamAssembler
{
public:
    StreamAssembler() = default;
    StreamAssembler(const StreamAssembler&) = delete;
    StreamAssembler& operator=(const StreamAssembler&) = delete;

    // Reads what the socket holds (sized by the bytes waiting) and appends every frame it completes.
    // A readable socket with nothing waiting, an orderly close, an abort or a reset is PeerClosed;
    // a read that would block, or fails otherwise, changes nothing.
    StreamStatus Read(PAL::SocketHandle socket, FrameList& frames);
    // The same for bytes already received.
    StreamStatus Accept(const u8* data, u32 count, FrameList& frames);

    // Drops the bytes held towards the next frame and the buffer.
    void Clear();

    // Bytes held towards the next frame.
    u32 GetHeldBytes() const { return held; }

private:
    StreamStatus Cut(FrameList& frames);

    Core::Vector<u8> buffer;
    u32 held = 0;
};

// Frees every frame of the list and empties it.
void ClearFrames(FrameList& frames);
} // namespace Network
