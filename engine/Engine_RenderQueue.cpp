#include "engine/Engine_RenderQueue.h"

#include "engine/Engine_Camera.h"
#include "engine/Engine_SceneGraph.h"
#include "engine/Engine_SpriteDrawing.h"
#include "renderer/Renderer_BuiltInEffects.h"
#include "renderer/Renderer_LightingState.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
    drawnViewport = windowViewport;
}

void RenderQueue::LeaveWholeWindow(const Renderer::ScissorState& savedScissor,
                                   const Renderer::ViewportRect& savedViewport)
{
    renderer->SetViewport(savedViewport);
    renderer->SetScissorState(savedScissor);
    drawnViewport = savedViewport;
}

bool RenderQueue::IsLastViewport()
{
    const SceneGraph* scene = SceneGraph::GetCurrent();
    return scene && scene->GetViewportCount() != 0 && scene->GetCurrentViewport() == scene->GetViewportCount() - 1;
}

void RenderQueue::Submit(RenderItem& item)
{
    prepared = false;
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

void RenderQueue::Prepare()
{
    SortOpaque(opaquePlacement.order);
    Place(opaqueItems, opaquePlacement);
    SortByDepth(blendedItems, blendedPlacement.order);
    Place(blendedItems, blendedPlacement);
    prepared = true;
}

void RenderQueue::Render()
{
    if (!renderer)
        return;
    if (!prepared)
        Prepare();
    prepared = false;
    drawnViewport = CurrentViewport(*renderer);
    DrawScreenQuads();
    DrawList(opaqueItems, opaquePlacement);
    DrawRawList(lineItems, lineEffect, Renderer::Primitive::Lines);
    DrawRawList(pointItems, pointEffect, Renderer::Primitive::Points);
    DrawList(blendedItems, blendedPlacement);
    DrawOverlayQuads();
    DrawScreenObjects();
    if (IsLastViewport())
        DrawLastPassList();
}

void RenderQueue::Clear()
{
    prepared = false;
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

namespace
{
// A key whose unsigned order is the order of the depths: equal depths (0 and -0 too) give equal
// keys, a lower depth a lower key.
u32 DepthKey(f32 depth)
{
    const f32 signless = depth + 0.0f; // -0 becomes 0
    u32 bits = 0;
    std::memcpy(&bits, &signless, sizeof bits);
    return (bits & 0x80000000u) ? ~bits : (bits | 0x80000000u);
}
} // namespace

// The order is sorted on keys copied out of the items, so the sort touches no item; ties are
// broken by index, which keeps submission order.
void RenderQueue::SortOpaque(Core::Vector<u32>& order)
{
    const std::less<const void*> before;
    opaqueKeys.resize(opaqueItems.size());
    for (u32 i = 0; i < opaqueItems.size(); ++i)
        opaqueKeys[i] = OpaqueKey{opaqueItems[i].effect.Get(), opaqueItems[i].mesh.Get(), opaqueItems[i].subset, i};
    std::sort(opaqueKeys.begin(), opaqueKeys.end(), [&before](const OpaqueKey& a, const OpaqueKey& b) {
        if (a.effect != b.effect)
            return before(a.effect, b.effect);
        if (a.mesh != b.mesh)
            return before(a.mesh, b.mesh);
        if (a.subset != b.subset)
            return a.subset < b.subset;
        return a.index < b.index;
    });
    order.resize(opaqueKeys.size());
    for (u32 i = 0; i < opaqueKeys.size(); ++i)
        order[i] = opaqueKeys[i].index;
}

// A stable radix sort of the depth keys, a byte at a time from the lowest; a byte that every key
// shares (all of them, when every item lies at one depth) costs one look and no pass.
void RenderQueue::SortByDepth(Core::Vector<RenderItem>& list, Core::Vector<u32>& order)
{
    const u32 count = static_cast<u32>(list.size());
    order.resize(count);
    depthKeys.resize(count);
    for (u32 i = 0; i < count; ++i)
    {
        RenderItem& item = list[i];
        item.depth = Math::TransformPoint(item.world, Math::Vector3D()).z;
        depthKeys[i] = DepthKey(item.depth);
        order[i] = i;
    }
    sortedKeys.resize(count);
    sortedOrder.resize(count);
    for (u32 shift = 0; shift < 32; shift += 8)
    {
        u32 counts[257] = {};
        for (u32 i = 0; i < count; ++i)
            ++counts[((depthKeys[i] >> shift) & 0xFFu) + 1];
        if (count == 0 || counts[((depthKeys[0] >> shift) & 0xFFu) + 1] == count)
            continue;
        for (u32 b = 1; b < 257; ++b)
            counts[b] += counts[b - 1];
        for (u32 i = 0; i < count; ++i)
        {
            const u32 slot = counts[(depthKeys[i] >> shift) & 0xFFu]++;
            sortedKeys[slot] = depthKeys[i];
            sortedOrder[slot] = order[i];
        }
        depthKeys.swap(sortedKeys);
        order.swap(sortedOrder);
    }
}

Renderer::Effect* RenderQueue::EffectOf(const RenderItem& item) const
{
    if (item.primitiveType == Renderer::Primitive::Lines)
        return lineEffect.Get();
    if (item.primitiveType == Renderer::Primitive::Points)
        return pointEffect.Get();
    return item.effect.Get();
}

bool RenderQueue::AppliesUnit0(const Renderer::Pass& pass)
{
    for (u32 i = 0; i < pass.GetStateCount(); ++i)
    {
        if (dynamic_cast<const Renderer::TextureUnit0State*>(pass.GetState(i).Get()))
            return true;
    }
    return false;
}

bool RenderQueue::SharesRun(const RenderItem& a, const RenderItem& b)
{
    const bool setsTexture = a.useQueueDefaults || a.particle;
    return a.effect.Get() == b.effect.Get() && a.primitiveType == b.primitiveType &&
           a.identityView == b.identityView && setsTexture == (b.useQueueDefaults || b.particle) &&
           (!setsTexture || a.texture.Get() == b.texture.Get()) && a.particle == b.particle &&
           (!a.particle || (a.blendSource == b.blendSource && a.blendDestination == b.blendDestination));
}

namespace
{
// An item without an effect to draw through, or naming a subset its mesh lacks, is skipped.
bool IsDrawable(const RenderItem& item, const Renderer::Pass* pass)
{
    return pass && (!item.mesh || item.mesh->GetSubset(item.subset));
}

// Longer runs of quads are drawn in several calls, so that a software rasteriser's threads can
// start on one while the processor places the next.
constexpr std::size_t QuadsPerDraw = 2048;

// No projective part: the processor's affine transform of a point is exact there.
bool IsAffine(const Math::Matrix4x4& m)
{
    return m.e[3] == 0.0f && m.e[7] == 0.0f && m.e[11] == 0.0f && m.e[15] == 1.0f;
}
} // namespace

void RenderQueue::DrawList(Core::Vector<RenderItem>& list, Placement& placement)
{
    const Core::Vector<u32>& drawOrder = placement.order;
    Renderer::IRenderer& r = *renderer;
    const Math::Matrix4x4 savedView = r.GetViewMatrix();
    // A run that follows one through the same pass keeps the states saved before that one: they
    // are put back once, after the last run of the chain, and each run's pass sets its own again.
    bool statesSaved = false;
    std::size_t i = 0;
    while (i < drawOrder.size())
    {
        RenderItem& first = list[drawOrder[i]];
        if ((first.useQueueDefaults || first.particle) && first.effect)
            first.effect->SetTexture(1, first.texture);
        Renderer::Effect* effect = EffectOf(first);
        Renderer::Technique* technique = TechniqueOf(effect);
        Renderer::Pass* pass = PassOf(technique);
        if (!IsDrawable(first, pass))
        {
            ++i;
            continue;
        }
        // The items that follow would put the same texture into the same effect.
        std::size_t end = i + 1;
        while (end < drawOrder.size() && SharesRun(first, list[drawOrder[end]]) &&
               IsDrawable(list[drawOrder[end]], pass))
            ++end;

        if (first.identityView)
            r.SetViewMatrix(Math::Matrix4x4::Identity());
        const Core::RefPtr<Renderer::ITexture> texture = effect->GetTexture(1);
        r.SetPrimitiveType(first.primitiveType);
        r.SetTexture(0, texture);
        if (first.particle)
        {
            if (Renderer::ParticleEffect* particle = dynamic_cast<Renderer::ParticleEffect*>(effect))
            {
                particle->sourceFactor = first.blendSource;
                particle->destinationFactor = first.blendDestination;
            }
            effect->UpdateStates();
        }
        if (!statesSaved)
            technique->SaveStates();
        pass->Apply();
        runAppliesUnit0 = AppliesUnit0(*pass);
        // Lit quads keep their world matrix on the device, which the lighting of their normal needs.
        Renderer::LightingState lighting;
        const bool placeQuads = !r.GetLightingState(lighting).enabled;
        std::size_t quads = i;
        for (std::size_t k = i; k < end; ++k)
        {
            if (placeQuads && placement.quads[k].firstIndex != Placement::NotPlaced)
                continue;
            DrawQuads(list, placement, quads, k);
            DrawItem(list[drawOrder[k]]);
            quads = k + 1;
        }
        DrawQuads(list, placement, quads, end);
        shortcuts.Finish(r);
        const RenderItem* next = end < drawOrder.size() ? &list[drawOrder[end]] : nullptr;
        statesSaved = next && PassOf(TechniqueOf(EffectOf(*next))) == pass && IsDrawable(*next, pass);
        // The next run binds its own texture.
        if (!statesSaved)
        {
            technique->RestoreStates();
            r.SetTexture(0, nullptr);
        }
        if (first.identityView)
            r.SetViewMatrix(savedView);
        i = end;
    }
}

void RenderQueue::DrawItem(const RenderItem& item)
{
    Renderer::IRenderer& r = *renderer;
    if (!item.mesh)
    {
        r.SetPrimitiveType(item.primitiveType);
        r.SetWorldMatrix(item.world);
        r.SetVertexArray(item.vertexArray);
        r.SetCurrentColor(item.color);
        DrawnVertices drawn;
        drawn.primitive = item.primitiveType;
        drawn.positions = item.vertexArray;
        drawn.count = item.vertexCount;
        if (shortcuts.Begin(r, drawn, drawnViewport, false))
        {
            r.Draw(static_cast<i32>(item.vertexCount));
            shortcuts.End(r);
        }
        r.SetVertexArray(nullptr);
        r.SetColorArray(nullptr);
        return;
    }
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
        DrawnVertices drawn;
        mesh.DescribeSubset(item.subset, drawn);
        if (shortcuts.Begin(r, drawn, drawnViewport, runAppliesUnit0))
        {
            mesh.DrawSubset(r, item.subset);
            shortcuts.End(r);
        }
        mesh.ResetArrays(r);
    }
}

bool RenderQueue::IsBatchableSubset(u32 subset) const
{
    const Mesh& mesh = *defaultQuadMesh;
    const MeshSubset* range = mesh.GetSubset(subset);
    if (mesh.GetVertexBuffer() || mesh.GetPrimitive() != Renderer::Primitive::Triangles || mesh.GetColorCount() != 0 ||
        !range || range->first > range->last || range->last >= mesh.GetIndexCount())
        return false;
    const u32 vertices = std::min(mesh.GetPositionCount(), mesh.GetTexCoordCount());
    for (u32 index = range->first; index <= range->last; ++index)
    {
        if (mesh.GetIndex(index) >= vertices)
            return false;
    }
    return true;
}

void RenderQueue::Place(const Core::Vector<RenderItem>& list, Placement& placement)
{
    const Mesh& mesh = *defaultQuadMesh;
    placement.quads.resize(placement.order.size());
    placement.positions.clear();
    placement.texCoords.clear();
    placement.indices.clear();
    u32 cornersOf = RenderItem::NoSubset;
    // Whether the subset last asked about can be drawn with others: most items name the same one.
    u32 checkedSubset = RenderItem::NoSubset;
    bool subsetBatchable = false;
    for (std::size_t k = 0; k < placement.order.size(); ++k)
    {
        const RenderItem& item = list[placement.order[k]];
        Placement::Quad& quad = placement.quads[k];
        quad.firstVertex = static_cast<u32>(placement.positions.size());
        quad.firstIndex = static_cast<u32>(placement.indices.size());
        bool batchable = item.mesh.Get() == defaultQuadMesh.Get() && IsAffine(item.world) && IsAffine(item.textureMatrix);
        if (batchable && item.subset != checkedSubset)
        {
            subsetBatchable = IsBatchableSubset(item.subset);
            checkedSubset = item.subset;
        }
        if (!batchable || !subsetBatchable)
        {
            quad.vertexCount = 0;
            quad.indexCount = 0;
            quad.firstIndex = Placement::NotPlaced;
            continue;
        }
        if (item.subset != cornersOf)
        {
            FindCorners(mesh, item.subset);
            cornersOf = item.subset;
        }
        // Each distinct corner is placed once and the triangles index it, as the mesh's own
        // indices would: the same vertices, so the same pixels.
        const f32* t = item.textureMatrix.e;
        for (const u32 vertex : corners)
        {
            placement.positions.push_back(Math::TransformPoint(item.world, mesh.GetPosition(vertex)));
            const Math::Vector2D uv = mesh.GetTexCoord(vertex);
            placement.texCoords.push_back(
                Math::Vector2D(t[0] * uv.x + t[4] * uv.y + t[12], t[1] * uv.x + t[5] * uv.y + t[13]));
        }
        for (const u32 corner : cornerIndices)
            placement.indices.push_back(quad.firstVertex + corner);
        quad.vertexCount = static_cast<u32>(corners.size());
        quad.indexCount = static_cast<u32>(cornerIndices.size());
    }
}

void RenderQueue::DrawQuads(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t first,
                            std::size_t end)
{
    if (end <= first)
        return;
    std::size_t from = first;
    while (from < end)
    {
        std::size_t to = from;
        while (to < end && to - from < QuadsPerDraw &&
               list[placement.order[to]].shownPart == Renderer::TextureRegion())
            ++to;
        if (to > from)
        {
            DrawQuadCall(list, placement, from, to);
            from = to;
            continue;
        }
        DrawShownPart(list, placement, from);
        ++from;
    }
    // What drawing the last item on its own leaves behind.
    Renderer::IRenderer& r = *renderer;
    const RenderItem& last = list[placement.order[end - 1]];
    r.SetCurrentColor(last.color);
    r.SetWorldMatrix(last.world);
    r.SetTextureMatrix(0, last.textureMatrix);
}

void RenderQueue::DrawQuadCall(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t first,
                               std::size_t end)
{
    const Mesh& mesh = *defaultQuadMesh;
    const Math::Color& color = list[placement.order[first]].color;
    bool oneColor = true;
    for (std::size_t k = first + 1; k < end && oneColor; ++k)
        oneColor = list[placement.order[k]].color == color;
    if (!oneColor)
    {
        placement.colors.resize(placement.positions.size());
        for (std::size_t k = first; k < end; ++k)
        {
            const Placement::Quad& quad = placement.quads[k];
            std::fill_n(placement.colors.begin() + quad.firstVertex, quad.vertexCount, list[placement.order[k]].color);
        }
    }
    // The quads of a call lie side by side in the placement, their indices too.
    const Placement::Quad& last = placement.quads[end - 1];
    const u32 firstIndex = placement.quads[first].firstIndex;
    const u32 indexCount = last.firstIndex + last.indexCount - firstIndex;
    Renderer::IRenderer& r = *renderer;
    r.SetWorldMatrix(Math::Matrix4x4::Identity());
    r.SetTextureMatrix(0, Math::Matrix4x4::Identity());
    r.SetVertexArray(&placement.positions.front().x);
    r.SetIndexArray32(placement.indices.data() + firstIndex);
    r.SetNormalArray(nullptr);
    // A run in one colour draws in the current colour, as its items alone would.
    r.SetColorArray(oneColor ? nullptr : placement.colors.data());
    if (oneColor)
        r.SetCurrentColor(color);
    r.SetSecondaryColorArray(nullptr);
    r.SetTexCoordArray(0, &placement.texCoords.front().x);
    r.SetPrimitiveType(mesh.GetPrimitive());
    DrawnVertices drawn;
    drawn.primitive = mesh.GetPrimitive();
    drawn.positions = &placement.positions.front().x;
    drawn.texCoords = &placement.texCoords.front().x;
    drawn.indices32 = placement.indices.data() + firstIndex;
    drawn.count = indexCount;
    drawn.colorArray = !oneColor;
    if (shortcuts.Begin(r, drawn, drawnViewport, runAppliesUnit0))
    {
        r.DrawRange(0, indexCount - 1);
        shortcuts.End(r);
    }
    mesh.ResetArrays(r);
}

// The quad alone, its triangles as they are, so that every pixel it draws is the pixel it draws
// whole; the scissor keeps the rasteriser off the rest.
void RenderQueue::DrawShownPart(const Core::Vector<RenderItem>& list, Placement& placement, std::size_t position)
{
    Renderer::IRenderer& r = *renderer;
    Renderer::ScissorState saved;
    r.GetScissorState(saved);
    Renderer::ScissorState cut;
    if (!ShownRect(list[placement.order[position]], saved, cut))
    {
        DrawQuadCall(list, placement, position, position + 1);
        return;
    }
    r.SetScissorState(cut);
    DrawQuadCall(list, placement, position, position + 1);
    r.SetScissorState(saved);
}

bool RenderQueue::ShownRect(const RenderItem& item, const Renderer::ScissorState& current, Renderer::ScissorState& cut) const
{
    Renderer::IRenderer& r = *renderer;
    const Renderer::TextureRegion& part = item.shownPart;
    cut = current;
    cut.enabled = 1;
    if (!(part.right > part.left) || !(part.top > part.bottom))
    {
        cut.width = 0;
        cut.height = 0;
        return true;
    }
    const Math::Matrix4x4 toClip = r.GetProjectionMatrix() * r.GetViewMatrix() * item.world;
    const Renderer::ViewportRect& viewport = drawnViewport;
    // The default quad's corner at texture coordinates (u, v) lies at (u - 0.5, v - 0.5).
    f32 low[2] = {0.0f, 0.0f};
    f32 high[2] = {0.0f, 0.0f};
    for (u32 corner = 0; corner < 4; ++corner)
    {
        const Math::Vector3D point((corner & 1u ? part.right : part.left) - 0.5f,
                                   (corner & 2u ? part.top : part.bottom) - 0.5f, 0.0f);
        const f32* e = toClip.e;
        const f32 w = e[3] * point.x + e[7] * point.y + e[11] * point.z + e[15];
        if (!(w > 0.0f))
            return false;
        const f32 window[2] = {
            static_cast<f32>(viewport.x) +
                ((e[0] * point.x + e[4] * point.y + e[8] * point.z + e[12]) / w + 1.0f) * 0.5f * static_cast<f32>(viewport.width),
            static_cast<f32>(viewport.y) +
                ((e[1] * point.x + e[5] * point.y + e[9] * point.z + e[13]) / w + 1.0f) * 0.5f * static_cast<f32>(viewport.height)};
        for (u32 axis = 0; axis < 2; ++axis)
        {
            if (!std::isfinite(window[axis]))
                return false;
            low[axis] = corner == 0 ? window[axis] : std::min(low[axis], window[axis]);
            high[axis] = corner == 0 ? window[axis] : std::max(high[axis], window[axis]);
        }
    }
    // A pixel whose centre lies in the part is inside, with a pixel to spare for rounding; far
    // off the window the rectangle stops, so that it stays a small integer.
    static constexpr f32 Reach = 1048576.0f;
    const auto lowEdge = [](f32 value) { return static_cast<i32>(std::floor(std::clamp(value, -Reach, Reach))) - 1; };
    const auto highEdge = [](f32 value) { return static_cast<i32>(std::ceil(std::clamp(value, -Reach, Reach))) + 1; };
    i32 x0 = lowEdge(low[0]);
    i32 y0 = lowEdge(low[1]);
    i32 x1 = highEdge(high[0]);
    i32 y1 = highEdge(high[1]);
    if (current.enabled)
    {
        x0 = std::max(x0, current.x);
        y0 = std::max(y0, current.y);
        x1 = std::min(x1, current.x + std::max(current.width, 0));
        y1 = std::min(y1, current.y + std::max(current.height, 0));
    }
    cut.x = x0;
    cut.y = y0;
    cut.width = std::max(x1 - x0, 0);
    cut.height = std::max(y1 - y0, 0);
    return true;
}

void RenderQueue::FindCorners(const Mesh& mesh, u32 subset)
{
    corners.clear();
    cornerIndices.clear();
    const MeshSubset& range = *mesh.GetSubset(subset);
    for (u32 index = range.first; index <= range.last; ++index)
    {
        const u32 vertex = mesh.GetIndex(index);
        u32 corner = 0;
        while (corner < corners.size() && !(mesh.GetPosition(corners[corner]) == mesh.GetPosition(vertex) &&
                                             mesh.GetTexCoord(corners[corner]) == mesh.GetTexCoord(vertex)))
            ++corner;
        if (corner == corners.size())
            corners.push_back(vertex);
        cornerIndices.push_back(corner);
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
        DrawnVertices drawn;
        drawn.primitive = primitive;
        drawn.positions = item.vertexArray;
        drawn.count = item.vertexCount;
        drawn.colorArray = primitive == Renderer::Primitive::Points && item.colorArray;
        if (shortcuts.Begin(r, drawn, drawnViewport, false))
        {
            r.Draw(static_cast<i32>(item.vertexCount));
            shortcuts.End(r);
        }
        r.SetVertexArray(nullptr);
        r.SetColorArray(nullptr);
    }
    shortcuts.Finish(r);
    technique->RestoreStates();
}

void RenderQueue::DrawLastPassList()
{
    Renderer::IRenderer& r = *renderer;
    Renderer::ScissorState savedScissor;
    Renderer::ViewportRect savedViewport;
    EnterWholeWindow(savedScissor, savedViewport);

    SortByDepth(lastPassItems, lastPassPlacement.order);
    Place(lastPassItems, lastPassPlacement);

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

    DrawList(lastPassItems, lastPassPlacement);

    r.SetViewMatrix(savedView);
    r.SetProjectionMatrix(savedProjection);
    LeaveWholeWindow(savedScissor, savedViewport);
}
} // namespace Engine
