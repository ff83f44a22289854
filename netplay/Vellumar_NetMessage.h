#pragma once
// What the facade tells its owner about the session, one notification per event. Pointers inside a
// notification are not counted and live only as long as the call that receives it.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "network/Network_SessionAddress.h"

namespace Vellumar
{
class VelPlayer;

enum NetMessageType : u32
{
    NetSessionHosted = 0,
    NetSessionJoined = 1,
    NetPlayerJoining = 2,
    NetJoinReply = 3,
    NetPlayerAdded = 4,
    NetPlayerLeft = 5,
    NetText = 6,
    NetData = 7,
    NetSessionLost = 8,
};

class NetMessage : public Core::Object
{
public:
    explicit NetMessage(u32 type) : type(type) {}
    u32 GetType() const { return type; }

private:
    u32 type;
};

class NetSessionMessage : public NetMessage
{
public:
    NetSessionMessage(u32 type, const SessionAddress& address) : NetMessage(type), address(address) {}
    const SessionAddress& GetAddress() const { return address; }

private:
    SessionAddress address;
};

class NetPlayerMessage : public NetMessage
{
public:
    NetPlayerMessage(u32 type, VelPlayer* player) : NetMessage(type), player(player) {}
    VelPlayer* GetPlayer() const { return player; }

private:
    VelPlayer* player;
};

class NetTextMessage : public NetMessage
{
public:
    NetTextMessage(const Core::String& text, VelPlayer* sender) : NetMessage(NetText), text(text), sender(sender) {}
    const Core::String& GetText() const { return text; }
    VelPlayer* GetSender() const { return sender; }

private:
    Core::String text;
    VelPlayer* sender;
};

class NetDataMessage : public NetMessage
{
public:
    NetDataMessage(u32 type, u32 tag, u32 size, const void* data, VelPlayer* sender)
        : NetMessage(type), tag(tag), size(size), data(data), sender(sender)
    {
    }
    u32 GetTag() const { return tag; }
    u32 GetDataSize() const { return size; }
    const void* GetData() const { return data; }
    VelPlayer* GetSender() const { return sender; }

private:
    u32 tag;
    u32 size;
    const void* data;
    VelPlayer* sender;
};

using NetCallback = bool (*)(NetMessage* message);
}  // namespace Vellumar
