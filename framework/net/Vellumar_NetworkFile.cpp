#include "framework/net/Vellumar_NetworkFile.h"

#include "framework/core/Vellumar_GameObject.h"
#include "framework/net/Vellumar_VelNet.h"

namespace Vellumar
{
void WriteNetworkString(Core::File& file, const Core::String& text)
{
    Core::WriteString(file, text);
}

bool ReadNetworkString(Core::File& file, Core::String& text)
{
    return !Core::ReadString(file, text).Failed();
}

Core::Object* NetworkFile::ReadObject()
{
    u8 present = 0;
    if (!Core::ReadU8(*this, present) || present == 0)
    {
        return nullptr;
    }
    Core::String className;
    if (!ReadString(className))
    {
        return nullptr;
    }
    Core::Object* object = Core::CreateObjectByName(className.c_str());
    auto* gameObject = dynamic_cast<GameObject*>(object);
    if (!gameObject)
    {
        // Only game objects have a network form; anything else a peer names is refused.
        if (object)
        {
            object->AddReference();
            object->ReleaseReference();
        }
        SetFailed();
        return nullptr;
    }
    const LentPayload lent(*gameObject, *this);
    gameObject->NetworkLoad(*this);
    return gameObject;
}

void NetworkFile::WriteNetworkObject(GameObject* object)
{
    if (!object)
    {
        Core::WriteU8(*this, 0);
        return;
    }
    Core::WriteU8(*this, 1);
    WriteString(object->GetClassName());
    const LentPayload lent(*object, *this);
    object->NetworkSave(*this);
}

void WriteCreationRecord(NetworkFile& file, GameObject& object, u32 layerIndex)
{
    Core::WriteU32(file, layerIndex);
    file.WriteString(object.GetNetworkClassName());
    const LentPayload lent(object, file);
    object.NetworkSave(file);
}

void WriteStateRecord(NetworkFile& file, GameObject& object, u32 objectCount)
{
    Core::WriteU32(file, objectCount);
    Core::WriteU32(file, object.GetNetworkId()->GetOwnerID());
    Core::WriteU32(file, object.GetNetworkId()->GetObjectNumber());
    const LentPayload lent(object, file);
    object.NetworkSyncSend(file);
}

LentPayload::LentPayload(GameObject& object, Core::File& file) : object(object)
{
    object.SetNetworkPayload(&file);
}

LentPayload::~LentPayload()
{
    object.SetNetworkPayload(nullptr);
}
}  // namespace Vellumar
