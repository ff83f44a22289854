#include "engine/Engine_TextLayout.h"

#include <cfloat>
#include <cmath>

namespace Engine
{
namespace
{
constexpr u32 VerticesPerGlyph = 6;
constexpr i32 TabSpaces = 4;
// Corner order of the two triangles of a glyph quad.
const u32 QuadCorners[VerticesPerGlyph] = {0, 1, 2, 2, 3, 0};

void AppendEmptyGlyph(Mesh& mesh)
{
    for (u32 k = 0; k < VerticesPerGlyph; ++k)
    {
        mesh.AddPosition(Math::Vector3D());
        mesh.AddTexCoord(Math::Vector2D());
    }
}
} // namespace

void LayoutText(const BitmapFont& font, const Core::String& text, Mesh& mesh, TextBounds& bounds)
{
    const u32 vertexCount = VerticesPerGlyph * static_cast<u32>(text.size());
    const f32 cell = static_cast<f32>(font.GetCellSize());
    mesh.Clear();
    if (vertexCount > 0)
    {
        MeshSubset subset;
        subset.first = 0;
        subset.last = vertexCount - 1;
        subset.blended = 1;
        mesh.AddSubset(subset);
    }
    mesh.ReservePositions(vertexCount);
    mesh.ReserveTexCoords(vertexCount);

    const Math::Vector3D base[4] = {{0.0f, 0.0f, 0.0f}, {cell, 0.0f, 0.0f}, {cell, cell, 0.0f}, {0.0f, cell, 0.0f}};
    // The pen is wider than the metrics: sums of hostile metrics from a font file cannot overflow.
    const i64 spaceAdvance = font.GetGlyph(' ').advance;
    const i64 lineHeight = static_cast<i64>(font.GetLineHeight());
    i64 penX = 0;
    i64 penY = 0;
    bounds = {FLT_MAX, FLT_MAX, FLT_MIN, FLT_MIN};

    for (const char byte : text)
    {
        const i32 c = static_cast<signed char>(byte);
        if (c == '\n')
        {
            penY -= lineHeight;
            penX = 0;
            AppendEmptyGlyph(mesh);
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r')
        {
            if (c == ' ')
                penX += spaceAdvance;
            else if (c == '\t')
                penX += TabSpaces * spaceAdvance;
            AppendEmptyGlyph(mesh);
            continue;
        }
        const GlyphInfo& glyph = font.GetGlyph(c);
        const f32* texCoords = font.GetGlyphTexCoords(c);
        // A line's first glyph sits at its stored cell offset; later ones at whole pixels.
        f32 offset = glyph.cellOffset;
        if (penX != 0)
        {
            offset = std::ceil(offset);
            penX += glyph.bearing;
        }
        const i64 glyphX = penX;
        penX += glyph.advance;
        if (penX != 0)
            penX -= glyph.bearing;

        const Math::Vector3D shift(static_cast<f32>(glyphX) - offset, static_cast<f32>(penY), 0.0f);
        Math::Vector3D corners[4];
        for (u32 k = 0; k < 4; ++k)
            corners[k] = base[k] + shift;
        if (corners[3].x < bounds.minX)
            bounds.minX = corners[3].x;
        if (corners[3].y > bounds.maxY)
            bounds.maxY = corners[3].y;
        if (corners[1].x > bounds.maxX)
            bounds.maxX = corners[1].x;
        if (corners[1].y < bounds.minY)
            bounds.minY = corners[1].y;
        for (u32 k = 0; k < VerticesPerGlyph; ++k)
        {
            const u32 corner = QuadCorners[k];
            mesh.AddPosition(corners[corner]);
            mesh.AddTexCoord(Math::Vector2D(texCoords[2 * corner], texCoords[2 * corner + 1]));
        }
    }
}
} // namespace Engine
