#include "engine/Engine_Mesh.h"

#include "engine/Engine_DrawShortcuts.h"
#include "renderer/Renderer_Effect.h"
#include "renderer/Renderer_IRenderer.h"

namespace Engine
{
// The renderer takes positions, normals and texture coordinates as packed floats.
static_assert(sizeof(Math::Vector3D) == 3 * sizeof(f32), "positions are packed xyz floats");
static_assert(sizeof(Math::Vector2D) == 2 * sizeof(f32), "texture coordinates are packed uv floats");

namespace
{
const f32* FirstOf(const Core::Vector<Math::Vector3D>& list)
{
    return list.empty() ? nullptr : &list.front().x;
}
} // namespace

Mesh::Mesh() = default;

Mesh::Mesh(const Mesh& other)
    : Core::Object(other), bounds(other.bounds), subsets(other.subsets), positions(other.positions),
      positionsOverride(other.positionsOverride), normals(other.normals), normalsOverride(other.normalsOverride),
      colors(other.colors), secondaryColors(other.secondaryColors), texCoords(other.texCoords),
      indices(other.indices), vertexBuffer(other.vertexBuffer), indexBuffer(other.indexBuffer),
      primitive(other.primitive)
{
    effects.reserve(other.effects.size());
    for (const Core::RefPtr<Renderer::Effect>& effect : other.effects)
        effects.emplace_back(effect ? effect->Clone() : nullptr);
}

Mesh::~Mesh() = default;

Mesh* Mesh::Clone() const
{
    return new (__FILE__, __LINE__) Mesh(*this);
}

void Mesh::AddEffect(Renderer::Effect* effect)
{
    effects.emplace_back(effect);
}

void Mesh::SetPosition(u32 i, const Math::Vector3D& position)
{
    if (i < positions.size())
        positions[i] = position;
}

void Mesh::SetColor(u32 i, const Math::Color& color)
{
    if (i < colors.size())
        colors[i] = color;
}

void Mesh::SetTexCoord(u32 i, const Math::Vector2D& texCoord)
{
    if (i < texCoords.size())
        texCoords[i] = texCoord;
}

void Mesh::Clear()
{
    subsets.clear();
    positions.clear();
    positionsOverride.clear();
    normals.clear();
    normalsOverride.clear();
    colors.clear();
    secondaryColors.clear();
    texCoords.clear();
    indices.clear();
    effects.clear();
}

MeshSubset* Mesh::GetSubset(u32 i)
{
    return i < subsets.size() ? &subsets[i] : nullptr;
}

const MeshSubset* Mesh::GetSubset(u32 i) const
{
    return i < subsets.size() ? &subsets[i] : nullptr;
}

Core::RefPtr<Renderer::Effect> Mesh::GetEffect(u32 i) const
{
    return i < effects.size() ? effects[i] : nullptr;
}

void Mesh::ApplyArrays(Renderer::IRenderer& renderer) const
{
    // With neither list the renderer keeps no vertex array and so draws nothing.
    if (const f32* vertices = FirstOf(positionsOverride.empty() ? positions : positionsOverride))
        renderer.SetVertexArray(vertices);
    if (!indices.empty())
        renderer.SetIndexArray32(indices.data());
    renderer.SetNormalArray(FirstOf(normalsOverride.empty() ? normals : normalsOverride));
    renderer.SetColorArray(colors.empty() ? nullptr : colors.data());
    renderer.SetSecondaryColorArray(secondaryColors.empty() ? nullptr : secondaryColors.data());
    renderer.SetTexCoordArray(0, texCoords.empty() ? nullptr : &texCoords.front().x);
    renderer.SetPrimitiveType(primitive);
}

void Mesh::DrawSubset(Renderer::IRenderer& renderer, u32 subset) const
{
    if (const MeshSubset* range = GetSubset(subset))
        renderer.DrawRange(range->first, range->last);
}

bool Mesh::DescribeSubset(u32 subset, DrawnVertices& draw) const
{
    const MeshSubset* range = GetSubset(subset);
    if (!range)
        return false;
    draw.primitive = primitive;
    draw.positions = FirstOf(positionsOverride.empty() ? positions : positionsOverride);
    draw.texCoords = texCoords.empty() ? nullptr : &texCoords.front().x;
    draw.indices32 = indices.empty() ? nullptr : indices.data();
    draw.first = range->first;
    draw.count = range->last >= range->first ? range->last - range->first + 1 : 0;
    draw.colorArray = !colors.empty();
    // Places past the lists are out of reach.
    const std::size_t vertices = positionsOverride.empty() ? positions.size() : positionsOverride.size();
    const std::size_t places = draw.indices32 ? indices.size() : vertices;
    if (draw.count != 0 && static_cast<std::size_t>(range->last) >= places)
        draw.positions = nullptr;
    for (u32 k = 0; draw.positions && draw.indices32 && k < draw.count; ++k)
    {
        if (indices[draw.first + k] >= vertices || (draw.texCoords && indices[draw.first + k] >= texCoords.size()))
            draw.positions = nullptr;
    }
    if (!draw.indices32 && draw.texCoords && static_cast<std::size_t>(range->last) >= texCoords.size())
        draw.texCoords = nullptr;
    return true;
}

void Mesh::ResetArrays(Renderer::IRenderer& renderer) const
{
    renderer.SetVertexArray(nullptr);
    renderer.SetIndexArray32(nullptr);
    renderer.SetNormalArray(nullptr);
    renderer.SetColorArray(nullptr);
    renderer.SetSecondaryColorArray(nullptr);
    renderer.SetTexCoordArray(0, nullptr);
}

void Mesh::ApplyBuffers(Renderer::IRenderer& renderer) const
{
    renderer.SetBuffer(0, vertexBuffer);
    renderer.SetIndexBuffer(indexBuffer);
}

void Mesh::DrawSubsetBuffered(Renderer::IRenderer& renderer, u32 subset) const
{
    // The range is inclusive; the renderer takes a count of whole triangles.
    const MeshSubset* range = GetSubset(subset);
    if (range && range->last >= range->first)
        renderer.DrawIndexed(Renderer::Primitive::Triangles, range->first, (range->last - range->first + 1) / 3);
}

void Mesh::ResetBuffers(Renderer::IRenderer& renderer) const
{
    renderer.SetBuffer(0, nullptr);
    renderer.SetIndexBuffer(nullptr);
}
} // namespace Engine
