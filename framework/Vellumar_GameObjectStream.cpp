// The object's record in a saved game. The collision and physics engines restore the objects
// behind the saved ids from the same saved game.
#include "core/Core_File.h"
#include "framework/Vellumar_GameObject.h"
#include "framework/Vellumar_Layer.h"
#include "framework/Lua_ScriptEngine.h"

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
    u32 count = 0;
    // Every reference takes at least its presence byte.
    Core::ReadCount(file, count, 1);
    mountedObjects.clear();
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        if (GameObject* mounted = ReadReference<GameObject>(file))
        {
            mountedObjects.push_back(mounted);
        }
    }
    mountSupport = ReadReference<GameObject>(file);
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
    Core::ReadU8(file, scriptEnabled);
    Core::ReadString(file, scriptName);
    Core::ReadU8(file, ownsScript);
    Core::ReadU8(file, scriptStarted);
    scriptSource = nullptr;
    renderNode->SetVisible(visible != 0, true);
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
}  // namespace Vellumar
