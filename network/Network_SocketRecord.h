#pragma once
// One socket of a session's socket table: its handle, buffers, locks, addresses and flags. Records
// are made and destroyed only under the table lock; a caller that works with one after releasing
// the lock holds it by its use count, and the network thread neither closes nor destroys a record
// whose use count is above 0.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "sockets/Sockets_Socket.h"
#include "network/Network_SessionAddress.h"
#include "network/Network_StreamAssembler.h"

#include <atomic>
#include <mutex>

namespace Network
{
// Mode flags.
constexpr u32 ModeRead = 1;        // the network thread reads the socket
constexpr u32 ModeQueuedSend = 2;  // sends go through the network thread

// Option bits, applied in increasing bit order when a socket is opened.
constexpr u32 OptionBroadcast = 1;
constexpr u32 OptionDebug = 2;
constexpr u32 OptionDontRoute = 4;
constexpr u32 OptionKeepAlive = 8;
constexpr u32 OptionReuseAddress = 16;
constexpr u32 OptionNoDelay = 32;
constexpr u32 OptionNonBlocking = 64;
constexpr u32 OptionDontLinger = 128; // stream sockets only: lingering is switched on

class SocketRecord
{
public:
    enum class Buffer
    {
        Receive,
        Send,
    };

    SocketRecord() = default;
    SocketRecord(const SocketRecord&) = delete;
    SocketRecord& operator=(const SocketRecord&) = delete;
    // Closes the socket if it is still open.
    ~SocketRecord();

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer, std::size_t size);

    // True at once when a socket is already there; otherwise opens one, applies the option bits
    // (before binding, so that address reuse takes effect), binds it and reads the bound address
    // back. A socket that fails on the way is closed again.
    bool CreateAndBind(PAL::SocketType socketType, const Vellumar::SessionAddress& address, u32 bits);
    // Grows the buffer to at least size bytes (the contents are not kept).
    void EnsureBuffer(u32 size, Buffer which);
    void Acquire() { useCount.fetch_add(1); }
    void Release() { useCount.fetch_sub(1); }
    i32 GetUseCount() const { return useCount.load(); }
    // Closes the socket now; the record stays.
    void CloseHandle();
    // Reads the bound address into the local address and returns it.
    const Vellumar::SessionAddress& RefreshLocalAddress();
    // The socket's receive, send and send-to, each once: -1 without a socket or without a buffer,
    // and for Receive and Send with a length below 1; otherwise what the socket call returned.
    long Receive(void* buffer, u32 length);
    long Send(const void* buffer, u32 length);
    long SendTo(const void* buffer, u32 length, const Vellumar::SessionAddress& address);
    // Reads one datagram through the receive buffer. It becomes a frame of its own (the caller
    // owns it) only when its length field says exactly what arrived; an empty or malformed
    // datagram leaves frame null. Result: what the receive returned.
    long ReceiveDatagram(u8*& frame, PAL::SocketAddress& sender);
    bool IsNonBlocking() const { return (optionBits & OptionNonBlocking) != 0; }
    bool ReadByNetworkThread() const { return (modeFlags.load() & ModeRead) != 0; }

    PAL::SocketHandle socket = PAL::InvalidSocket;
    PAL::SocketType type = PAL::SocketType::None;
    Core::Vector<u8> receiveBuffer;
    Core::Vector<u8> sendBuffer;
    std::mutex receiveMutex; // guards the receive buffer and, outside the network thread, the assembler
    std::mutex sendMutex;    // guards the send buffer and keeps frames to one socket whole
    i32 slot = -1;
    std::atomic<u32> modeFlags{0};
    u32 optionBits = 0;
    Vellumar::SessionAddress localAddress;
    std::atomic<i32> useCount{0};
    u8 accepted = 0;
    std::atomic<u8> connectPending{0};
    std::atomic<u8> connected{0};
    std::atomic<u8> closing{0};
    std::atomic<u8> listening{0};
    // The connected or accepted peer; for the advertisement sender, the broadcast destination.
    // Changed only under the table's write lock.
    Vellumar::SessionAddress peerAddress;
    StreamAssembler assembler;

private:
    // Applies the option bits in increasing order; false on the first that fails.
    bool ApplyOptions();
};

// Reads what the record's stream socket holds into the record's assembler and appends every frame
// that completes. True when the stream is to be closed: the peer closed, aborted or reset it, or
// sent a length that can never be cut. Each record owns its assembler, so a socket handle that the
// system hands out again always starts clean.
bool ReadStreamFrames(SocketRecord& record, FrameList& frames);
// Drops what the assemblers of the records that nobody holds keep towards a next frame; a record
// still held keeps its assembler, since its holder may be reading. The caller holds the table lock
// for writing, so no hold can start meanwhile, and the network thread has stopped.
void ClearStreamAssemblers(const Core::List<SocketRecord*>& records);

// Releases, when the scope ends, a record whose use count the caller has already taken (under the
// table lock); null is allowed.
class AcquiredRecord
{
public:
    explicit AcquiredRecord(SocketRecord* record) : record(record) {}
    ~AcquiredRecord()
    {
        if (record != nullptr)
            record->Release();
    }
    AcquiredRecord(const AcquiredRecord&) = delete;
    AcquiredRecord& operator=(const AcquiredRecord&) = delete;
    SocketRecord* Get() const { return record; }

private:
    SocketRecord* record;
};
} // namespace Network
