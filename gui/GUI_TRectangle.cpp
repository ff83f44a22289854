#include "gui/GUI_TRectangle.h"

#include "math/Math_Vector2D.h"

namespace GUI
{
void TRectangle::SetTexCoord(u32 corner, const Math::Vector2D& uv)
{
    if (corner < CornerCount)
        texCoords[corner] = uv;
}

Math::Vector2D TRectangle::GetTexCoord(u32 corner) const
{
    return corner < CornerCount ? texCoords[corner] : Math::Vector2D();
}

bool TRectangle::ClipTextured(TRectangle& out, const TRectangle& source, const NRectangle& clip)
{
    NRectangle overlap;
    if (!Intersect(overlap, source, clip))
        return false;
    // u runs along the bottom edge from corner 0 to 1, v along the left edge from corner 0 to 3;
    // mirrored coordinates make du or dv negative and the same cuts take the far texels.
    const Math::Vector2D* uv = source.texCoords;
    const f32 du = uv[1].x - uv[0].x;
    const f32 dv = uv[3].y - uv[0].y;
    const f32 cutLeft = (overlap.x - source.x) / source.width;
    const f32 cutBottom = (overlap.y - source.y) / source.height;
    const f32 cutRight = (source.GetRight() - overlap.GetRight()) / source.width;
    const f32 cutTop = (source.GetTop() - overlap.GetTop()) / source.height;

    TRectangle result(overlap);
    result.texCoords[0] = Math::Vector2D(uv[0].x + cutLeft * du, uv[0].y + cutBottom * dv);
    result.texCoords[1] = Math::Vector2D(uv[1].x - cutRight * du, uv[1].y + cutBottom * dv);
    result.texCoords[2] = Math::Vector2D(uv[2].x - cutRight * du, uv[2].y - cutTop * dv);
    result.texCoords[3] = Math::Vector2D(uv[3].x + cutLeft * du, uv[3].y - cutTop * dv);
    out = result;
    return true;
}

void TRectangle::Save(Core::File& file) const
{
    NRectangle::Save(file);
    for (const Math::Vector2D& uv : texCoords)
        Math::WriteVector2D(file, uv);
}

void TRectangle::Load(Core::File& file)
{
    NRectangle::Load(file);
    for (Math::Vector2D& uv : texCoords)
        Math::ReadVector2D(file, uv);
}
} // namespace GUI
