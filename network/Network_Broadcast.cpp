#include "network/Network_Broadcast.h"

#include "core/PAL_ThreadManager.h"
#include "network/Network_Frame.h"
#include "network/Network_Session.h"

#include <cstring>

namespace Network
{
void DeriveBroadcastAddress(const u8 local[4], u32 addressClass, u8 out[4])
{
    u32 kept = addressClass == 1 ? 3 : addressClass == 2 ? 2 : addressClass == 3 ? 1 : 0;
    for (u32 i = 0; i < 4; ++i)
        out[i] = i < kept ? local[i] : 255;
}

Vel_Broadcast_Data::~Vel_Broadcast_Data()
{
    if (datagram != nullptr)
        DeleteFrame(datagram, capacity);
}

bool Vel_Broadcast_Data::ReplacePayload(const void* payload, u32 payloadLength)
{
    if (payloadLength > MaxFrameLength - FrameHeaderSize || (payload == nullptr && payloadLength > 0))
        return false;
    u32 total = payloadLength + FrameHeaderSize;
    std::lock_guard<std::mutex> lock(mutex);
    if (datagram == nullptr)
        return false;
    if (total > capacity)
    {
        u8* grown = NewFrame(total);
        WriteFrame(grown, GetFrameType(datagram), payload, payloadLength);
        DeleteFrame(datagram, capacity);
        datagram = grown;
        capacity = total;
        return true;
    }
    WriteFrame(datagram, GetFrameType(datagram), payload, payloadLength);
    return true;
}

bool Vel_Session::StartBroadcast(u16 port, u32 addressClass, u32 periodMs, u32 messageType, const void* payload,
                                 u32 payloadLength, i32 priority)
{
    if (broadcast != nullptr || payloadLength > MaxFrameLength - FrameHeaderSize ||
        (payload == nullptr && payloadLength > 0))
        return false;
    SocketRecord* record = OpenSocket(Slot::AdvertisementSender, PAL::SocketType::Datagram,
                                      Vellumar::SessionAddress(), 0,
                                      OptionBroadcast | OptionReuseAddress | OptionNonBlocking);
    if (record == nullptr)
        return false;

    auto* data = new Vel_Broadcast_Data;
    data->datagram = BuildFrame(messageType, payload, payloadLength);
    data->capacity = payloadLength + FrameHeaderSize;
    data->period = periodMs > 0 ? periodMs : 1; // a zero period would flood the network
    data->record = record;
    {
        std::unique_lock<std::shared_mutex> lock(tableLock);
        u8 destination[4];
        if (broadcastDestinationGiven)
            std::memcpy(destination, broadcastDestination.GetIP(), 4);
        else
            DeriveBroadcastAddress(localAddress.GetIP(), addressClass, destination);
        Vellumar::SessionAddress target;
        target.SetIP(destination);
        target.SetPort(port);
        target.SetText();
        record->peerAddress = target;
        record->Acquire();
    }
    broadcast = data;
    broadcastThread = eventQueue.GetThreadManager().CreateThread(BroadcastThread, nullptr, data, priority, 0);
    if (broadcastThread == nullptr)
    {
        StopBroadcast();
        return false;
    }
    return true;
}

bool Vel_Session::UpdateBroadcastPayload(const void* payload, u32 payloadLength)
{
    return broadcast != nullptr && broadcast->ReplacePayload(payload, payloadLength);
}

void Vel_Session::StopBroadcast()
{
    if (broadcastThread != nullptr)
        eventQueue.GetThreadManager().StopThread(broadcastThread, 0);
    broadcastThread = nullptr;
    if (broadcast == nullptr)
        return;
    broadcast->record->Release();
    delete broadcast;
    broadcast = nullptr;
    CloseSocket(Slot::AdvertisementSender, false);
}

void Vel_Session::BroadcastThread(PAL::Thread* thread)
{
    auto* data = static_cast<Vel_Broadcast_Data*>(thread->argument);
    while (PAL::Thread::KeepRunning(thread))
    {
        {
            std::lock_guard<std::mutex> lock(data->mutex);
            SocketRecord* record = data->record;
            // A failed send is only retried at the next period.
            if (record->socket != PAL::InvalidSocket && data->datagram != nullptr)
                record->SendTo(data->datagram, GetFrameLength(data->datagram), record->peerAddress);
        }
        if (!PAL::Sleep(data->period, thread))
            break;
    }
    thread->argument = nullptr;
}
} // namespace Network
