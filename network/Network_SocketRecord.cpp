#include "network/Network_SocketRecord.h"

#include "network/Network_Frame.h"

#include <cstring>

namespace Network
{
SocketRecord::~SocketRecord()
{
    CloseHandle();
}

void* SocketRecord::operator new(std::size_t size)
{
    return Core::TrackedNew(static_cast<u32>(size), __FILE__, __LINE__);
}

void SocketRecord::operator delete(void* pointer, std::size_t size)
{
    Core::TrackedDelete(pointer, static_cast<u32>(size));
}

bool SocketRecord::CreateAndBind(PAL::SocketType socketType, const Vellumar::SessionAddress& address, u32 bits)
{
    if (socket != PAL::InvalidSocket)
        return true;
    socket = PAL::OpenSocket(socketType);
    if (socket == PAL::InvalidSocket)
        return false;
    type = socketType;
    optionBits = bits;
    if (!ApplyOptions() || !PAL::BindSocket(socket, address.GetSocketAddress()))
    {
        CloseHandle();
        return false;
    }
    RefreshLocalAddress();
    return true;
}

bool SocketRecord::ApplyOptions()
{
    static constexpr PAL::SocketOption options[] = {
        PAL::SocketOption::Broadcast,    PAL::SocketOption::Debug,   PAL::SocketOption::DontRoute,
        PAL::SocketOption::KeepAlive,    PAL::SocketOption::ReuseAddress, PAL::SocketOption::NoDelay,
        PAL::SocketOption::NonBlocking,  PAL::SocketOption::DontLinger,
    };
    for (u32 bit = 0; bit < 8; ++bit)
    {
        if ((optionBits & (1u << bit)) == 0)
            continue;
        PAL::SocketOption option = options[bit];
        if (option == PAL::SocketOption::DontLinger)
        {
            if (type == PAL::SocketType::Stream && !PAL::SetSocketOption(socket, option, false))
                return false;
            continue;
        }
        // No delay is a stream option; a datagram socket has nothing to delay.
        if (option == PAL::SocketOption::NoDelay && type != PAL::SocketType::Stream)
            continue;
        if (!PAL::SetSocketOption(socket, option, true))
            return false;
    }
    return true;
}

void SocketRecord::EnsureBuffer(u32 size, Buffer which)
{
    Core::Vector<u8>& buffer = which == Buffer::Receive ? receiveBuffer : sendBuffer;
    if (buffer.size() < size)
    {
        buffer.clear();
        buffer.shrink_to_fit();
        buffer.resize(size);
    }
}

void SocketRecord::CloseHandle()
{
    if (socket != PAL::InvalidSocket)
        PAL::CloseSocket(socket);
    socket = PAL::InvalidSocket;
    type = PAL::SocketType::None;
}

const Vellumar::SessionAddress& SocketRecord::RefreshLocalAddress()
{
    PAL::SocketAddress bound;
    if (socket != PAL::InvalidSocket && PAL::GetSocketLocalAddress(socket, bound))
        localAddress.SetSocketAddress(bound);
    return localAddress;
}

long SocketRecord::Receive(void* buffer, u32 length)
{
    if (socket == PAL::InvalidSocket || buffer == nullptr || length < 1)
        return -1;
    return PAL::ReceiveSocket(socket, buffer, length);
}

long SocketRecord::Send(const void* buffer, u32 length)
{
    if (socket == PAL::InvalidSocket || buffer == nullptr || length < 1)
        return -1;
    return PAL::SendSocket(socket, buffer, length);
}

long SocketRecord::SendTo(const void* buffer, u32 length, const Vellumar::SessionAddress& address)
{
    if (socket == PAL::InvalidSocket || buffer == nullptr)
        return -1;
    return PAL::SendSocketTo(socket, buffer, length, address.GetSocketAddress());
}

long SocketRecord::ReceiveDatagram(u8*& frame, PAL::SocketAddress& sender)
{
    frame = nullptr;
    std::lock_guard<std::mutex> lock(receiveMutex);
    long waiting = PAL::GetBytesWaiting(socket);
    EnsureBuffer(waiting > 0 ? static_cast<u32>(waiting) : 1, Buffer::Receive);
    long got = PAL::ReceiveSocketFrom(socket, receiveBuffer.data(), receiveBuffer.size(), sender);
    if (got < static_cast<long>(FrameHeaderSize) || GetFrameLength(receiveBuffer.data()) != got)
        return got;
    frame = NewFrame(static_cast<u32>(got));
    std::memcpy(frame, receiveBuffer.data(), static_cast<std::size_t>(got));
    return got;
}

bool ReadStreamFrames(SocketRecord& record, FrameList& frames)
{
    return record.assembler.Read(record.socket, frames) != StreamStatus::Open;
}

void ClearStreamAssemblers(const Core::List<SocketRecord*>& records)
{
    for (SocketRecord* record : records)
        if (record->GetUseCount() == 0)
            record->assembler.Clear();
}
} // namespace Network
