#include "framework/Vellumar_Camera.h"

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

Camera::~Camera()
{
    Camera::Cleanup();
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

Camera* Camera::GetActiveListener()
{
    return activeListener;
}

void Camera::MakeActiveListener()
{
    activeListener = this;
}
}  // namespace Vellumar
