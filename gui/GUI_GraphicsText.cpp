// Text layout of the GUI's drawing state: one clipped glyph quad per printable byte.
#include "gui/GUI_Graphics.h"

#include <algorithm>
#include <cmath>

namespace GUI
{
void Graphics::DrawText(Engine::StringRenderContext& context, f32 x, f32 y, const Core::String& text,
                        const Engine::BitmapFont* textFont)
{
    context.ClearGeometry();
    if (!textFont)
    {
        context.shown = 0;
        return;
    }
    f32 width = 0.0f;
    f32 height = 0.0f;
    textFont->MeasureText(text, width, height);
    NRectangle overlap;
    if (!NRectangle::Intersect(overlap, NRectangle(x, y, width, height), clip))
    {
        context.shown = 0;
        return;
    }
    context.shown = 1;
    context.Reserve(static_cast<u32>(std::min<std::size_t>(text.size(), Engine::StringRenderContext::MaximumQuads)));

    const f32 spaceAdvance = static_cast<f32>(textFont->GetGlyph(' ').advance);
    const f32 lineHeight = textFont->GetLineHeight();
    const f32 cell = static_cast<f32>(textFont->GetCellSize());
    const Core::RefPtr<Renderer::ITexture> atlas = textFont->GetTexture();
    f32 penX = x;
    f32 penY = y;
    for (const char byte : text)
    {
        const i32 code = static_cast<signed char>(byte);
        if (code == '\t')
        {
            penX += 4.0f * spaceAdvance;
            continue;
        }
        if (code == ' ')
        {
            penX += spaceAdvance;
            continue;
        }
        if (code == '\n')
        {
            penY -= lineHeight;
            penX = x;
            continue;
        }
        if (code == '\r')
            continue;

        const Engine::GlyphInfo& glyph = textFont->GetGlyph(code);
        const f32* glyphTexCoords = textFont->GetGlyphTexCoords(code);
        const f32 spacing = static_cast<f32>(glyph.bearing);
        f32 bearing = glyph.cellOffset;
        if (penX != 0.0f)
        {
            bearing = std::ceil(bearing);
            penX += spacing;
        }
        const f32 start = penX;
        penX += static_cast<f32>(glyph.advance);
        if (penX != 0.0f)
            penX -= spacing;

        TRectangle quad(start - bearing, penY, cell, cell);
        for (u32 corner = 0; corner < TRectangle::CornerCount; ++corner)
            quad.texCoords[corner] = Math::Vector2D(glyphTexCoords[corner * 2], glyphTexCoords[corner * 2 + 1]);
        TRectangle clipped;
        if (!TRectangle::ClipTextured(clipped, quad, clip))
            continue;
        f32 clippedTexCoords[8];
        for (u32 corner = 0; corner < TRectangle::CornerCount; ++corner)
        {
            clippedTexCoords[corner * 2] = clipped.texCoords[corner].x;
            clippedTexCoords[corner * 2 + 1] = clipped.texCoords[corner].y;
        }
        // 16-bit indices reach no further: the rest of a text this long is not drawn.
        if (!context.AppendQuad(clipped.GetLeft(), clipped.GetBottom(), clipped.GetRight(), clipped.GetTop(),
                                clippedTexCoords))
            break;
        context.effect = imageEffect.Get();
        context.texture = atlas;
        context.color = Math::Color(color.r, color.g, color.b, opacity);
        context.depth = depth;
    }
}
} // namespace GUI
