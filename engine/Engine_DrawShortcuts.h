#pragma once
// Cheaper states for the draws of a run that give the same pixels as the states set for them. The
// renderer draws with exactly the states it is given; the render queue knows each draw's vertices,
// colours and texture, and a software rasteriser shades much faster without an alpha or depth test,
// without blending, with a replacing texture unit and without mipmap filtering. Before each draw
// the queue asks Begin, which sets the cheaper states through the ordinary set operations (leaving
// those that suit from the draw before) and says whether the draw would change any pixel at all;
// Finish sets back the states as set, before anything else sets states or binds another texture.
#include "math/Math_Color.h"
#include "math/Math_Matrix4x4.h"
#include "renderer/Renderer_IRenderer.h"
#include "renderer/Renderer_States.h"

namespace Engine
{
// What the caller knows of the vertices of one draw from client arrays.
struct DrawnVertices
{
    Renderer::PrimitiveType primitive = Renderer::Primitive::Triangles;
    // xyz per vertex, under the renderer's world matrix; null when the vertices are out of reach
    // (then only what holds for any vertices is used).
    const f32* positions = nullptr;
    // Unit 0's coordinates, two per vertex; null when there are none.
    const f32* texCoords = nullptr;
    // The places drawn index the vertices through one of these; with neither, place k is vertex k.
    const u32* indices32 = nullptr;
    const u16* indices16 = nullptr;
    u32 first = 0;
    u32 count = 0;
    // The fragments take their colour from a colour array rather than the current colour.
    bool colorArray = false;
};

class DrawShortcuts
{
public:
    // Off, every draw goes with its states as set: the pixels are the same either way.
    void SetEnabled(bool on) { enabled = on; }
    bool IsEnabled() const { return enabled; }
    // The whole depth buffer holds the far plane: cleared to 1 and not written since. The owner of
    // the clear says so; a draw that writes depth ends it.
    void SetDepthAtFarPlane(bool value) { depthAtFarPlane = value; }
    bool IsDepthAtFarPlane() const { return depthAtFarPlane; }

    // Before a draw, with everything but the draw set: the cheaper states where they give the
    // same pixels. unit0Applied says that unit 0's state was applied to the texture it holds now,
    // so that its filters and wrap modes are those of the state. False when the draw changes no
    // pixel: the caller leaves it out (and calls no End).
    bool Begin(Renderer::IRenderer& renderer, const DrawnVertices& draw, const Renderer::ViewportRect& viewport,
               bool unit0Applied);
    // After the draw: notes whether it wrote depth.
    void End(Renderer::IRenderer& renderer);
    // The states as set before the first Begin, back on the renderer.
    void Finish(Renderer::IRenderer& renderer);

private:
    struct Facts;
    bool AlphaTestChangesNothing(const Facts& facts) const;
    bool FragmentsAreOpaque(const Facts& facts) const;
    bool DrawChangesNothing(const Facts& facts) const;
    bool DepthTestPassesAll(const Facts& facts, const DrawnVertices& draw, const Renderer::ViewportRect& viewport) const;
    // Every triangle lies flat on the screen with as many pixels as texels or more, so that
    // filtering reads only level 0 of unit 0's mipmapped texture.
    bool ReadsLevelZeroOnly(const Facts& facts, const DrawnVertices& draw, const Math::Matrix4x4& clip,
                            const Renderer::ViewportRect& viewport, const Math::Matrix4x4& textureMatrix) const;

    bool enabled = true;
    bool depthAtFarPlane = false;
    // The states as set, and which of them the renderer holds in a cheaper form.
    Renderer::AlphaTestingState alphaTesting;
    Renderer::AlphaBlendingState alphaBlending;
    Renderer::DepthBufferState depthBuffer;
    Renderer::StencilBufferState stencilBuffer;
    Renderer::LightingState lighting;
    Renderer::TextureUnit0State unit0;
    bool alphaTestReplaced = false;
    bool blendingReplaced = false;
    bool depthReplaced = false;
    bool unit0Replaced = false;
};
}  // namespace Engine
