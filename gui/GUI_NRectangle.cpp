#include "gui/GUI_NRectangle.h"

#include "core/Core_File.h"

#include <algorithm>

namespace GUI
{
void NRectangle::SetPosition(const Math::Point2D& position)
{
    x = position.x;
    y = position.y;
}

bool NRectangle::IsInside(f32 px, f32 py) const
{
    return x <= px && px <= x + width && y <= py && py <= y + height;
}

bool NRectangle::IsValid() const
{
    return width >= 1.0f && height >= 1.0f;
}

bool NRectangle::Intersect(NRectangle& out, const NRectangle& a, const NRectangle& b)
{
    const f32 left = std::max(a.x, b.x);
    const f32 bottom = std::max(a.y, b.y);
    const f32 right = std::min(a.GetRight(), b.GetRight());
    const f32 top = std::min(a.GetTop(), b.GetTop());
    out.x = left;
    out.y = bottom;
    out.width = right - left;
    out.height = top - bottom;
    return out.IsValid();
}

bool NRectangle::operator!=(const NRectangle& other) const
{
    return x != other.x || y != other.y || width != other.width || height != other.height;
}

void NRectangle::Save(Core::File& file) const
{
    Core::WriteF32(file, x);
    Core::WriteF32(file, y);
    Core::WriteF32(file, width);
    Core::WriteF32(file, height);
}

void NRectangle::Load(Core::File& file)
{
    Core::ReadF32(file, x);
    Core::ReadF32(file, y);
    Core::ReadF32(file, width);
    Core::ReadF32(file, height);
}

const char* NRectangle::GetScriptTypeName() const
{
    return "NRectangle";
}
} // namespace GUI
