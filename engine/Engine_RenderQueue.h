#pragma once
// Turns the draw requests of one viewport into renderer calls. While the scene graph walks its
// tree, drawables file render items; viewports file background quads and the GUI files screen
// objects, for one viewport or for the whole window after all viewports. Render then sorts (opaque
// items by effect, mesh and subset; blended items back to front; equal items keep the order they
// were submitted in) and draws everything, and Clear empties the lists for the next viewport. Items
// marked for the last pass are accepted only while the frame's last viewport is drawn and are drawn
// once, at its end, under a fixed perspective over the whole window.
//
// Consecutive items that draw through one effect with one texture and the same states form a run:
// the states are saved, applied and restored once for the run. Quads of the default mesh (sprites)
// are placed in world space on the processor, their texture coordinates beside them, and a run's
// quads are drawn with one call. Sorting and placing can be done ahead of the viewport's first
// draw (Prepare). The pixels, the order in which items cover each other and the renderer's states
// afterwards are those of drawing every item on its own. Around each draw the queue sets, through
// the renderer's ordinary set operations, cheaper states that give the same pixels, and leaves out
// draws that change none (DrawShortcuts).
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "engine/Engine_DrawShortcuts.h"
#include "engine/Engine_Mesh.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_ScreenObject.h"
#include "engine/Engine_ScreenQuad.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_ScissorState.h"

namespace Engine
{
class Camera;

class RenderQueue
{
public:
    // Becomes the process-wide queue; builds its five effects and the default quad mesh.
    RenderQueue();
    // Stops being the process-wide queue if it still is.
    ~RenderQueue();
    RenderQueue(const RenderQueue&) = delete;
    RenderQueue& operator=(const RenderQueue&) = delete;

    // The most recently constructed queue that still exists; null when there is none.
    static RenderQueue* GetInstance();

    // Not owned: the renderer outlives the queue.
    void SetRenderer(Renderer::IRenderer* value) { renderer = value; }
    Renderer::IRenderer* GetRenderer() const { return renderer; }
    // The camera of the viewport being drawn.
    void SetCamera(Camera* camera);
    Core::RefPtr<Camera> GetCamera() const;

    // Files an item. It may replace the effect and mesh of the caller's record first. Items no
    // rule accepts are dropped: mesh-less items other than points and lines, mesh items naming a
    // subset their mesh lacks, and last-pass items before the last viewport.
    void Submit(RenderItem& item);
    // Files a copy of a textured quad for this viewport's first pass, with the queue's opaque
    // textured effect put into the caller's record; a quad without texture is ignored.
    void SubmitScreenQuad(TextRenderContext& quad);
    // Keeps a valid screen object for the HUD pass; others are ignored.
    void SubmitScreenObject(ScreenObject* object);
    // Lists of the current viewport drawn in passes of their own: raw line segments (drawn through
    // the line effect in the item's colour), raw points (with the item's per-vertex colours), and
    // valid quads and screen objects drawn in the viewport's own window coordinates, by depth,
    // after the blended items. The vertex and colour arrays are the caller's and must stay valid
    // until Render; invalid quads and objects are ignored.
    void SubmitLines(const RenderItem& item);
    void SubmitPoints(const RenderItem& item);
    void SubmitOverlayQuad(const TextRenderContext& quad);
    void SubmitViewportScreenObject(ScreenObject* object);
    // Drops the HUD objects without drawing them.
    void ClearScreenObjects();
    // Draws the HUD objects over the whole window, sorted by depth, and drops them.
    void DrawHudScreenObjects();

    // Sorts the opaque and blended lists and places their quads, touching no renderer: Render then
    // only draws. Submitting again undoes it, and Render prepares what is not prepared.
    void Prepare();
    // Draws the current viewport's lists: screen quads, opaque items, lines, points, blended
    // items, overlay quads, viewport screen objects and, on the last viewport, the last-pass items.
    void Render();
    // Empties the viewport's lists; the last-pass list only on the last viewport, the HUD list
    // never.
    void Clear();

    // The cheaper states set around the queue's draws (on unless switched off), and what the queue
    // knows of the depth buffer: whoever clears it says so there.
    DrawShortcuts& GetShortcuts() { return shortcuts; }

    // Whether the current scene graph is drawing the last viewport of its frame.
    static bool IsLastViewport();

    // What every draw takes: technique 0 of an effect and pass 0 of a technique; null when there
    // is none.
    static Renderer::Technique* TechniqueOf(const Renderer::Effect* effect);
    static Renderer::Pass* PassOf(const Renderer::Technique* technique);

    // Sort orders; the queue breaks their ties by submission order.
    static bool CompareOpaque(const RenderItem& a, const RenderItem& b);
    static bool CompareDepth(const RenderItem& a, const RenderItem& b);
    static bool CompareQuadDepth(const TextRenderContext& a, const TextRenderContext& b);
    static bool CompareScreenDepth(const Core::RefPtr<ScreenObject>& a, const Core::RefPtr<ScreenObject>& b);

    const Core::Vector<RenderItem>& GetOpaqueItems() const { return opaqueItems; }
    const Core::Vector<RenderItem>& GetBlendedItems() const { return blendedItems; }
    const Core::Vector<RenderItem>& GetLastPassItems() const { return lastPassItems; }
    const Core::Vector<TextRenderContext>& GetScreenQuads() const { return screenQuads; }
    const Core::Vector<RenderItem>& GetLineItems() const { return lineItems; }
    const Core::Vector<RenderItem>& GetPointItems() const { return pointItems; }
    const Core::Vector<TextRenderContext>& GetOverlayQuads() const { return overlayQuads; }
    u32 GetViewportScreenObjectCount() const { return static_cast<u32>(viewportScreenObjects.size()); }
    u32 GetHudScreenObjectCount() const { return static_cast<u32>(hudScreenObjects.size()); }

    Core::RefPtr<Renderer::Effect> GetLineEffect() const { return lineEffect; }
    Core::RefPtr<Renderer::Effect> GetPointEffect() const { return pointEffect; }
    Core::RefPtr<Renderer::Effect> GetDefaultEffect() const { return defaultEffect; }
    Core::RefPtr<Renderer::Effect> GetTexturedOpaqueEffect() const { return texturedOpaqueEffect; }
    Core::RefPtr<Renderer::ParticleEffect> GetParticleEffect() const { return particleEffect; }
    Core::RefPtr<Mesh> GetDefaultQuadMesh() const { return defaultQuadMesh; }

private:
    // Saves scissor and viewport, then sets both to the whole window (scissor off); and back.
    void EnterWholeWindow(Renderer::ScissorState& savedScissor, Renderer::ViewportRect& savedViewport);
    void LeaveWholeWindow(const Renderer::ScissorState& savedScissor, const Renderer::ViewportRect& savedViewport);
    // A list's drawing order and, for each item that a run may draw with other quads, its corners
    // placed in world space with their texture coordinates, and the triangles' indices into them.
    struct Placement
    {
        static constexpr u32 NotPlaced = 0xFFFFFFFFu;
        struct Quad
        {
            u32 firstVertex;
            u32 vertexCount;
            u32 firstIndex; // NotPlaced for an item drawn on its own
            u32 indexCount;
        };
        Core::Vector<u32> order;
        Core::Vector<Quad> quads; // one per position in order
        Core::Vector<Math::Vector3D> positions;
        Core::Vector<Math::Vector2D> texCoords;
        Core::Vector<Math::Color> colors; // filled only for calls whose quads differ in colour
        Core::Vector<u32> indices;        // into positions
    };
    // Places the quads of the list in the placement's order.
    void Place(const Core::Vector<RenderItem>& list, Placement& placement);
    // Draws the items of a list in the placement's order, each through technique 0 and pass 0 of
    // its effect, run by run.
    void DrawList(Core::Vector<RenderItem>& list, Placement& placement);
    // The effect an item draws through: the line or point effect by primitive, else its own.
    Renderer::Effect* EffectOf(const RenderItem& item) const;
    // Whether the pass applies unit 0's state, and so sets it for the texture bound before it.
    static bool AppliesUnit0(const Renderer::Pass& pass);
    // Whether b can join a run that a started.
    static bool SharesRun(const RenderItem& a, const RenderItem& b);
    // One item's matrices, arrays and draw, inside its run.
    void DrawItem(const RenderItem& item);
    // Whether quads of the default mesh's subset can be drawn with others (with an affine world and
    // texture matrix): it is a triangle list drawn from the mesh's lists.
    bool IsBatchableSubset(u32 subset) const;
    // Draws the placed items at order positions first to end - 1 with as few calls as the quads per
    // call allow, and leaves the last item's colour and matrices. A run of one is drawn the same
    // way, so that how items fall into runs never changes a pixel.
    void DrawQuads(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t first, std::size_t end);
    // A quad that shows only a part of itself, drawn on its own with the scissor kept to that part.
    void DrawShownPart(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t position);
    // The scissor rectangle, within the current one, that holds every pixel of the item's shown
    // part; false when the part cannot be placed on the window (behind the eye).
    bool ShownRect(const RenderItem& item, const Renderer::ScissorState& current, Renderer::ScissorState& cut) const;
    // One call of DrawQuads: the items at order positions first to end - 1.
    void DrawQuadCall(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t first, std::size_t end);
    // corners := the distinct vertices (equal position and texture coordinates) of a subset of the
    // mesh; cornerIndices := the subset's indices as positions in corners.
    void FindCorners(const Mesh& mesh, u32 subset);
    // order := the list's indices sorted by depth (world z of each item's origin, written into the
    // items), smallest z first.
    void SortByDepth(Core::Vector<RenderItem>& list, Core::Vector<u32>& order);
    // order := the opaque list's indices sorted with CompareOpaque.
    void SortOpaque(Core::Vector<u32>& order);
    void DrawLastPassList();
    // Every item of the list as a raw vertex array through the line or point effect.
    void DrawRawList(const Core::Vector<RenderItem>& list, Renderer::Effect* effect, Renderer::PrimitiveType primitive);
    void DrawScreenQuads();
    void DrawOverlayQuads();
    void DrawScreenObjects();
    // One screen element's matrices, arrays and colour (the common part of every screen pass).
    void SetScreenArrays(const Math::Matrix4x4& world, const Math::Matrix4x4& textureMatrix, const f32* vertices,
                         const u16* indices, const f32* texCoords, const Math::Color& color);
    void ResetScreenArrays();
    // One screen element through its effect and texture, as primitive over its first indexCount
    // indices. statesSaved: the element before drew through the same pass and left its states
    // saved and set; true when this one leaves them so for next.
    bool DrawScreenElement(ScreenObject& element, Renderer::PrimitiveType primitive, u32 indexCount, bool statesSaved,
                           const ScreenObject* next);
    static Renderer::Pass* PassOfElement(const ScreenObject& element);

    Renderer::IRenderer* renderer = nullptr;
    DrawShortcuts shortcuts;
    // The pass of the run being drawn applies unit 0's state.
    bool runAppliesUnit0 = false;
    // The viewport the passes of Render draw in: taken once when it starts, and the whole window
    // while a pass has set that.
    Renderer::ViewportRect drawnViewport;
    Core::RefPtr<Camera> camera;
    Core::Vector<RenderItem> opaqueItems;
    Core::Vector<RenderItem> lastPassItems;
    Core::Vector<RenderItem> blendedItems;
    Core::Vector<RenderItem> lineItems;
    Core::Vector<RenderItem> pointItems;
    Core::Vector<TextRenderContext> overlayQuads;
    Core::Vector<Core::RefPtr<ScreenObject>> viewportScreenObjects;
    Core::Vector<Core::RefPtr<ScreenObject>> hudScreenObjects;
    Core::Vector<TextRenderContext> screenQuads;
    Core::RefPtr<Renderer::Effect> lineEffect;
    Core::RefPtr<Renderer::Effect> pointEffect;
    Core::RefPtr<Renderer::Effect> defaultEffect;
    Core::RefPtr<Renderer::Effect> texturedOpaqueEffect;
    Core::RefPtr<Renderer::ParticleEffect> particleEffect;
    Core::RefPtr<Mesh> defaultQuadMesh;
    // Scratch kept from frame to frame, so that drawing an unchanged scene allocates nothing: the
    // placements of the lists and the radix sort's buffers.
    Placement opaquePlacement;
    Placement blendedPlacement;
    Placement lastPassPlacement;
    bool prepared = false; // the opaque and blended placements match their lists
    // The sort keys, one per item, and the radix sort's second buffers.
    Core::Vector<u32> depthKeys;
    Core::Vector<u32> sortedKeys;
    Core::Vector<u32> sortedOrder;
    struct OpaqueKey
    {
        const void* effect;
        const void* mesh;
        u32 subset;
        u32 index;
    };
    Core::Vector<OpaqueKey> opaqueKeys;
    Core::Vector<u32> corners;
    Core::Vector<u32> cornerIndices;
};
}  // namespace Engine
