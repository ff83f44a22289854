#pragma once
// The game object through which a viewport sees the level: its render node carries an engine
// camera. One camera at a time is the active sound listener; for development any camera can be
// flown with the keyboard.
#include "math/Math_Frustum.h"
#include "engine/Engine_Camera.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
class Camera : public GameObject
{
    CORE_CLASS(Camera)

public:
    // The engine camera (fov, 0.1, 10000) under the render node; becomes the active listener when
    // there is none.
    explicit Camera(f32 fieldOfView = 45.0f);
    // A clone of the engine camera; the copy never becomes the active listener by being made.
    Camera(const Camera& source);
    ~Camera() override;

    Camera* Clone() const override;
    // After the game object: u8 cleaned up, f32 field of view.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // Stops being the active listener; runs once.
    void Cleanup() override;

    static Camera* GetActiveListener();
    void MakeActiveListener();
    bool IsActiveListener() const { return GetActiveListener() == this; }
    // The active listener as an object reference; reading sets it (null included).
    static void SaveActiveListener(Core::File& file);
    static void LoadActiveListener(Core::File& file);
    // No active listener and the fly camera back at its start (tests start from there).
    static void ResetGlobals();
    static void ResetFlyCamera();

    void SetFOV(f32 degrees);
    f32 GetFOV() const { return fieldOfView; }
    // The view volume for a viewport of that size, placed where the camera was last updated.
    void GetFrustum(Math::ViewFrustum& out, i32 viewportWidth, i32 viewportHeight) const;
    // The fly camera: held keys move and turn one position and orientation shared by every
    // camera, by fixed steps per call; the render node shows them.
    void UpdateFromKeyboard();

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
