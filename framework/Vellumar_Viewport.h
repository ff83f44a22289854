#pragma once
// A rectangle of the window into which the level is drawn through one camera.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "engine/Engine_Viewport.h"

namespace Vellumar
{
class Camera;

class Viewport : public Core::Object
{
    CORE_CLASS(Viewport)

public:
    // Negative sizes are stored as 0.
    Viewport(i32 x = 0, i32 y = 0, i32 width = 800, i32 height = 600);

    void SetCamera(Camera* viewCamera) { camera = viewCamera; }
    Camera* GetCamera() const { return camera; }
    void SetName(const Core::String& viewportName) { name = viewportName; }
    const Core::String& GetName() const { return name; }
    Engine::Viewport* GetEngineViewport() const { return engineViewport.Get(); }
    // The rectangle; negative sizes are stored as 0.
    void Set(i32 x, i32 y, i32 width, i32 height);
    // The background picture's file name, stored and handed to the engine viewport unchanged.
    void SetBackground(const Core::String& fileName);
    const Core::String& GetBackground() const { return background; }

    // Renders the game's scene graph through the camera; nothing without one.
    void Draw(f32 dt);

protected:
    const char* GetScriptTypeName() const override { return "Viewport"; }

private:
    Core::RefPtr<Engine::Viewport> engineViewport;
    Core::String name;
    Core::String background;
    Camera* camera = nullptr;
};
}  // namespace Vellumar
