#pragma once
// The simplest screen object: one textured, coloured quad in window coordinates. Viewports queue
// their backgrounds as copies of it (screen quads) and the GUI draws text and images with it.
#include "core/Core_Types.h"
#include "engine/Engine_ScreenObject.h"

namespace Engine
{
class TextRenderContext : public ScreenObject
{
public:
    static constexpr u32 VertexCount = 4;
    static constexpr u32 IndexCount = 6;

    TextRenderContext();
    // Shares the effect and texture; the copy starts unreferenced.
    TextRenderContext(const TextRenderContext& other);
    TextRenderContext& operator=(const TextRenderContext& other);

    u32 GetKind() const override { return ScreenObjectKind::Quad; }
    Core::RefPtr<Renderer::Effect> GetEffect() const override { return effect; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const override { return texture; }
    const Math::Matrix4x4* GetWorldMatrix() const override { return &world; }
    const Math::Matrix4x4* GetTextureMatrix() const override { return &textureMatrix; }
    const f32* GetVertices() const override { return vertices; }
    const f32* GetTexCoords() const override { return texCoords; }
    Math::Color GetColor() const override { return color; }
    const u16* GetIndices() const override { return indices; }
    u32 GetIndexCount() const override { return IndexCount; }
    f32 GetDepth() const override { return depth; }
    // Indices 0, 1, 2, 0, 2, 3; no effect or texture; depth 0; zero vertices and texture
    // coordinates; colour (0, 0, 0, 1); shown; triangles; identity matrices.
    void Reset() override;
    bool IsShown() const override { return shown != 0; }
    bool IsValid() const override { return effect.Get() != nullptr; }
    void PrepareDraw() override {}
    u32 GetPrimitiveType() const override { return primitive; }

    // Filled directly by the code that builds a quad.
    void SetVertex(u32 i, f32 x, f32 y, f32 z);
    void SetTexCoord(u32 i, f32 u, f32 v);

    Core::RefPtr<Renderer::Effect> effect;
    Core::RefPtr<Renderer::ITexture> texture;
    Math::Matrix4x4 world;
    Math::Matrix4x4 textureMatrix;
    f32 vertices[VertexCount * 3] = {};
    f32 texCoords[VertexCount * 2] = {};
    Math::Color color{0.0f, 0.0f, 0.0f, 1.0f};
    u16 indices[IndexCount] = {0, 1, 2, 0, 2, 3};
    f32 depth = 0.0f;
    u8 shown = 1;
    u32 primitive = Renderer::Primitive::Triangles;
};
}  // namespace Engine
