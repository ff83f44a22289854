// Networked objects: the host announces, streams and destroys them; a client mirrors them by
// cloning the prototype registered under each network name. Records from peers are read through a
// bounded stream: one that does not read whole places nothing, and a list stops at the first entry
// it cannot place, since the entries behind it would be read from the wrong place.
#include <algorithm>

#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "network/Network_Session.h"
#include "framework/net/Vellumar_NetworkFile.h"
#include "framework/net/Vellumar_VelNet.h"

namespace Vellumar
{
namespace
{
u32 objectCounter = 0;

bool SameIdentity(const GameObject& object, u32 ownerId, u32 objectId)
{
    const NetObjectID* identity = object.GetNetworkId();
    return identity && identity->GetOwnerID() == ownerId && identity->GetObjectNumber() == objectId;
}

Level* CurrentLevel()
{
    Game* game = Game::GetInstance();
    return game ? game->GetCurrentLevel() : nullptr;
}
}  // namespace

void VelNet::ResetObjectCounter()
{
    objectCounter = 0;
}

bool VelNet::AddNetObject(GameObject* object, u32 layerIndex, VelPlayer* owner)
{
    if (!object || !localPlayer || !IsSessionActive() || !hostMode)
    {
        return false;
    }
    if (std::any_of(netObjects.begin(), netObjects.end(),
                    [object](const Core::RefPtr<GameObject>& known) { return known.Get() == object; }))
    {
        return false;
    }
    // Counted from here on: the object's own save hooks run while the creation record is written.
    netObjects.emplace_back(object);
    const u32 ownerId = owner ? owner->GetID() : localPlayer->GetID();
    object->SetNetworkId(new (__FILE__, __LINE__) NetObjectID(ownerId, ++objectCounter, true));
    NetworkFile file;
    WriteCreationRecord(file, *object, layerIndex);
    Send(static_cast<u32>(MessageType::CreateObject), file.GetData(), file.GetSize(), nullptr, true);
    return true;
}

bool VelNet::RegisterNetObject(GameObject* object)
{
    // An object without an identity could never be found by a state or destroy record.
    if (!object || !object->HasNetworkId() || !IsSessionActive())
    {
        return false;
    }
    netObjects.emplace_back(object);
    return true;
}

bool VelNet::UnregisterNetObject(GameObject* object)
{
    if (!localPlayer || !IsSessionActive())
    {
        return false;
    }
    std::erase_if(netObjects, [object](const Core::RefPtr<GameObject>& known) { return known.Get() == object; });
    return true;
}

bool VelNet::DestroyNetObject(GameObject* object)
{
    if (!object || !localPlayer || !IsSessionActive() || !object->HasNetworkId())
    {
        return false;
    }
    const PayloadWriter out = Compose([&](PayloadWriter& message) {
        WriteIdPair(message, {object->GetNetworkId()->GetOwnerID(), object->GetNetworkId()->GetObjectNumber()});
    });
    Send(static_cast<u32>(MessageType::DestroyObject), out.GetData(), out.GetSize(), nullptr, true);
    if (!hostMode)
    {
        return false;
    }
    std::erase_if(netObjects, [object](const Core::RefPtr<GameObject>& known) { return known.Get() == object; });
    return true;
}

void VelNet::DestroyAllNetObjects()
{
    const Core::Vector<Core::RefPtr<GameObject>> objects = std::move(netObjects);
    netObjects.clear();
    for (const auto& object : objects)
    {
        if (Layer* layer = object->GetLayer())
        {
            layer->EraseGameObject(object.Get());
        }
    }
}

GameObject* VelNet::FindNetObject(u32 ownerId, u32 objectId) const
{
    for (const auto& object : netObjects)
    {
        if (!object->IsDestroyed() && SameIdentity(*object, ownerId, objectId))
        {
            return object.Get();
        }
    }
    return nullptr;
}

bool VelNet::AddBaseNetObject(GameObject* object, const Core::String& networkName)
{
    if (!object || FindBaseNetObject(networkName))
    {
        return false;
    }
    object->SetNetworkClassName(networkName);
    baseNetObjects.emplace_back(object);
    return true;
}

GameObject* VelNet::FindBaseNetObject(const Core::String& networkName) const
{
    for (const auto& object : baseNetObjects)
    {
        if (object->GetNetworkClassName() == networkName)
        {
            return object.Get();
        }
    }
    return nullptr;
}

void VelNet::RemoveNetObjectsControlledBy(VelPlayer* player)
{
    if (!player)
    {
        return;
    }
    const Core::Vector<Core::RefPtr<GameObject>> objects = netObjects;
    for (const auto& object : objects)
    {
        Layer* layer = object->GetLayer();
        if (layer && object->GetNetworkId()->GetOwnerID() == player->GetID())
        {
            layer->RemoveGameObject(object.Get());
        }
    }
}

void VelNet::DropEndedNetObjects()
{
    std::erase_if(netObjects, [](const Core::RefPtr<GameObject>& object) { return object->IsDestroyed(); });
}

bool VelNet::SendObjectList(VelPlayer* player)
{
    DropEndedNetObjects();
    if (!player || netObjects.empty())
    {
        return false;
    }
    NetworkFile file;
    Core::WriteU32(file, static_cast<u32>(netObjects.size()));
    for (const auto& object : netObjects)
    {
        Layer* layer = object->GetLayer();
        WriteCreationRecord(file, *object, layer ? layer->GetIndex() : 0);
    }
    return SendToPlayer(static_cast<u32>(MessageType::ObjectList), file.GetData(), file.GetSize(), player, true);
}

void VelNet::SendObjectStates()
{
    if (Level* level = CurrentLevel())
    {
        const PayloadWriter out = Compose([&](PayloadWriter& message) { WriteLevelName(message, level->GetName()); });
        Send(static_cast<u32>(MessageType::LevelName), out.GetData(), out.GetSize(), nullptr, false);
    }
    DropEndedNetObjects();
    for (const auto& object : netObjects)
    {
        NetworkFile file;
        WriteStateRecord(file, *object, static_cast<u32>(netObjects.size()));
        Send(static_cast<u32>(MessageType::ObjectSync), file.GetData(), file.GetSize(), nullptr, false);
    }
}

void VelNet::HostDestroyObject(Network::NetworkEvent& event)
{
    IdPairData pair;
    if (!ReadIdPair(event.payload, event.payloadLength, pair))
    {
        ++refusedMessages;
        session->CloseConnection(Network::Slot::HostListener, event.address, false);
        return;
    }
    GameObject* object = FindNetObject(pair.ownerId, pair.id);
    if (!object)
    {
        return;
    }
    const Core::RefPtr<GameObject> held(object);
    if (Layer* layer = object->GetLayer())
    {
        layer->EraseGameObject(object);
    }
    UnregisterNetObject(object);
    Send(event.messageType, event.payload, event.payloadLength, nullptr, true);
}

bool VelNet::ReadNetObjectEntry(NetworkFile& file)
{
    u32 layerIndex = 0;
    Core::String networkName;
    if (!Core::ReadU32(file, layerIndex) || !file.ReadString(networkName))
    {
        return false;
    }
    GameObject* prototype = FindBaseNetObject(networkName);
    if (!prototype)
    {
        return false;
    }
    const Core::RefPtr<GameObject> copy(prototype->Clone());
    {
        const LentPayload lent(*copy, file);
        copy->NetworkLoad(file);
    }
    // A record without a network id names a copy the host could never reach again.
    if (file.Failed() || !copy->HasNetworkId())
    {
        return false;
    }
    copy->SetNetworkClassName(prototype->GetNetworkClassName());
    Level* level = CurrentLevel();
    Layer* layer = level ? level->GetLayer(layerIndex) : nullptr;
    // A copy for a layer this level does not have is dropped: it could never be drawn or found.
    if (layer)
    {
        layer->InsertGameObject(copy.Get());
        RegisterNetObject(copy.Get());
    }
    return true;
}

bool VelNet::ClientCreateObject(const u8* payload, u32 size)
{
    if (!localPlayer || !localPlayer->HasObjectList())
    {
        return true;
    }
    NetworkFile file(payload, size);
    return ReadNetObjectEntry(file);
}

bool VelNet::ClientDestroyObject(const u8* payload, u32 size)
{
    IdPairData pair;
    if (!ReadIdPair(payload, size, pair))
    {
        return false;
    }
    GameObject* object = FindNetObject(pair.ownerId, pair.id);
    if (!object)
    {
        return true;
    }
    const Core::RefPtr<GameObject> held(object);
    if (Layer* layer = object->GetLayer())
    {
        layer->EraseGameObject(object);
    }
    UnregisterNetObject(object);
    return true;
}

bool VelNet::ClientObjectSync(const u8* payload, u32 size)
{
    if (!localPlayer || !localPlayer->HasObjectList())
    {
        return true;
    }
    NetworkFile file(payload, size);
    u32 count = 0;
    u32 ownerId = 0;
    u32 objectId = 0;
    Core::ReadU32(file, count);
    Core::ReadU32(file, ownerId);
    Core::ReadU32(file, objectId);
    GameObject* object = file.Failed() ? nullptr : FindNetObject(ownerId, objectId);
    if (object)
    {
        const LentPayload lent(*object, file);
        object->NetworkSyncReceive(file);
    }
    return !file.Failed();
}

bool VelNet::ClientObjectList(const u8* payload, u32 size)
{
    if (!localPlayer)
    {
        return true;
    }
    netObjects.clear();
    NetworkFile file(payload, size);
    u32 count = 0;
    u32 placed = 0;
    // Every entry takes at least its layer index and its name's count.
    const bool counted = Core::ReadCount(file, count, 8);
    if (counted)
    {
        while (placed < count && ReadNetObjectEntry(file))
        {
            ++placed;
        }
    }
    localPlayer->SetObjectListReceived();
    return counted && placed == count;
}

bool VelNet::ClientLevelName(const u8* payload, u32 size)
{
    Core::String name;
    if (!ReadLevelName(payload, size, name))
    {
        return false;
    }
    Level* level = CurrentLevel();
    if (level && name != level->GetName())
    {
        Game::GetInstance()->GoToLevel(name);
    }
    return true;
}
}  // namespace Vellumar
