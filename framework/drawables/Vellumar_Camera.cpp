#include "framework/drawables/Vellumar_Camera.h"

#include "core/Core_File.h"
#include "framework/core/Vellumar_Resources.h"

namespace Vellumar
{
namespace
{
Camera* activeListener = nullptr;
}

CORE_REGISTER_CLASS(Camera, "Vellumar::Camera")

Camera::Camera(f32 fieldOfView)
    : engineCamera(new (__FILE__, __LINE__) Engine::Camera(fieldOfView, 0.1f, 10000.0f)), fieldOfView(fieldOfView)
{
    GetRenderNode()->AttachChild(engineCamera.Get());
    if (!activeListener)
    {
        activeListener = this;
    }
}

Camera::Camera(const Camera& source)
    : GameObject(source), engineCamera(source.engineCamera->Clone()), fieldOfView(source.fieldOfView),
      cameraCleanedUp(source.cameraCleanedUp)
{
    GetRenderNode()->AttachChild(engineCamera.Get());
    NotifyClone(*this, source);
}

Camera::~Camera()
{
    Camera::Cleanup();
}

Camera* Camera::Clone() const
{
    return new (__FILE__, __LINE__) Camera(*this);
}

void Camera::Cleanup()
{
    if (!cameraCleanedUp)
    {
        if (activeListener == this)
        {
            activeListener = nullptr;
        }
        cameraCleanedUp = 1;
    }
    GameObject::Cleanup();
}

void Camera::Save(Core::File& file)
{
    GameObject::Save(file);
    Core::WriteU8(file, cameraCleanedUp);
    Core::WriteF32(file, fieldOfView);
}

void Camera::Load(Core::File& file)
{
    GameObject::Load(file);
    Core::ReadU8(file, cameraCleanedUp);
    Core::ReadF32(file, fieldOfView);
    engineCamera->SetFOV(fieldOfView);
    // A camera saved after its cleanup cannot listen.
    if (cameraCleanedUp && activeListener == this)
    {
        activeListener = nullptr;
    }
}

Camera* Camera::GetActiveListener()
{
    return activeListener;
}

void Camera::ResetGlobals()
{
    activeListener = nullptr;
    ResetFlyCamera();
}

void Camera::MakeActiveListener()
{
    activeListener = this;
}

void Camera::SaveActiveListener(Core::File& file)
{
    file.WriteObject(activeListener);
}

void Camera::LoadActiveListener(Core::File& file)
{
    Core::Object* object = file.ReadObject();
    Camera* camera = dynamic_cast<Camera*>(object);
    if (object && !camera)
    {
        file.SetFailed();
        file.Discard(object);
        return;
    }
    activeListener = camera;
}

void Camera::SetFOV(f32 degrees)
{
    fieldOfView = degrees;
    engineCamera->SetFOV(degrees);
}

void Camera::GetFrustum(Math::ViewFrustum& out, i32 viewportWidth, i32 viewportHeight) const
{
    engineCamera->BuildProjection(out, viewportWidth, viewportHeight);
}
}  // namespace Vellumar
