#pragma once
// A leaf node that defines a perspective view: vertical field of view, near and far distances,
// placed by its parent's matrix. Around the drawing of one viewport it puts its projection and
// view into the renderer and takes the previous ones back afterwards; in between its view frustum
// is what drawables are culled against.
#include "math/Math_Frustum.h"
#include "math/Math_Matrix4x4.h"
#include "math/Math_Vector3D.h"
#include "engine/Engine_Node.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_IRenderer.h"

namespace Engine
{
class Camera : public Node
{
public:
    // The bounding volume spans -10..10 on every axis.
    Camera(f32 fieldOfView, f32 zNear, f32 zFar);
    // Shares the debug effect.
    Camera(const Camera& other);

    Camera* Clone() const override;

    u32 GetNodeType() const override { return NodeType::Camera; }
    // Callback, controllers, the parent's matrix, the volume moved to world space and merged.
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum&) override {}
    // Submits the debug box when the volume is shown.
    void Draw() override;
    void DrawTree() override { Draw(); }

    void SetFOV(f32 degrees) { fieldOfView = degrees; }
    f32 GetFOV() const { return fieldOfView; }
    f32 GetNear() const { return zNear; }
    f32 GetFar() const { return zFar; }

    // The projection for a viewport of width x height pixels (aspect width / height; 1 for a
    // viewport without height).
    Math::Matrix4x4 GetProjection(i32 width, i32 height) const;
    // The view frustum of that projection, placed by the camera's matrix; the camera is unchanged.
    void BuildProjection(Math::ViewFrustum& frustum, i32 width, i32 height) const;
    // Builds the camera's own frustum, saves the renderer's projection and view, and sets the
    // projection and the inverse of the camera's matrix as the view.
    void Apply(Renderer::IRenderer& renderer, i32 width, i32 height);
    // Puts the projection and view saved by Apply back.
    void Restore(Renderer::IRenderer& renderer) const;
    // The frustum of the last Apply.
    const Math::ViewFrustum& GetFrustum() const { return frustum; }
    // The parent's matrix applied to the origin.
    Math::Vector3D GetPosition() const;

private:
    Core::RefPtr<Renderer::Effect> debugEffect;
    f32 fieldOfView;
    Math::Matrix4x4 savedProjection;
    Math::Matrix4x4 savedView;
    Math::ViewFrustum frustum;
    f32 zNear;
    f32 zFar;
};
}  // namespace Engine
