#pragma once
// The drawable form of one string: four vertices, four texture coordinates and six indices per
// glyph quad, with the effect, atlas texture, colour and depth the render queue's screen pass draws
// them with. Whoever lays the string out fills the lists in place; emptying them keeps their
// storage, so refilling with a text of similar length allocates nothing.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "engine/Engine_ScreenObject.h"

namespace Engine
{
class StringRenderContext : public ScreenObject
{
public:
    StringRenderContext() = default;
    StringRenderContext(const StringRenderContext&) = delete;
    StringRenderContext& operator=(const StringRenderContext&) = delete;

    u32 GetKind() const override { return ScreenObjectKind::String; }
    Core::RefPtr<Renderer::Effect> GetEffect() const override { return effect; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const override { return texture; }
    const Math::Matrix4x4* GetWorldMatrix() const override { return &world; }
    const Math::Matrix4x4* GetTextureMatrix() const override { return &textureMatrix; }
    // Null while the lists are empty.
    const f32* GetVertices() const override { return vertices.empty() ? nullptr : vertices.data(); }
    const f32* GetTexCoords() const override { return texCoords.empty() ? nullptr : texCoords.data(); }
    Math::Color GetColor() const override { return color; }
    const u16* GetIndices() const override { return indices.empty() ? nullptr : indices.data(); }
    u32 GetIndexCount() const override { return static_cast<u32>(indices.size()); }
    f32 GetDepth() const override { return depth; }
    // Empties the lists (keeping their storage), releases effect and texture, identity matrices,
    // colour (0, 0, 0, 1), depth 0, shown.
    void Reset() override;
    bool IsShown() const override { return shown != 0; }
    // Both an effect and a texture.
    bool IsValid() const override { return effect && texture; }
    void PrepareDraw() override {}
    u32 GetPrimitiveType() const override { return Renderer::Primitive::Triangles; }

    // Empties the three lists, keeping their storage.
    void ClearGeometry();
    // Room for quadCount more glyph quads.
    void Reserve(u32 quadCount);
    // Appends one quad: corners in the order (left, bottom), (right, bottom), (right, top),
    // (left, top), z = 0, their texture coordinates (eight floats in the same order) and the two
    // triangles 0, 1, 2 and 0, 2, 3 of it. False, with nothing appended, when the 16-bit indices
    // cannot reach another quad.
    bool AppendQuad(f32 left, f32 bottom, f32 right, f32 top, const f32 cornerTexCoords[8]);
    u32 GetQuadCount() const { return static_cast<u32>(vertices.size() / 12); }

    // The most quads 16-bit indices can address.
    static constexpr u32 MaximumQuads = 65536 / 4;

    Core::RefPtr<Renderer::Effect> effect;
    Core::RefPtr<Renderer::ITexture> texture;
    Math::Matrix4x4 world;
    Math::Matrix4x4 textureMatrix;
    Core::Vector<f32> vertices;  // x, y, z per vertex
    Core::Vector<f32> texCoords; // u, v per vertex
    Math::Color color{0.0f, 0.0f, 0.0f, 1.0f};
    Core::Vector<u16> indices;
    f32 depth = 0.0f;
    u8 shown = 1;
};
} // namespace Engine
