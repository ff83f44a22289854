#pragma once
// Lays a one-byte-per-character string out in a bitmap font as glyph quads: six vertices per byte
// in string order, so that vertex 6i belongs to byte i. Spaces, tabs and line breaks take their
// six vertices as an empty glyph at the origin.
#include "core/Core_String.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_Mesh.h"

namespace Engine
{
// Bounds of the laid-out glyph quads. Without any quad they keep their start values: minimum at
// the largest float, maximum at the smallest positive normal float.
struct TextBounds
{
    f32 minX;
    f32 minY;
    f32 maxX;
    f32 maxY;
};

// Empties the mesh and fills it with one blended subset over 6 × length vertices (none for the
// empty string), their positions and texture coordinates. Lines run downwards from y = 0 by the
// font's line height; every glyph quad is one atlas cell in size.
void LayoutText(const BitmapFont& font, const Core::String& text, Mesh& mesh, TextBounds& bounds);
} // namespace Engine
