// The level's record in a saved game: its layers and viewports (object references), clear colour,
// name, jukebox, flags, script name, each sprite's partners of the frame and the script's own data.
#include "core/Core_File.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "script/Lua_ScriptEngine.h"

namespace Vellumar
{
void Level::Save(Core::File& file)
{
    Core::WriteU32(file, GetLayersCount());
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        file.WriteObject(layer.Get());
    }
    Core::WriteU32(file, GetViewportsCount());
    for (const Core::RefPtr<Viewport>& viewport : viewports)
    {
        file.WriteObject(viewport.Get());
    }
    Math::WriteColor(file, clearColor);
    Core::WriteString(file, name);
    file.WriteObject(jukeBox.Get());
    Core::WriteU8(file, cleanedUp);
    Core::WriteU8(file, clearBackBuffer);
    Core::WriteString(file, script ? scriptName : Core::String());
    Core::Vector<GameObject*> objects;
    GetGameObjects(objects);
    for (GameObject* object : objects)
    {
        if (const Sprite* sprite = dynamic_cast<const Sprite*>(object))
        {
            sprite->SaveCollisionResults(file);
        }
    }
    if (ScriptRuns())
    {
        for (GameObject* object : managedObjects)
        {
            if (object)
            {
                object->Save(file);
            }
        }
        script->CallHook("Save");
    }
}

void Level::Load(Core::File& file)
{
    u32 count = 0;
    // Every object reference takes at least its presence byte.
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::RefPtr<Layer> layer;
        if (file.ReadObjectInto(layer) && layer)
        {
            AddLayer(layer.Get());
        }
    }
    count = 0;
    Core::ReadCount(file, count, 1);
    for (u32 i = 0; i < count && !file.Failed(); ++i)
    {
        Core::RefPtr<Viewport> viewport;
        if (file.ReadObjectInto(viewport) && viewport)
        {
            viewports.push_back(viewport);
        }
    }
    Math::ReadColor(file, clearColor);
    Core::ReadString(file, name);
    file.ReadObjectInto(jukeBox);
    Core::ReadU8(file, cleanedUp);
    Core::ReadU8(file, clearBackBuffer);
    Core::ReadString(file, scriptName);
    Core::Vector<GameObject*> objects;
    GetGameObjects(objects);
    GameObject::RepairMounts(objects);
    for (GameObject* object : objects)
    {
        if (Sprite* sprite = dynamic_cast<Sprite*>(object))
        {
            sprite->LoadCollisionResults(file);
        }
    }
    if (!scriptName.empty() && !file.Failed())
    {
        RunScript();
        if (ScriptRuns())
        {
            for (GameObject* object : managedObjects)
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
