#include "engine/Engine_SceneGraph.h"

#include "engine/Engine_Camera.h"
#include "engine/Engine_Viewport.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_DepthBufferState.h"

#include <cstring>

namespace Engine
{
namespace
{
SceneGraph* current = nullptr;
// Frustum versions are drawn from one count, so no two scene graphs share one.
u32 frustumVersions = 0;
} // namespace

SceneGraph::SceneGraph(Renderer::IRenderer* renderer)
    : viewFrustumVersion(++frustumVersions), renderer(renderer),
      boundingVolumeEffect(Renderer::CreateUntexturedBlendEffect())
{
    renderQueue.SetRenderer(renderer);
    current = this;
}

SceneGraph::SceneGraph(const SceneGraph& other)
    : Group(other), viewFrustumVersion(++frustumVersions), renderer(other.renderer), viewportCount(other.viewportCount),
      currentViewport(other.currentViewport), boundingVolumeEffect(Renderer::CreateUntexturedBlendEffect())
{
    renderQueue.SetRenderer(renderer);
    Group::SetSceneGraph(this);
    current = this;
}

SceneGraph::~SceneGraph()
{
    if (current == this)
        current = nullptr;
}

SceneGraph* SceneGraph::Clone() const
{
    return new (__FILE__, __LINE__) SceneGraph(*this);
}

SceneGraph* SceneGraph::GetCurrent()
{
    return current;
}

void SceneGraph::Update(f32 dt)
{
    RunCallbackAndControllers(dt);
    PlaceVolumeAndUpdateChildren(dt);
}

void SceneGraph::Draw()
{
    if (drawBoundingVolume)
        SubmitBoundingVolume(boundingVolume, boundingVolumeEffect);
}

void SceneGraph::Render()
{
    renderQueue.Render();
    renderQueue.Clear();
}

void SceneGraph::UpdateScene(f32 dt)
{
    current = this;
    Update(dt);
}

void SceneGraph::RenderViewport(Camera& camera, Viewport& viewport)
{
    if (!renderer)
        return;
    renderQueue.SetCamera(&camera);
    viewport.Begin(*renderer);
    camera.Apply(*renderer, viewport.GetWidth(), viewport.GetHeight());
    drawnViewport = renderer->GetViewport();
    drawingViewport = true;
    const Math::ViewFrustum& seen = camera.GetFrustum();
    if (std::memcmp(&seen, &viewFrustum, sizeof viewFrustum) != 0)
    {
        viewFrustum = seen;
        viewFrustumVersion = ++frustumVersions;
    }
    Render(viewFrustum);
    viewport.ClearAll(*renderer);
    // The clear reaches the viewport alone, and the depth buffer only while depth is writable: it
    // holds the far plane everywhere the queue draws only when the viewport is the whole window
    // (the last pass draws over all of it).
    const Renderer::DisplaySettings display = renderer->GetDisplaySettings();
    Renderer::DepthBufferState depth;
    renderQueue.GetShortcuts().SetDepthAtFarPlane(renderer->GetDepthBufferState(depth).writeEnabled &&
                                                  viewport.GetX() <= 0 && viewport.GetY() <= 0 &&
                                                  viewport.GetX() + viewport.GetWidth() >= display.width &&
                                                  viewport.GetY() + viewport.GetHeight() >= display.height);
    viewport.DrawBackground();
    Render();
    drawingViewport = false;
    camera.Restore(*renderer);
    viewport.End(*renderer);
}

void SceneGraph::ClearWindow(const Math::Color& color)
{
    if (!renderer)
        return;
    const Renderer::DisplaySettings display = renderer->GetDisplaySettings();
    Viewport window(0, 0, display.width, display.height);
    window.Begin(*renderer);
    window.SetClearColor(color);
    window.Clear(*renderer);
    window.End(*renderer);
}
} // namespace Engine
