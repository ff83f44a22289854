#pragma once
// The game object through which a viewport sees the level: its render node carries an engine
// camera. One camera at a time is the active sound listener.
#include "engine/Engine_Camera.h"
#include "framework/Vellumar_GameObject.h"

namespace Vellumar
{
class Camera : public GameObject
{
    CORE_CLASS(Camera)

public:
    // The engine camera (fov, 0.1, 10000) under the render node; becomes the active listener when
    // there is none.
    explicit Camera(f32 fieldOfView = 45.0f);
    ~Camera() override;

    // Stops being the active listener.
    void Cleanup() override;

    static Camera* GetActiveListener();
    void MakeActiveListener();
    Engine::Camera* GetEngineCamera() const { return engineCamera.Get(); }
    f32 GetFieldOfView() const { return fieldOfView; }

protected:
    const char* GetScriptTypeName() const override { return "Camera"; }

private:
    Core::RefPtr<Engine::Camera> engineCamera;
    f32 fieldOfView;
    u8 cameraCleanedUp = 0;
};
}  // namespace Vellumar
