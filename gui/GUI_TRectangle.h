#pragma once
// A rectangle with a texture coordinate on each corner, in the corner order 0 (left, bottom),
// 1 (right, bottom), 2 (right, top), 3 (left, top). A new one maps the whole texture onto itself.
// Clipping cuts the coordinates in proportion, so a quad cut at the clip rectangle shows just the
// texels that lie inside it.
#include "gui/GUI_NRectangle.h"

namespace GUI
{
class TRectangle : public NRectangle
{
public:
    static constexpr u32 CornerCount = 4;

    TRectangle() = default;
    TRectangle(f32 x, f32 y, f32 width, f32 height) : NRectangle(x, y, width, height) {}
    explicit TRectangle(const NRectangle& rectangle) : NRectangle(rectangle) {}

    // Corners above 3 are ignored (and read as (0, 0)).
    void SetTexCoord(u32 corner, const Math::Vector2D& uv);
    Math::Vector2D GetTexCoord(u32 corner) const;

    // out := the overlap of source and clip with the source's coordinates cut in proportion to
    // what was cut away on each side. False, with out untouched, when the overlap is not valid.
    static bool ClipTextured(TRectangle& out, const TRectangle& source, const NRectangle& clip);

    // x, y, width, height, then u and v of corners 0 to 3: twelve f32.
    void Save(Core::File& file) const;
    void Load(Core::File& file);

    Math::Vector2D texCoords[CornerCount] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
};
} // namespace GUI
