#include "engine/Engine_StringRenderContext.h"

namespace Engine
{
void StringRenderContext::Reset()
{
    ClearGeometry();
    effect = nullptr;
    texture = nullptr;
    depth = 0.0f;
    world = Math::Matrix4x4::Identity();
    textureMatrix = Math::Matrix4x4::Identity();
    color = Math::Color(0.0f, 0.0f, 0.0f, 1.0f);
    shown = 1;
}

void StringRenderContext::ClearGeometry()
{
    vertices.clear();
    texCoords.clear();
    indices.clear();
}

void StringRenderContext::Reserve(u32 quadCount)
{
    const std::size_t quads = GetQuadCount() + static_cast<std::size_t>(quadCount);
    vertices.reserve(quads * 12);
    texCoords.reserve(quads * 8);
    indices.reserve(quads * 6);
}

bool StringRenderContext::AppendQuad(f32 left, f32 bottom, f32 right, f32 top, const f32 cornerTexCoords[8])
{
    const u32 quad = GetQuadCount();
    if (quad >= MaximumQuads)
        return false;
    const f32 corners[12] = {left, bottom, 0.0f, right, bottom, 0.0f, right, top, 0.0f, left, top, 0.0f};
    vertices.insert(vertices.end(), corners, corners + 12);
    texCoords.insert(texCoords.end(), cornerTexCoords, cornerTexCoords + 8);
    const u16 first = static_cast<u16>(quad * 4);
    const u16 triangles[6] = {first, static_cast<u16>(first + 1), static_cast<u16>(first + 2),
                              first, static_cast<u16>(first + 2), static_cast<u16>(first + 3)};
    indices.insert(indices.end(), triangles, triangles + 6);
    return true;
}
} // namespace Engine
