#include "engine/Engine_ScreenQuad.h"

#include <algorithm>

namespace Engine
{
TextRenderContext::TextRenderContext() = default;

TextRenderContext::TextRenderContext(const TextRenderContext& other) : ScreenObject()
{
    *this = other;
}

TextRenderContext& TextRenderContext::operator=(const TextRenderContext& other)
{
    if (this == &other)
        return *this;
    effect = other.effect;
    texture = other.texture;
    world = other.world;
    textureMatrix = other.textureMatrix;
    std::copy(std::begin(other.vertices), std::end(other.vertices), vertices);
    std::copy(std::begin(other.texCoords), std::end(other.texCoords), texCoords);
    color = other.color;
    std::copy(std::begin(other.indices), std::end(other.indices), indices);
    depth = other.depth;
    shown = other.shown;
    primitive = other.primitive;
    return *this;
}

void TextRenderContext::Reset()
{
    *this = TextRenderContext();
}

void TextRenderContext::SetVertex(u32 i, f32 x, f32 y, f32 z)
{
    if (i >= VertexCount)
        return;
    vertices[i * 3] = x;
    vertices[i * 3 + 1] = y;
    vertices[i * 3 + 2] = z;
}

void TextRenderContext::SetTexCoord(u32 i, f32 u, f32 v)
{
    if (i >= VertexCount)
        return;
    texCoords[i * 2] = u;
    texCoords[i * 2 + 1] = v;
}
} // namespace Engine
