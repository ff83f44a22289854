// The render queue's passes in window coordinates: background quads at the start of every
// viewport, overlay quads and screen objects at its end, and the GUI's screen objects after all
// viewports.
#include "engine/Engine_RenderQueue.h"

#include <algorithm>

namespace Engine
{
namespace
{
// The technique, pass and texture a quad draws with.
struct QuadState
{
    Renderer::Technique* technique = nullptr;
    Renderer::Pass* pass = nullptr;
    Renderer::ITexture* texture = nullptr;
};

// Saves view and projection and sets identity and an orthographic projection for its lifetime.
class WindowCoordinates
{
public:
    WindowCoordinates(Renderer::IRenderer& renderer, f32 left, f32 right, f32 bottom, f32 top)
        : renderer(renderer), savedView(renderer.GetViewMatrix()), savedProjection(renderer.GetProjectionMatrix())
    {
        renderer.SetViewMatrix(Math::Matrix4x4::Identity());
        renderer.SetProjectionMatrix(Math::Matrix4x4::Ortho(left, right, bottom, top));
    }
    // One unit per pixel of the viewport, from its own lower-left corner.
    WindowCoordinates(Renderer::IRenderer& renderer, const Renderer::ViewportRect& viewport)
        : WindowCoordinates(renderer, 0.0f, static_cast<f32>(viewport.width), 0.0f, static_cast<f32>(viewport.height))
    {
    }
    ~WindowCoordinates()
    {
        renderer.SetTextureMatrix(0, Math::Matrix4x4::Identity());
        renderer.SetProjectionMatrix(savedProjection);
        renderer.SetViewMatrix(savedView);
    }
    WindowCoordinates(const WindowCoordinates&) = delete;
    WindowCoordinates& operator=(const WindowCoordinates&) = delete;

private:
    Renderer::IRenderer& renderer;
    Math::Matrix4x4 savedView;
    Math::Matrix4x4 savedProjection;
};

QuadState QuadStateOf(const TextRenderContext& quad)
{
    QuadState state;
    state.technique = RenderQueue::TechniqueOf(quad.effect.Get());
    state.pass = RenderQueue::PassOf(state.technique);
    state.texture = quad.texture.Get();
    return state;
}
} // namespace

void RenderQueue::SubmitScreenQuad(TextRenderContext& quad)
{
    if (!quad.texture)
        return;
    quad.effect = texturedOpaqueEffect;
    screenQuads.push_back(quad);
}

void RenderQueue::SubmitScreenObject(ScreenObject* object)
{
    if (object && object->IsValid())
        hudScreenObjects.emplace_back(object);
}

void RenderQueue::SubmitOverlayQuad(const TextRenderContext& quad)
{
    if (quad.IsValid())
        overlayQuads.push_back(quad);
}

void RenderQueue::SubmitViewportScreenObject(ScreenObject* object)
{
    if (object && object->IsValid())
        viewportScreenObjects.emplace_back(object);
}

void RenderQueue::ClearScreenObjects()
{
    hudScreenObjects.clear();
}

bool RenderQueue::CompareQuadDepth(const TextRenderContext& a, const TextRenderContext& b)
{
    return a.depth < b.depth;
}

bool RenderQueue::CompareScreenDepth(const Core::RefPtr<ScreenObject>& a, const Core::RefPtr<ScreenObject>& b)
{
    return a->GetDepth() < b->GetDepth();
}

void RenderQueue::SetScreenArrays(const Math::Matrix4x4& world, const Math::Matrix4x4& textureMatrix,
                                  const f32* vertices, const u16* indices, const f32* texCoords,
                                  const Math::Color& color)
{
    Renderer::IRenderer& r = *renderer;
    r.SetWorldMatrix(world);
    r.SetTextureMatrix(0, textureMatrix);
    r.SetColorArray(nullptr);
    r.SetSecondaryColorArray(nullptr);
    r.SetNormalArray(nullptr);
    r.SetVertexArray(vertices);
    r.SetIndexArray16(indices);
    r.SetTexCoordArray(0, texCoords);
    r.SetCurrentColor(color);
}

void RenderQueue::ResetScreenArrays()
{
    Renderer::IRenderer& r = *renderer;
    r.SetColorArray(nullptr);
    r.SetSecondaryColorArray(nullptr);
    r.SetNormalArray(nullptr);
    r.SetVertexArray(nullptr);
    r.SetIndexArray16(nullptr);
    r.SetTexCoordArray(0, nullptr);
}

void RenderQueue::DrawScreenQuads()
{
    Renderer::IRenderer& r = *renderer;
    const Renderer::ViewportRect& viewport = drawnViewport;
    const WindowCoordinates coordinates(r, static_cast<f32>(viewport.x), static_cast<f32>(viewport.x + viewport.width),
                                        static_cast<f32>(viewport.y), static_cast<f32>(viewport.y + viewport.height));
    // Neighbouring quads that share texture, technique or pass keep the renderer's state between
    // them.
    for (std::size_t i = 0; i < screenQuads.size(); ++i)
    {
        const TextRenderContext& quad = screenQuads[i];
        const QuadState current = QuadStateOf(quad);
        const QuadState previous = i > 0 ? QuadStateOf(screenQuads[i - 1]) : QuadState();
        const QuadState next = i + 1 < screenQuads.size() ? QuadStateOf(screenQuads[i + 1]) : QuadState();

        if (current.texture && current.texture != previous.texture)
            r.SetTexture(0, current.texture);
        if (current.technique && current.technique != previous.technique)
            current.technique->SaveStates();
        if (current.pass && current.pass != previous.pass)
            current.pass->Apply();

        SetScreenArrays(quad.world, quad.textureMatrix, quad.vertices, quad.indices, quad.texCoords, quad.color);
        r.SetPrimitiveType(Renderer::Primitive::Triangles);
        const u32 count = quad.GetIndexCount();
        if (count != 0)
        {
            DrawnVertices drawn;
            drawn.positions = quad.vertices;
            drawn.texCoords = quad.texCoords;
            drawn.indices16 = quad.indices;
            drawn.count = count;
            // The pass may have been applied to the texture of a quad before.
            if (shortcuts.Begin(r, drawn, viewport, false))
            {
                r.DrawRange(0, count - 1);
                shortcuts.End(r);
            }
            shortcuts.Finish(r);
        }
        ResetScreenArrays();

        if (current.technique && current.technique != next.technique)
            current.technique->RestoreStates();
        if (current.texture && current.texture != next.texture)
            r.SetTexture(0, nullptr);
    }
}

Renderer::Pass* RenderQueue::PassOfElement(const ScreenObject& object)
{
    const Core::RefPtr<Renderer::Effect> effect = object.GetEffect();
    return PassOf(TechniqueOf(effect.Get()));
}

bool RenderQueue::DrawScreenElement(ScreenObject& object, Renderer::PrimitiveType primitive, u32 count,
                                    bool statesSaved, const ScreenObject* next)
{
    Renderer::IRenderer& r = *renderer;
    const Core::RefPtr<Renderer::Effect> effect = object.GetEffect();
    Renderer::Technique* technique = TechniqueOf(effect.Get());
    Renderer::Pass* pass = PassOf(technique);
    const Core::RefPtr<Renderer::ITexture> texture = object.GetTexture();
    object.PrepareDraw();
    if (texture)
        r.SetTexture(0, texture);
    if (technique && !statesSaved)
        technique->SaveStates();
    if (pass)
        pass->Apply();
    SetScreenArrays(*object.GetWorldMatrix(), *object.GetTextureMatrix(), object.GetVertices(), object.GetIndices(),
                    object.GetTexCoords(), object.GetColor());
    r.SetPrimitiveType(primitive);
    const bool stipple = object.GetKind() == ScreenObjectKind::StippledLine && object.IsStippleEnabled();
    if (stipple)
    {
        r.SetLineStippleEnabled(1);
        r.SetLineStipplePattern(object.GetStipplePattern());
        r.SetLineStippleFactor(static_cast<i32>(object.GetStippleFactor()));
    }
    if (count != 0)
    {
        DrawnVertices drawn;
        drawn.primitive = primitive;
        drawn.positions = object.GetVertices();
        drawn.texCoords = object.GetTexCoords();
        drawn.indices16 = object.GetIndices();
        drawn.count = count;
        if (shortcuts.Begin(r, drawn, drawnViewport, texture && pass && AppliesUnit0(*pass)))
        {
            r.DrawRange(0, count - 1);
            shortcuts.End(r);
        }
        shortcuts.Finish(r);
    }
    if (stipple)
        r.SetLineStippleEnabled(0);
    ResetScreenArrays();
    // An element that follows through the same pass, with a texture of its own, sets its states
    // and binds its texture again: the states go back once, after the last of them.
    const bool keepsStates = technique && pass && next && next->GetTexture() && PassOfElement(*next) == pass;
    if (keepsStates)
        return true;
    if (technique)
        technique->RestoreStates();
    if (texture)
        r.SetTexture(0, nullptr);
    return false;
}

void RenderQueue::DrawHudScreenObjects()
{
    // Taken out of the queue first: the objects may submit again while they are drawn, and a host
    // without a renderer must not pile them up frame after frame.
    Core::Vector<Core::RefPtr<ScreenObject>> objects;
    objects.swap(hudScreenObjects);
    if (!renderer)
        return;
    Renderer::IRenderer& r = *renderer;
    std::sort(objects.begin(), objects.end(), CompareScreenDepth);

    Renderer::ScissorState savedScissor;
    Renderer::ViewportRect savedViewport;
    EnterWholeWindow(savedScissor, savedViewport);
    const Renderer::DisplaySettings display = r.GetDisplaySettings();
    {
        const WindowCoordinates coordinates(r, 0.0f, static_cast<f32>(display.width), 0.0f,
                                            static_cast<f32>(display.height));
        bool statesSaved = false;
        for (std::size_t i = 0; i < objects.size(); ++i)
            statesSaved = DrawScreenElement(*objects[i], objects[i]->GetPrimitiveType(), objects[i]->GetIndexCount(),
                                            statesSaved, i + 1 < objects.size() ? objects[i + 1].Get() : nullptr);
    }
    LeaveWholeWindow(savedScissor, savedViewport);
    // The frame's last pass: what draws before the next viewport's clear is not the queue's to
    // follow.
    shortcuts.SetDepthAtFarPlane(false);
}

void RenderQueue::DrawOverlayQuads()
{
    if (overlayQuads.empty())
        return;
    std::sort(overlayQuads.begin(), overlayQuads.end(), CompareQuadDepth);
    const WindowCoordinates coordinates(*renderer, drawnViewport);
    bool statesSaved = false;
    for (std::size_t i = 0; i < overlayQuads.size(); ++i)
        statesSaved = DrawScreenElement(overlayQuads[i], Renderer::Primitive::Triangles, TextRenderContext::IndexCount,
                                        statesSaved, i + 1 < overlayQuads.size() ? &overlayQuads[i + 1] : nullptr);
}

void RenderQueue::DrawScreenObjects()
{
    if (viewportScreenObjects.empty())
        return;
    std::sort(viewportScreenObjects.begin(), viewportScreenObjects.end(), CompareScreenDepth);
    const WindowCoordinates coordinates(*renderer, drawnViewport);
    bool statesSaved = false;
    for (std::size_t i = 0; i < viewportScreenObjects.size(); ++i)
        statesSaved = DrawScreenElement(*viewportScreenObjects[i], viewportScreenObjects[i]->GetPrimitiveType(),
                                        viewportScreenObjects[i]->GetIndexCount(), statesSaved,
                                        i + 1 < viewportScreenObjects.size() ? viewportScreenObjects[i + 1].Get() : nullptr);
}
} // namespace Engine
