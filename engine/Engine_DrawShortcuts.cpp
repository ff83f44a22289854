#include "engine/Engine_DrawShortcuts.h"

#include "renderer/Renderer_Texture.h"

#include <cmath>

namespace Engine
{
struct DrawShortcuts::Facts
{
    Math::Color color;
    bool colorArray = false;
    // Unit 0 holds a two-dimensional texture, its state was applied to it, and no other unit holds
    // one.
    const Renderer::ITexture* texture = nullptr;
    bool otherUnitsEmpty = true;
    bool unit0Applied = false;
};

namespace
{
// The vertex drawn at a place of the draw.
u32 VertexAt(const DrawnVertices& draw, u32 place)
{
    if (draw.indices32)
        return draw.indices32[place];
    if (draw.indices16)
        return draw.indices16[place];
    return place;
}

// Blending by source alpha over (one minus) source alpha, or adding it: a fragment of alpha 0
// leaves the destination whole.
bool BlendKeepsDestinationAtAlphaZero(const Renderer::AlphaBlendingState& blending)
{
    return blending.enabled && blending.source == Renderer::BlendFactor::SourceAlpha &&
           (blending.destination == Renderer::BlendFactor::OneMinusSourceAlpha ||
            blending.destination == Renderer::BlendFactor::One);
}

bool WrapReadsNoBorder(u32 wrap)
{
    return wrap == Renderer::TextureWrap::Repeat || wrap == Renderer::TextureWrap::ClampToEdge;
}

// Every vertex lies in front of the eye and short of the far plane, so that no fragment reaches
// the cleared depth. With every w positive and z/w below 1 less a margin far wider than the
// rounding of any transform or interpolation, each point of the primitives, a mix of its vertices,
// stays that far short of the far plane after clipping too.
bool StaysShortOfFarPlane(const Math::Matrix4x4& clip, const DrawnVertices& draw)
{
    const f32* m = clip.e;
    constexpr f32 Limit = 1.0f - 1.0f / 262144.0f;
    for (u32 k = 0; k < draw.count; ++k)
    {
        const f32* v = draw.positions + static_cast<std::size_t>(VertexAt(draw, draw.first + k)) * 3;
        const f32 z = m[2] * v[0] + m[6] * v[1] + m[10] * v[2] + m[14];
        const f32 w = m[3] * v[0] + m[7] * v[1] + m[11] * v[2] + m[15];
        if (!(w > 0.0f && z < Limit * w))
            return false;
    }
    return true;
}

Math::Matrix4x4 ClipMatrix(const Renderer::IRenderer& renderer)
{
    return renderer.GetProjectionMatrix() * renderer.GetViewMatrix() * renderer.GetWorldMatrix();
}
} // namespace

bool DrawShortcuts::AlphaTestChangesNothing(const Facts&) const
{
    // The test drops only fragments of alpha 0, which blending leaves without effect, and nothing
    // else (depth or stencil) would have been written for them.
    const bool dropsOnlyZero = (alphaTesting.function == Renderer::CompareFunction::NotEqual ||
                                alphaTesting.function == Renderer::CompareFunction::Greater) &&
                               alphaTesting.reference == 0.0f;
    const bool writesDepth = depthBuffer.testEnabled && depthBuffer.writeEnabled;
    return alphaTesting.enabled && dropsOnlyZero && BlendKeepsDestinationAtAlphaZero(alphaBlending) && !writesDepth &&
           !stencilBuffer.enabled;
}

bool DrawShortcuts::FragmentsAreOpaque(const Facts& facts) const
{
    // Unit 0 alone reads a texture, every texel of it opaque and no border colour, and passes its
    // alpha on unchanged (times the colour's alpha of 1).
    if (lighting.enabled || facts.colorArray || facts.color.a != 1.0f || !facts.otherUnitsEmpty ||
        !facts.unit0Applied)
        return false;
    return unit0.enabled && !unit0.oneDimensional && unit0.textureGeneration != 1 && facts.texture->IsOpaque() &&
           WrapReadsNoBorder(unit0.wrapS) && WrapReadsNoBorder(unit0.wrapT) &&
           (unit0.environment == Renderer::TextureEnvironmentMode::Modulate ||
            unit0.environment == Renderer::TextureEnvironmentMode::Replace);
}

bool DrawShortcuts::DrawChangesNothing(const Facts& facts) const
{
    // Every fragment leaves the units with alpha 0 and is blended by it into nothing, touching no
    // depth or stencil. Only a replacing unit 0 gives the fragment an alpha other than the
    // colour's times its own.
    return BlendKeepsDestinationAtAlphaZero(alphaBlending) && !lighting.enabled && !facts.colorArray &&
           facts.color.a == 0.0f && !stencilBuffer.enabled && !(depthBuffer.testEnabled && depthBuffer.writeEnabled) &&
           facts.otherUnitsEmpty && facts.unit0Applied &&
           unit0.environment != Renderer::TextureEnvironmentMode::Replace;
}

bool DrawShortcuts::DepthTestPassesAll(const Facts&, const DrawnVertices& draw,
                                       const Renderer::ViewportRect& viewport) const
{
    // Testing without writing against the far plane: no fragment lies beyond it, so only a strict
    // test can fail, and only there.
    if (!depthAtFarPlane || !depthBuffer.testEnabled || depthBuffer.writeEnabled)
        return false;
    if (depthBuffer.function == Renderer::CompareFunction::Always ||
        depthBuffer.function == Renderer::CompareFunction::LessOrEqual)
        return true;
    // A depth range other than the whole one is rare.
    return depthBuffer.function == Renderer::CompareFunction::Less && draw.positions && viewport.zNear == 0.0f &&
           viewport.zFar == 1.0f;
}

bool DrawShortcuts::ReadsLevelZeroOnly(const Facts& facts, const DrawnVertices& draw, const Math::Matrix4x4& clip,
                                       const Renderer::ViewportRect& viewport, const Math::Matrix4x4& textureMatrix) const
{
    // Only triangles from client arrays, and no projective texture matrix: that would make the
    // footprint vary over a triangle.
    const f32* t = textureMatrix.e;
    if (!unit0.enabled || unit0.oneDimensional ||
        unit0.textureGeneration == 1 || !WrapReadsNoBorder(unit0.wrapS) || !WrapReadsNoBorder(unit0.wrapT) ||
        draw.primitive != Renderer::Primitive::Triangles || !draw.positions || !draw.texCoords || draw.count < 3 ||
        t[3] != 0.0f || t[7] != 0.0f || t[15] != 1.0f)
        return false;
    const f32* m = clip.e;
    const f32 halfWidth = static_cast<f32>(viewport.width) * 0.5f;
    const f32 halfHeight = static_cast<f32>(viewport.height) * 0.5f;
    f32 x[3], y[3], w[3], u[3], v[3];
    for (u32 k = 0; k + 2 < draw.count; k += 3)
    {
        for (u32 corner = 0; corner < 3; ++corner)
        {
            const u32 vertex = VertexAt(draw, draw.first + k + corner);
            const f32* p = draw.positions + static_cast<std::size_t>(vertex) * 3;
            w[corner] = m[3] * p[0] + m[7] * p[1] + m[11] * p[2] + m[15];
            x[corner] = (m[0] * p[0] + m[4] * p[1] + m[8] * p[2] + m[12]) / w[corner] * halfWidth;
            y[corner] = (m[1] * p[0] + m[5] * p[1] + m[9] * p[2] + m[13]) / w[corner] * halfHeight;
            const f32* st = draw.texCoords + static_cast<std::size_t>(vertex) * 2;
            u[corner] = t[0] * st[0] + t[4] * st[1] + t[12];
            v[corner] = t[1] * st[0] + t[5] * st[1] + t[13];
        }
        // Only a triangle at one depth from the eye maps the screen to its texture the same way
        // all over.
        if (!(w[0] > 0.0f) || w[1] != w[0] || w[2] != w[0])
            return false;
        const f32 dx1 = x[1] - x[0], dy1 = y[1] - y[0], dx2 = x[2] - x[0], dy2 = y[2] - y[0];
        const f32 determinant = dx1 * dy2 - dx2 * dy1;
        if (determinant == 0.0f)
            continue; // no pixel
        if (!std::isfinite(determinant))
            return false;
        const f32 du1 = u[1] - u[0], du2 = u[2] - u[0], dv1 = v[1] - v[0], dv2 = v[2] - v[0];
        Renderer::TextureFootprint footprint;
        footprint.dudx = (du1 * dy2 - du2 * dy1) / determinant;
        footprint.dudy = (dx1 * du2 - dx2 * du1) / determinant;
        footprint.dvdx = (dv1 * dy2 - dv2 * dy1) / determinant;
        footprint.dvdy = (dx1 * dv2 - dx2 * dv1) / determinant;
        footprint.known = true;
        if (!facts.texture->ReadsLevelZeroOnlyAt(footprint))
            return false;
    }
    return true;
}

bool DrawShortcuts::Begin(Renderer::IRenderer& r, const DrawnVertices& draw, const Renderer::ViewportRect& viewport,
                          bool unit0Applied)
{
    // While cheaper states are on the renderer, the states as set are those read before them.
    if (!(alphaTestReplaced || blendingReplaced || depthReplaced || unit0Replaced))
    {
        r.GetAlphaTestingState(alphaTesting);
        r.GetAlphaBlendingState(alphaBlending);
        r.GetDepthBufferState(depthBuffer);
        r.GetTextureUnit0State(unit0);
    }
    if (!enabled)
        return true;
    r.GetStencilBufferState(stencilBuffer);
    r.GetLightingState(lighting);

    Facts facts;
    facts.color = r.GetCurrentColor();
    facts.colorArray = draw.colorArray;
    const Core::RefPtr<Renderer::ITexture> texture = r.GetTexture(0);
    for (u32 unit = 1; unit < Renderer::TextureSlotCount && facts.otherUnitsEmpty; ++unit)
        facts.otherUnitsEmpty = !r.GetTexture(unit);
    facts.unit0Applied = unit0Applied && texture && texture->GetTextureType() == Renderer::ITexture::TwoDimensional;
    facts.texture = facts.unit0Applied ? texture.Get() : nullptr;

    if (DrawChangesNothing(facts))
        return false;

    const bool white = !lighting.enabled && !facts.colorArray && facts.color == Math::Color(1.0f, 1.0f, 1.0f, 1.0f);
    // Modulating white by the texture is the texture.
    const bool replaces =
        facts.unit0Applied && white && unit0.environment == Renderer::TextureEnvironmentMode::Modulate;
    // Source alpha 1 over (source alpha, one minus source alpha) writes the source as it comes:
    // blending would only read the destination to weigh it by 0.
    const bool blendsNothing = alphaBlending.enabled && alphaBlending.source == Renderer::BlendFactor::SourceAlpha &&
                               alphaBlending.destination == Renderer::BlendFactor::OneMinusSourceAlpha &&
                               FragmentsAreOpaque(facts);
    bool depthPassesAll = DepthTestPassesAll(facts, draw, viewport);
    // Only a nearest filter has a code that reads level 0 alone.
    const bool mipmapped =
        facts.texture && facts.texture->HasMipmaps() && unit0.filter == Renderer::TextureFilter::Nearest;
    const bool lessTest = depthPassesAll && depthBuffer.function == Renderer::CompareFunction::Less;
    Math::Matrix4x4 clip;
    if (lessTest || mipmapped)
        clip = ClipMatrix(r);
    if (lessTest)
        depthPassesAll = StaysShortOfFarPlane(clip, draw);
    const bool levelZero = mipmapped && ReadsLevelZeroOnly(facts, draw, clip, viewport, r.GetTextureMatrix(0));
    const bool alphaTestOff = AlphaTestChangesNothing(facts);

    // Each kind is set only where it changes: the cheaper states of one draw mostly suit the next
    // as well, and every change costs the rasteriser a new state.
    if (alphaTestOff != alphaTestReplaced)
    {
        Renderer::AlphaTestingState next = alphaTesting;
        next.enabled = alphaTestOff ? 0 : alphaTesting.enabled;
        r.SetAlphaTestingState(next);
        alphaTestReplaced = alphaTestOff;
    }
    if (blendsNothing != blendingReplaced)
    {
        Renderer::AlphaBlendingState next = alphaBlending;
        next.enabled = blendsNothing ? 0 : alphaBlending.enabled;
        r.SetAlphaBlendingState(next);
        blendingReplaced = blendsNothing;
    }
    if (depthPassesAll != depthReplaced)
    {
        Renderer::DepthBufferState next = depthBuffer;
        next.testEnabled = depthPassesAll ? 0 : depthBuffer.testEnabled;
        r.SetDepthBufferState(next);
        depthReplaced = depthPassesAll;
    }
    Renderer::TextureUnit0State cheaper = unit0;
    if (replaces)
        cheaper.environment = Renderer::TextureEnvironmentMode::Replace;
    if (levelZero)
        cheaper.filter = Renderer::TextureFilter::NearestLevelZero;
    const bool unit0Cheaper = replaces || levelZero;
    Renderer::TextureUnit0State current;
    r.GetTextureUnit0State(current);
    if (unit0Cheaper != unit0Replaced || current.environment != cheaper.environment || current.filter != cheaper.filter)
    {
        r.SetTextureUnit0State(cheaper);
        unit0Replaced = unit0Cheaper;
    }
    return true;
}

void DrawShortcuts::End(Renderer::IRenderer&)
{
    // Only a depth test can write depth.
    if (depthBuffer.testEnabled && depthBuffer.writeEnabled && !depthReplaced)
        depthAtFarPlane = false;
}

void DrawShortcuts::Finish(Renderer::IRenderer& r)
{
    if (alphaTestReplaced)
        r.SetAlphaTestingState(alphaTesting);
    if (blendingReplaced)
        r.SetAlphaBlendingState(alphaBlending);
    if (depthReplaced)
        r.SetDepthBufferState(depthBuffer);
    if (unit0Replaced)
        r.SetTextureUnit0State(unit0);
    alphaTestReplaced = blendingReplaced = depthReplaced = unit0Replaced = false;
}
}  // namespace Engine
