#include "engine/Engine_RenderQueue.h"

#include "engine/Engine_Camera.h"
#include "engine/Engine_SceneGraph.h"
#include "renderer/Renderer_BuiltInEffects.h"

#include <algorithm>
#include <cmath>

namespace Engine
{
namespace
{
RenderQueue* instance = nullptr;

// Field of view and depth range of the last pass.
constexpr f32 LastPassFieldOfView = 45.0f;
constexpr f32 LastPassNear = 1.0f;
constexpr f32 LastPassFar = 10000.0f;
constexpr f32 DegreesToRadians = 0.017453292f;

// The unit square centred on the origin, two triangles, that sprites scale with their matrix.
Core::RefPtr<Mesh> MakeDefaultQuadMesh()
{
    Core::RefPtr<Mesh> mesh(new (__FILE__, __LINE__) Mesh());
    const Math::Vector3D positions[6] = {{-0.5f, -0.5f, 0.0f}, {0.5f, -0.5f, 0.0f}, {0.5f, 0.5f, 0.0f},
                                         {0.5f, 0.5f, 0.0f},   {-0.5f, 0.5f, 0.0f}, {-0.5f, -0.5f, 0.0f}};
    const Math::Vector2D texCoords[6] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f},
                                         {1.0f, 1.0f}, {0.0f, 1.0f}, {0.0f, 0.0f}};
    for (u32 i = 0; i < 6; ++i)
    {
        mesh->AddPosition(positions[i]);
        mesh->AddIndex(i);
        mesh->AddTexCoord(texCoords[i]);
    }
    MeshSubset subset;
    subset.first = 0;
    subset.last = 5;
    subset.blended = 1;
    mesh->AddSubset(subset);
    mesh->SetPrimitive(Renderer::Primitive::Triangles);
    return mesh;
}
} // namespace

RenderQueue::RenderQueue()
    : lineEffect(Renderer::CreateLineEffect()), pointEffect(Renderer::CreatePointEffect()),
      defaultEffect(Renderer::CreateColoredTexturedEffect()),
      texturedOpaqueEffect(Renderer::CreateTexturedOpaqueEffect()), particleEffect(Renderer::CreateParticleEffect()),
      defaultQuadMesh(MakeDefaultQuadMesh())
{
    instance = this;
}

RenderQueue::~RenderQueue()
{
    if (instance == this)
        instance = nullptr;
}

RenderQueue* RenderQueue::GetInstance()
{
    return instance;
}

void RenderQueue::SetCamera(Camera* value)
{
    camera = value;
}

Core::RefPtr<Camera> RenderQueue::GetCamera() const
{
    return camera;
}

Renderer::Technique* RenderQueue::TechniqueOf(const Renderer::Effect* effect)
{
    if (!effect || effect->GetTechniqueCount() == 0)
        return nullptr;
    return effect->GetTechnique(0).Get();
}

Renderer::Pass* RenderQueue::PassOf(const Renderer::Technique* technique)
{
    if (!technique || technique->GetPassCount() == 0)
        return nullptr;
    return technique->GetPass(0).Get();
}

void RenderQueue::EnterWholeWindow(Renderer::ScissorState& savedScissor, Renderer::ViewportRect& savedViewport)
{
    Renderer::IRenderer& r = *renderer;
    const Renderer::DisplaySettings display = r.GetDisplaySettings();
    r.GetScissorState(savedScissor);
    Renderer::ScissorState wholeWindow;
    wholeWindow.x = 0;
    wholeWindow.y = 0;
    wholeWindow.width = display.width;
    wholeWindow.height = display.height;
    wholeWindow.enabled = 0;
    r.SetScissorState(wholeWindow);
    savedViewport = r.GetViewport();
    Renderer::ViewportRect windowViewport;
    windowViewport.width = display.width;
    windowViewport.height = display.height;
    r.SetViewport(windowViewport);
}

void RenderQueue::LeaveWholeWindow(const Renderer::ScissorState& savedScissor,
                                   const Renderer::ViewportRect& savedViewport)
{
    renderer->SetViewport(savedViewport);
    renderer->SetScissorState(savedScissor);
}

bool RenderQueue::IsLastViewport()
{
    const SceneGraph* scene = SceneGraph::GetCurrent();
    return scene && scene->GetViewportCount() != 0 && scene->GetCurrentViewport() == scene->GetViewportCount() - 1;
}

void RenderQueue::Submit(RenderItem& item)
{
    if (item.useQueueDefaults)
    {
        item.effect = defaultEffect;
        item.mesh = defaultQuadMesh;
        if (item.lastPassOnly)
        {
            if (IsLastViewport())
                lastPassItems.push_back(item);
            return;
        }
        blendedItems.push_back(item);
        return;
    }
    if (item.lastPassOnly)
    {
        if (IsLastViewport())
        {
            if (item.particle)
                item.effect = particleEffect.Get();
            lastPassItems.push_back(item);
        }
        return;
    }
    const bool effectBlended = item.effect && item.effect->IsBlended();
    if (item.mesh)
    {
        if (item.particle)
            item.effect = particleEffect.Get();
        const MeshSubset* subset = item.mesh->GetSubset(item.subset);
        if (!subset)
            return;
        if (!subset->blended && !effectBlended)
            opaqueItems.push_back(item);
        else
            blendedItems.push_back(item);
        return;
    }
    if (item.primitiveType == Renderer::Primitive::Points || item.primitiveType == Renderer::Primitive::Lines)
        blendedItems.push_back(item);
}

void RenderQueue::SubmitLines(const RenderItem& item)
{
    lineItems.push_back(item);
}

void RenderQueue::SubmitPoints(const RenderItem& item)
{
    pointItems.push_back(item);
}

void RenderQueue::Render()
{
    if (!renderer)
        return;
    DrawScreenQuads();
    std::sort(opaqueItems.begin(), opaqueItems.end(), CompareOpaque);
    DrawList(opaqueItems);
    DrawRawList(lineItems, lineEffect, Renderer::Primitive::Lines);
    DrawRawList(pointItems, pointEffect, Renderer::Primitive::Points);
    SortByDepth(blendedItems);
    DrawList(blendedItems);
    DrawOverlayQuads();
    DrawScreenObjects();
    if (IsLastViewport())
        DrawLastPassList();
}

void RenderQueue::Clear()
{
    opaqueItems.clear();
    blendedItems.clear();
    overlayQuads.clear();
    screenQuads.clear();
    viewportScreenObjects.clear();
    lineItems.clear();
    pointItems.clear();
    if (IsLastViewport())
        lastPassItems.clear();
}

bool RenderQueue::CompareOpaque(const RenderItem& a, const RenderItem& b)
{
    const std::less<const void*> before;
    if (a.effect.Get() != b.effect.Get())
        return before(a.effect.Get(), b.effect.Get());
    if (a.mesh.Get() != b.mesh.Get())
        return before(a.mesh.Get(), b.mesh.Get());
    return a.subset < b.subset;
}

bool RenderQueue::CompareDepth(const RenderItem& a, const RenderItem& b)
{
    return a.depth < b.depth;
}

void RenderQueue::SortByDepth(Core::Vector<RenderItem>& list)
{
    for (RenderItem& item : list)
        item.depth = Math::TransformPoint(item.world, Math::Vector3D()).z;
    std::sort(list.begin(), list.end(), CompareDepth);
}

void RenderQueue::DrawList(Core::Vector<RenderItem>& list)
{
    Renderer::IRenderer& r = *renderer;
    const Math::Matrix4x4 savedView = r.GetViewMatrix();
    for (RenderItem& item : list)
    {
        if ((item.useQueueDefaults || item.particle) && item.effect)
            item.effect->SetTexture(1, item.texture);
        Renderer::Effect* effect = item.effect.Get();
        if (item.primitiveType == Renderer::Primitive::Lines)
            effect = lineEffect.Get();
        else if (item.primitiveType == Renderer::Primitive::Points)
            effect = pointEffect.Get();
        Renderer::Technique* technique = TechniqueOf(effect);
        Renderer::Pass* pass = PassOf(technique);
        // An item without an effect to draw through, or naming a subset its mesh lacks, is skipped.
        if (!pass || (item.mesh && !item.mesh->GetSubset(item.subset)))
            continue;

        if (item.identityView)
            r.SetViewMatrix(Math::Matrix4x4::Identity());
        const Core::RefPtr<Renderer::ITexture> texture = effect->GetTexture(1);
        r.SetPrimitiveType(item.primitiveType);
        r.SetTexture(0, texture);
        if (item.particle)
        {
            if (Renderer::ParticleEffect* particle = dynamic_cast<Renderer::ParticleEffect*>(effect))
            {
                particle->sourceFactor = item.blendSource;
                particle->destinationFactor = item.blendDestination;
            }
            effect->UpdateStates();
        }
        technique->SaveStates();
        pass->Apply();
        if (!item.mesh)
        {
            r.SetWorldMatrix(item.world);
            r.SetVertexArray(item.vertexArray);
            r.SetCurrentColor(item.color);
            r.Draw(static_cast<i32>(item.vertexCount));
            r.SetVertexArray(nullptr);
            r.SetColorArray(nullptr);
        }
        else
        {
            // A mesh that holds a vertex buffer is drawn from its buffers, any other from its lists.
            const Mesh& mesh = *item.mesh;
            const bool buffered = mesh.GetVertexBuffer().Get() != nullptr;
            if (buffered)
                mesh.ApplyBuffers(r);
            else
                mesh.ApplyArrays(r);
            r.SetCurrentColor(item.color);
            r.SetWorldMatrix(item.world);
            r.SetTextureMatrix(0, item.textureMatrix);
            if (buffered)
            {
                mesh.DrawSubsetBuffered(r, item.subset);
                mesh.ResetBuffers(r);
            }
            else
            {
                mesh.DrawSubset(r, item.subset);
                mesh.ResetArrays(r);
            }
        }
        technique->RestoreStates();
        r.SetTexture(0, nullptr);
        if (item.identityView)
            r.SetViewMatrix(savedView);
    }
}

void RenderQueue::DrawRawList(const Core::Vector<RenderItem>& list, Renderer::Effect* effect,
                              Renderer::PrimitiveType primitive)
{
    Renderer::Technique* technique = TechniqueOf(effect);
    Renderer::Pass* pass = PassOf(technique);
    if (list.empty() || !pass)
        return;
    Renderer::IRenderer& r = *renderer;
    technique->SaveStates();
    pass->Apply();
    for (const RenderItem& item : list)
    {
        r.SetWorldMatrix(item.world);
        r.SetPrimitiveType(primitive);
        r.SetVertexArray(item.vertexArray);
        // Lines are drawn in the item's colour, points in their own.
        if (primitive == Renderer::Primitive::Points)
            r.SetColorArray(item.colorArray);
        else
            r.SetCurrentColor(item.color);
        r.Draw(static_cast<i32>(item.vertexCount));
        r.SetVertexArray(nullptr);
        r.SetColorArray(nullptr);
    }
    technique->RestoreStates();
}

void RenderQueue::DrawLastPassList()
{
    Renderer::IRenderer& r = *renderer;
    Renderer::ScissorState savedScissor;
    Renderer::ViewportRect savedViewport;
    EnterWholeWindow(savedScissor, savedViewport);

    SortByDepth(lastPassItems);

    const Renderer::DisplaySettings display = r.GetDisplaySettings();
    const Math::Matrix4x4 savedView = r.GetViewMatrix();
    const Math::Matrix4x4 savedProjection = r.GetProjectionMatrix();
    const f32 width = static_cast<f32>(display.width);
    const f32 height = static_cast<f32>(display.height);
    const f32 aspect = display.height != 0 ? width / height : 1.0f;
    r.SetProjectionMatrix(Math::Matrix4x4::Perspective(LastPassFieldOfView, aspect, LastPassNear, LastPassFar));
    // The eye distance at which one world unit at z = 0 is one pixel.
    const f32 distance = height / (2.0f * std::tan(LastPassFieldOfView * 0.5f * DegreesToRadians));
    r.SetViewMatrix(Math::Matrix4x4::Translation(0.0f, 0.0f, -distance));

    DrawList(lastPassItems);

    r.SetViewMatrix(savedView);
    r.SetProjectionMatrix(savedProjection);
    LeaveWholeWindow(savedScissor, savedViewport);
}
} // namespace Engine
