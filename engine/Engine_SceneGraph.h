#pragma once
// The root of the scene: the framework's game makes one with the renderer, attaches every layer's
// node to it, updates it once per frame and draws it once per viewport through that viewport's
// camera. It embeds the render queue and holds the view frustum of the viewport being drawn.
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Frustum.h"
#include "engine/Engine_Group.h"
#include "engine/Engine_RenderQueue.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_IRenderer.h"

namespace Engine
{
class Camera;
class Viewport;

class SceneGraph : public Group
{
public:
    // Becomes the current scene graph; its render queue becomes the process-wide queue and is
    // given the renderer (not owned: the renderer outlives the scene).
    explicit SceneGraph(Renderer::IRenderer* renderer);
    // Copies renderer and viewport numbers, clones the children and tells them (SetSceneGraph)
    // that they belong to the copy, makes its own effect and queue, and becomes the current scene
    // graph.
    SceneGraph(const SceneGraph& other);
    // Stops being the current scene graph if it still is.
    ~SceneGraph() override;

    SceneGraph* Clone() const override;

    // The scene graph being updated or drawn; null when there is none.
    static SceneGraph* GetCurrent();

    u32 GetNodeType() const override { return NodeType::SceneGraph; }
    // Callback, controllers, the volume at the (identity) world matrix, every child.
    void Update(f32 dt) override;
    // Submits the debug box when the volume is shown.
    void Draw() override;
    // Has the render queue draw everything queued for this viewport, then empties its lists.
    virtual void Render();
    using Group::Render;
    // Becomes the current scene graph, then updates the tree.
    virtual void UpdateScene(f32 dt);

    // Draws the tree for one viewport through the camera: viewport and camera applied, the tree
    // walked, the viewport cleared and its background queued, the queue drawn and emptied, camera
    // and viewport restored.
    void RenderViewport(Camera& camera, Viewport& viewport);
    // Clears the colour buffer of the whole window to the colour.
    void ClearWindow(const Math::Color& color);

    void SetViewportCount(u32 count) { viewportCount = count; }
    u32 GetViewportCount() const { return viewportCount; }
    void SetCurrentViewport(u32 index) { currentViewport = index; }
    u32 GetCurrentViewport() const { return currentViewport; }
    const Math::ViewFrustum& GetViewFrustum() const { return viewFrustum; }
    // The viewport being drawn, as the renderer held it once that viewport and its camera were
    // applied; null between viewports. Drawables read it instead of asking the renderer, which
    // asks OpenGL each time.
    const Renderer::ViewportRect* GetDrawnViewport() const { return drawingViewport ? &drawnViewport : nullptr; }
    // Changes whenever the view frustum takes a value it did not hold, and differs between scene
    // graphs: a drawable that culled against one version need not test again.
    u32 GetViewFrustumVersion() const { return viewFrustumVersion; }
    Renderer::IRenderer* GetRenderer() const { return renderer; }
    RenderQueue& GetRenderQueue() { return renderQueue; }

private:
    Math::ViewFrustum viewFrustum;
    u32 viewFrustumVersion;
    Renderer::IRenderer* renderer;
    u32 viewportCount = 0;
    u32 currentViewport = 0;
    Renderer::ViewportRect drawnViewport;
    bool drawingViewport = false;
    Core::RefPtr<Renderer::Effect> boundingVolumeEffect;
    RenderQueue renderQueue;
};
}  // namespace Engine
