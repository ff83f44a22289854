// The layer's record in a saved game: transform, index, collision layer, both object indexes, the
// pending additions and removals, the debug flags and colours and the grid.
#include "core/Core_File.h"
#include "framework/core/Vellumar_Layer.h"

namespace Vellumar
{
namespace
{
void WriteObjects(Core::File& file, const Core::Vector<Core::RefPtr<GameObject>>& objects)
{
    Core::WriteU32(file, static_cast<u32>(objects.size()));
    for (const Core::RefPtr<GameObject>& object : objects)
    {
        file.WriteObject(object.Get());
    }
}

// Every reference takes at least its presence byte; null references are dropped.
void ReadObjects(Core::File& file, Core::Vector<Core::RefPtr<GameObject>>& objects)
{
    u32 count = 0;
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::RefPtr<GameObject> object;
        if (file.ReadObjectInto(object) && object)
        {
            objects.push_back(object);
        }
    }
}
}  // namespace

void Layer::Save(Core::File& file)
{
    Core::WriteString(file, name);
    Core::WriteF32(file, zOrder);
    Core::WriteF32(file, scaleX);
    Core::WriteF32(file, scaleY);
    Core::WriteF32(file, rotation);
    Core::WriteU32(file, index);
    Core::WriteU8(file, cleanedUp);
    Core::WriteU8(file, collisionId);
    Core::WriteU32(file, static_cast<u32>(objectsByName.size()));
    for (const auto& [objectName, objects] : objectsByName)
    {
        Core::WriteString(file, objectName);
        WriteObjects(file, objects);
    }
    Core::WriteU32(file, static_cast<u32>(objectsById.size()));
    for (const auto& [id, object] : objectsById)
    {
        Core::WriteU32(file, id);
        file.WriteObject(object.Get());
    }
    WriteObjects(file, pendingAdditions);
    WriteObjects(file, pendingRemovals);
    Core::WriteU8(file, visibleCollisionData);
    Core::WriteU8(file, visibleLayerPartition);
    Math::WriteColor(file, collisionDataColor);
    Math::WriteColor(file, layerPartitionColor);
    Math::WriteVector2D(file, gridOrigin);
    for (u32 value : gridValues)
    {
        Core::WriteU32(file, value);
    }
}

void Layer::Load(Core::File& file)
{
    Core::ReadString(file, name);
    Core::ReadF32(file, zOrder);
    Core::ReadF32(file, scaleX);
    Core::ReadF32(file, scaleY);
    Core::ReadF32(file, rotation);
    UpdateTransform();
    Core::ReadU32(file, index);
    Core::ReadU8(file, cleanedUp);
    Core::ReadU8(file, collisionId);
    u32 names = 0;
    // A name takes at least its length, and its object count four more bytes.
    Core::ReadCount(file, names, 8);
    for (u32 i = 0; i < names && !file.Failed(); ++i)
    {
        Core::String objectName;
        Core::ReadString(file, objectName);
        ReadObjects(file, objectsByName[objectName]);
    }
    u32 entries = 0;
    Core::ReadCount(file, entries, 5);
    for (u32 i = 0; i < entries && !file.Failed(); ++i)
    {
        u32 id = 0;
        Core::ReadU32(file, id);
        Core::RefPtr<GameObject> object;
        if (file.ReadObjectInto(object) && object)
        {
            objectsById[id] = object;
            sceneGroup->AttachChild(object->GetRenderNode());
        }
    }
    ReadObjects(file, pendingAdditions);
    ReadObjects(file, pendingRemovals);
    Core::ReadU8(file, visibleCollisionData);
    Core::ReadU8(file, visibleLayerPartition);
    Math::ReadColor(file, collisionDataColor);
    Math::ReadColor(file, layerPartitionColor);
    Math::ReadVector2D(file, gridOrigin);
    for (u32& value : gridValues)
    {
        Core::ReadU32(file, value);
    }
}
}  // namespace Vellumar
