#include "engine/Engine_Camera.h"

#include "renderer/Renderer_BuiltInEffects.h"

namespace Engine
{
namespace
{
// The camera's box: the unit cube scaled by this.
constexpr f32 VolumeScale = 10.0f;
} // namespace

Camera::Camera(f32 fieldOfView, f32 zNear, f32 zFar)
    : debugEffect(Renderer::CreateUntexturedBlendEffect()), fieldOfView(fieldOfView), zNear(zNear), zFar(zFar)
{
    boundingVolume.SetBox(MakeBox(1.0f, 1.0f, 1.0f));
    boundingVolume.Transform(Math::Matrix4x4::Scaling(VolumeScale, VolumeScale, VolumeScale));
}

Camera::Camera(const Camera& other)
    : Node(other), debugEffect(other.debugEffect), fieldOfView(other.fieldOfView),
      savedProjection(other.savedProjection), savedView(other.savedView), frustum(other.frustum), zNear(other.zNear),
      zFar(other.zFar)
{
}

Camera* Camera::Clone() const
{
    return new (__FILE__, __LINE__) Camera(*this);
}

void Camera::Update(f32 dt)
{
    RunCallbackAndControllers(dt);
    if (!IsWorldCurrent())
        DeriveWorld(ParentWorldMatrix());
    PlaceVolume();
    MergeIntoParent();
}

void Camera::Draw()
{
    if (drawBoundingVolume)
        SubmitBoundingVolume(boundingVolume, debugEffect);
}

Math::Matrix4x4 Camera::GetProjection(i32 width, i32 height) const
{
    const f32 aspect = height != 0 ? static_cast<f32>(static_cast<f64>(width) / static_cast<f64>(height)) : 1.0f;
    return Math::Matrix4x4::Perspective(fieldOfView, aspect, zNear, zFar);
}

void Camera::BuildProjection(Math::ViewFrustum& out, i32 width, i32 height) const
{
    out.FromCamera(GetProjection(width, height));
    out.Transform(world);
}

void Camera::Apply(Renderer::IRenderer& renderer, i32 width, i32 height)
{
    const Math::Matrix4x4 projection = GetProjection(width, height);
    frustum.FromCamera(projection);
    frustum.Transform(world);
    savedProjection = renderer.GetProjectionMatrix();
    savedView = renderer.GetViewMatrix();
    renderer.SetProjectionMatrix(projection);
    Math::Matrix4x4 view;
    Math::Matrix4x4::Inverse(view, world);
    renderer.SetViewMatrix(view);
}

void Camera::Restore(Renderer::IRenderer& renderer) const
{
    renderer.SetProjectionMatrix(savedProjection);
    renderer.SetViewMatrix(savedView);
}

Math::Vector3D Camera::GetPosition() const
{
    return Math::TransformPoint(ParentWorldMatrix(), Math::Vector3D());
}
} // namespace Engine
