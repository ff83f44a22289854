#include "framework/core/Vellumar_Level.h"

#include "audio/Audio_SoundEngine.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Resources.h"
#include "script/Lua_ScriptEngine.h"

#include <algorithm>

namespace Vellumar
{
CORE_REGISTER_CLASS(Level, "Vellumar::Level")

Level::~Level()
{
    Cleanup();
}

bool Level::ScriptRuns() const
{
    return script && !script->IsNotRunning();
}

void Level::OnStart()
{
    if (ScriptRuns())
    {
        script->CallHook("OnStart");
    }
}

void Level::OnEnd()
{
    if (ScriptRuns())
    {
        script->CallHook("OnEnd");
    }
}

void Level::Update(f32 dt)
{
    if (ScriptRuns())
    {
        script->CallHook("Update", dt);
    }
}

void Level::UpdateFrame(f32 dt)
{
    Update(dt);
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->Update(dt);
    }
    Camera* listener = Camera::GetActiveListener();
    Game* game = Game::GetInstance();
    if (listener && game && game->GetSoundEngine())
    {
        // A camera in no layer has no z order of its own: it hears from the plane z = 0.
        const f32 z = listener->GetLayer() ? listener->GetLayer()->GetZOrder() : 0.0f;
        game->GetSoundEngine()->SetListenerPosition(
            Math::Vector3D(listener->GetPositionX(), listener->GetPositionY(), z));
    }
    if (jukeBox)
    {
        jukeBox->Update(dt);
    }
}

void Level::LateUpdateLayers(f32 dt)
{
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->LateUpdateObjects(dt);
    }
}

void Level::LateUpdate2Layers(f32 dt)
{
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->LateUpdate2Objects(dt);
    }
}

void Level::EndFrame()
{
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->EndFrame();
    }
}

void Level::DrawViewports(f32 dt)
{
    Game* game = Game::GetInstance();
    Engine::SceneGraph* scene = game ? game->GetSceneGraph() : nullptr;
    if (!scene)
    {
        return;
    }
    scene->SetViewportCount(GetViewportsCount());
    for (u32 i = 0; i < viewports.size(); ++i)
    {
        scene->SetCurrentViewport(i);
        viewports[i]->Draw(dt);
    }
}

void Level::EndGameObjects()
{
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->EndGameObjects();
    }
}

void Level::Cleanup()
{
    if (cleanedUp)
    {
        return;
    }
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->Cleanup();
    }
    layers.clear();
    viewports.clear();
    if (jukeBox)
    {
        jukeBox->StopMusic();
        jukeBox = nullptr;
    }
    if (Game* game = Game::GetInstance(); game && game->GetSceneGraph())
    {
        game->GetSceneGraph()->DetachAllChildren();
    }
    LuaScript::Close(script);
    for (GameObject* object : managedObjects)
    {
        if (object)
        {
            object->Cleanup();
            object->ReleaseReference();
        }
    }
    managedObjects.clear();
    managedObjectNames.clear();
    cleanedUp = 1;
}

void Level::AddLayer(Layer* layer)
{
    if (!layer)
    {
        return;
    }
    layer->SetIndex(GetLayersCount());
    layers.push_back(layer);
    if (Game* game = Game::GetInstance(); game && game->GetSceneGraph())
    {
        game->GetSceneGraph()->AttachChild(layer->GetSceneGroup());
    }
}

void Level::AddViewport(Viewport* viewport)
{
    if (!viewport || std::find(viewports.begin(), viewports.end(), viewport) != viewports.end())
    {
        return;
    }
    viewports.push_back(viewport);
}

void Level::RemoveViewport(Viewport* viewport)
{
    const auto found = std::find(viewports.begin(), viewports.end(), viewport);
    if (found != viewports.end())
    {
        viewports.erase(found);
    }
}

Layer* Level::GetLayer(u32 index) const
{
    return index < layers.size() ? layers[index].Get() : nullptr;
}

Layer* Level::GetLayer(const Core::String& layerName) const
{
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        if (layer->GetName() == layerName)
        {
            return layer.Get();
        }
    }
    return nullptr;
}

Viewport* Level::GetViewport(u32 index) const
{
    return index < viewports.size() ? viewports[index].Get() : nullptr;
}

Viewport* Level::GetViewport(const Core::String& viewportName) const
{
    for (const Core::RefPtr<Viewport>& viewport : viewports)
    {
        if (viewport->GetName() == viewportName)
        {
            return viewport.Get();
        }
    }
    return nullptr;
}

void Level::GetGameObjects(Core::Vector<GameObject*>& out) const
{
    out.clear();
    Core::Vector<GameObject*> layerObjects;
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->GetGameObjects(layerObjects);
        out.insert(out.end(), layerObjects.begin(), layerObjects.end());
    }
}

void Level::GetGameObjectsByName(const Core::String& objectName, Core::Vector<GameObject*>& out) const
{
    out.clear();
    Core::Vector<GameObject*> layerObjects;
    for (const Core::RefPtr<Layer>& layer : layers)
    {
        layer->GetGameObjectsByName(objectName, layerObjects);
        out.insert(out.end(), layerObjects.begin(), layerObjects.end());
    }
}

void Level::RunScript()
{
    LuaScript::Run(script, this, ScriptDirectory(), scriptName, false);
}

void Level::AddManagedObject(GameObject* object, const Core::String& objectName)
{
    if (object)
    {
        object->AddReference();
    }
    managedObjects.push_back(object);
    managedObjectNames.push_back(objectName);
}
}  // namespace Vellumar
