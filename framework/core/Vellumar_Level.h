#pragma once
// One screen of the game: its layers (which own the game objects), its viewports (which draw the
// level through cameras), a clear colour, an optional jukebox and an optional script. The game's
// level factory builds levels in code; the game drives the current one every frame and ends it at
// a switch.
#include "framework/sound/Vellumar_JukeBox.h"
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Viewport.h"

namespace Vellumar
{
class GameObject;

class Level : public Core::Object
{
    CORE_CLASS(Level)

public:
    Level() = default;
    ~Level() override;
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    LuaScript* GetScript() override { return script; }
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // The script's "OnStart", "OnEnd" and "Update" when a script runs; subclasses add their own.
    virtual void OnStart();
    virtual void OnEnd();
    virtual void Update(f32 dt);

    // The level's share of the frame: its Update, every layer's update, the sound listener at the
    // active camera, the jukebox.
    void UpdateFrame(f32 dt);
    void LateUpdateLayers(f32 dt);
    void LateUpdate2Layers(f32 dt);
    // Every layer refreshes its objects' render transforms.
    void EndFrame();
    void DrawViewports(f32 dt);
    // OnEnd of every object, layer by layer, in id order; the objects stay.
    void EndGameObjects();
    // Runs once: the layers clean up and go, the viewports and the jukebox go, the scene graph is
    // emptied, the script is closed and the managed objects are deleted.
    void Cleanup();
    bool IsCleanedUp() const { return cleanedUp != 0; }

    // The layer's index becomes the layer count and its scene group joins the game's scene graph.
    void AddLayer(Layer* layer);
    // Null and already present viewports are ignored.
    void AddViewport(Viewport* viewport);
    void RemoveViewport(Viewport* viewport);
    u32 GetLayersCount() const { return static_cast<u32>(layers.size()); }
    Layer* GetLayer(u32 index) const;
    Layer* GetLayer(const Core::String& layerName) const;
    u32 GetViewportsCount() const { return static_cast<u32>(viewports.size()); }
    Viewport* GetViewport(u32 index) const;
    Viewport* GetViewport(const Core::String& viewportName) const;

    void SetName(const Core::String& levelName) { name = levelName; }
    const Core::String& GetName() const { return name; }
    void SetClearBackBuffer(bool on) { clearBackBuffer = on ? 1 : 0; }
    bool GetClearBackBuffer() const { return clearBackBuffer != 0; }
    void SetClearColor(const Math::Color& color) { clearColor = color; }
    const Math::Color& GetClearColor() const { return clearColor; }
    void SetJukeBox(JukeBox* box) { jukeBox = box; }
    JukeBox* GetJukeBox() const { return jukeBox.Get(); }

    // Every layer's objects, layer by layer in index order and in id order within a layer.
    void GetGameObjects(Core::Vector<GameObject*>& out) const;
    void GetGameObjectsByName(const Core::String& objectName, Core::Vector<GameObject*>& out) const;

    void SetScriptName(const Core::String& file) { scriptName = file; }
    const Core::String& GetScriptName() const { return scriptName; }
    // Loads the level's script with the level as "self", then runs its "Constructor".
    void RunScript();
    // Owned from then on; deleted at Cleanup.
    void AddManagedObject(GameObject* object, const Core::String& objectName);

protected:
    const char* GetScriptTypeName() const override { return "Level"; }

private:
    bool ScriptRuns() const;

    LuaScript* script = nullptr;
    Core::Vector<GameObject*> managedObjects;
    Core::Vector<Core::String> managedObjectNames;
    Core::String scriptName;
    Core::Vector<Core::RefPtr<Layer>> layers;
    Core::Vector<Core::RefPtr<Viewport>> viewports;
    Math::Color clearColor{0.0f, 0.0f, 0.0f, 1.0f};
    Core::String name;
    Core::RefPtr<JukeBox> jukeBox;
    u8 cleanedUp = 0;
    u8 clearBackBuffer = 0;
};
}  // namespace Vellumar
