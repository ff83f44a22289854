// The object's record in a saved game. The collision and physics engines restore the objects
// behind the saved ids from the same saved game.
#include "core/Core_File.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/core/Vellumar_Layer.h"

#include <algorithm>

namespace Vellumar
{
namespace
{
// A reference that must name a T or nothing; another class fails the stream.
template <class T>
T* ReadReference(Core::File& file)
{
    Core::Object* object = file.ReadObject();
    T* typed = dynamic_cast<T*>(object);
    if (object && !typed)
    {
        file.SetFailed();
        file.Discard(object);
    }
    return typed;
}

// A reference kept through a plain pointer (a mount link) or not at all (the support, which the
// support's own list repeats). The layer that owns the object normally names it later in the
// stream; one that no layer or other holder takes goes with the stream, and its mount links with it.
GameObject* ReadHeldReference(Core::File& file)
{
    GameObject* object = ReadReference<GameObject>(file);
    file.HoldWhileReading(object);
    return object;
}
}  // namespace

void GameObject::Save(Core::File& file)
{
    Math::WriteVector2D(file, position);
    Math::WriteVector2D(file, center);
    Core::WriteF32(file, rotation);
    Core::WriteU32(file, static_cast<u32>(mountedObjects.size()));
    for (GameObject* mounted : mountedObjects)
    {
        file.WriteObject(mounted);
    }
    file.WriteObject(mountSupport);
    file.WriteObject(layer);
    Core::WriteString(file, name);
    Core::WriteF32(file, scaleX);
    Core::WriteF32(file, scaleY);
    Core::WriteF32(file, opacity);
    Math::WriteColor(file, modulationColor);
    Core::WriteU8(file, GetVisible() ? 1 : 0);
    Core::WriteF32(file, lifeTime);
    Core::WriteF32(file, age);
    Core::WriteF32(file, zOrder);
    Core::WriteU32(file, id);
    Core::WriteU32(file, collisionId);
    Core::WriteU32(file, physicsId);
    Core::WriteU8(file, destroyed);
    Core::WriteU8(file, destroying);
    Core::WriteU8(file, transformSync);
    Core::WriteU8(file, cleanedUp);
    Core::WriteU8(file, scriptEnabled);
    Core::WriteString(file, scriptName);
    Core::WriteU8(file, ownsScript);
    Core::WriteU8(file, scriptStarted);
    if (scriptEnabled && scriptStarted && ScriptRuns())
    {
        for (Core::Object* object : managedObjects)
        {
            if (object)
            {
                object->Save(file);
            }
        }
        script->CallHook("Save");
    }
}

void GameObject::Load(Core::File& file)
{
    Math::ReadVector2D(file, position);
    Math::ReadVector2D(file, center);
    Core::ReadF32(file, rotation);
    // Links come from the mounted lists alone, each towards an object that has no support yet and is
    // not cleaned up (its Cleanup, which unlinks, would never run again), so
    // that both sides record every link at every moment of the read: an object freed while the
    // stream is read (refused, replaced or dropped with a failed load) takes its links with it and
    // leaves no pointer to itself. The support field repeats what the support's list gives.
    DropMountLinks();
    u32 count = 0;
    // Every reference takes at least its presence byte.
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        GameObject* mounted = ReadHeldReference(file);
        if (mounted && mounted != this && !mounted->mountSupport && !mounted->cleanedUp)
        {
            mountedObjects.push_back(mounted);
            mounted->mountSupport = this;
        }
    }
    ReadHeldReference(file);
    layer = ReadReference<Layer>(file);
    Core::ReadString(file, name);
    Core::ReadF32(file, scaleX);
    Core::ReadF32(file, scaleY);
    Core::ReadF32(file, opacity);
    Math::ReadColor(file, modulationColor);
    u8 visible = 1;
    Core::ReadU8(file, visible);
    Core::ReadF32(file, lifeTime);
    Core::ReadF32(file, age);
    Core::ReadF32(file, zOrder);
    Core::ReadU32(file, id);
    Core::ReadU32(file, collisionId);
    Core::ReadU32(file, physicsId);
    Core::ReadU8(file, destroyed);
    Core::ReadU8(file, destroying);
    Core::ReadU8(file, transformSync);
    Core::ReadU8(file, cleanedUp);
    if (cleanedUp)
    {
        DropMountLinks();
    }
    Core::ReadU8(file, scriptEnabled);
    Core::ReadString(file, scriptName);
    Core::ReadU8(file, ownsScript);
    Core::ReadU8(file, scriptStarted);
    scriptSource = nullptr;
    renderNode->SetVisible(visible != 0, true);
    // A cleaned-up object keeps an id whose collision object was removed and may be another's now;
    // one that would claim it could be freed without giving it back.
    if (!cleanedUp && !file.Failed())
    {
        ClaimCollisionObject();
    }
    if (scriptEnabled && !scriptName.empty() && scriptStarted && !file.Failed())
    {
        RunScript(false);
        if (ScriptRuns())
        {
            for (Core::Object* object : managedObjects)
            {
                if (object)
                {
                    object->Load(file);
                }
            }
            script->CallHook("Load");
        }
    }
}

void GameObject::DropMountLinks()
{
    for (GameObject* mounted : mountedObjects)
    {
        mounted->mountSupport = nullptr;
    }
    mountedObjects.clear();
    if (mountSupport && mountSupport != this)
    {
        mountSupport->UnMount(this);
    }
    mountSupport = nullptr;
}

void GameObject::RepairMounts(const Core::Vector<GameObject*>& objects)
{
    // Every object the links reach, listed or not.
    Core::Vector<GameObject*> reached(objects.begin(), objects.end());
    Core::Set<GameObject*> seen(objects.begin(), objects.end());
    for (size_t i = 0; i < reached.size(); ++i)
    {
        GameObject* object = reached[i];
        for (GameObject* linked : object->mountedObjects)
        {
            if (seen.insert(linked).second)
            {
                reached.push_back(linked);
            }
        }
        if (object->mountSupport && seen.insert(object->mountSupport).second)
        {
            reached.push_back(object->mountSupport);
        }
    }
    for (GameObject* object : reached)
    {
        std::erase_if(object->mountedObjects,
                      [object](const GameObject* mounted) { return mounted->mountSupport != object; });
        GameObject* support = object->mountSupport;
        if (support && std::find(support->mountedObjects.begin(), support->mountedObjects.end(), object) ==
                           support->mountedObjects.end())
        {
            object->mountSupport = nullptr;
        }
    }
    // Every link is now recorded on both sides; a chain of supports that comes back to the object
    // is a cycle, cut at the object's own link.
    for (GameObject* object : reached)
    {
        GameObject* support = object->mountSupport;
        for (size_t steps = 0; support && support != object && steps < reached.size(); ++steps)
        {
            support = support->mountSupport;
        }
        if (support == object)
        {
            object->mountSupport->UnMount(object);
        }
    }
}
}  // namespace Vellumar
