#pragma once
// A rectangle of the window into which the level is drawn through one camera, with a clear colour
// and an optional background picture.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
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
    ~Viewport() override;

    // Name, camera reference, x, y, width, height, clear colour, the current level's name and the
    // background's file name. Loading takes the background from the level's folder of viewport
    // backgrounds.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // The viewport holds the camera: a camera that leaves its level stays alive until replaced.
    void SetCamera(Camera* viewCamera);
    // Null without a camera and once the camera has been cleaned up.
    Camera* GetCamera() const;
    void SetName(const Core::String& viewportName) { name = viewportName; }
    const Core::String& GetName() const { return name; }

    void Set(i32 x, i32 y, i32 width, i32 height);
    void SetPosition(i32 x, i32 y) { Set(x, y, GetWidth(), GetHeight()); }
    void SetWidth(i32 width) { Set(GetX(), GetY(), width, GetHeight()); }
    void SetHeight(i32 height) { Set(GetX(), GetY(), GetWidth(), height); }
    i32 GetX() const { return engineViewport->GetX(); }
    i32 GetY() const { return engineViewport->GetY(); }
    i32 GetWidth() const { return engineViewport->GetWidth(); }
    i32 GetHeight() const { return engineViewport->GetHeight(); }
    Math::Point2D GetPosition() const;
    void SetClearColor(const Math::Color& color) { engineViewport->SetClearColor(color); }
    const Math::Color& GetClearColor() const { return engineViewport->GetClearColor(); }
    // The image file as given, loaded by the engine viewport without a folder added.
    void SetBackground(const Core::String& fileName);
    const Core::String& GetBackground() const { return background; }

    Engine::Viewport* GetEngineViewport() const { return engineViewport.Get(); }

    // Renders the game's scene graph through the camera; nothing without a live camera.
    void Draw(f32 dt);

protected:
    const char* GetScriptTypeName() const override { return "Viewport"; }

private:
    Core::RefPtr<Engine::Viewport> engineViewport;
    Core::String name;
    Core::String background;
    Core::RefPtr<Camera> camera;
};
}  // namespace Vellumar
