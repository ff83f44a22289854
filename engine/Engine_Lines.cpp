#include "engine/Engine_Lines.h"

#include "engine/Engine_RenderItem.h"
#include "engine/Engine_SpriteDrawing.h"

namespace Engine
{
LineList::LineList(const LineList& other) : Node(other), points(other.points), color(other.color), opacity(other.opacity)
{
}

void LineList::Update(f32)
{
    if (!IsWorldCurrent())
        DeriveWorld(ParentWorldMatrix());
}

void LineList::Draw()
{
    if (!visible || points.empty())
        return;
    RenderItem item;
    item.world = world;
    item.color = Math::Color(color.r, color.g, color.b, opacity);
    item.vertexArray = &points.front().x;
    item.vertexCount = GetPointCount();
    item.primitiveType = Renderer::Primitive::Lines;
    item.lastPassOnly = overlay;
    SubmitRenderItem(item);
}

Lines* Lines::Clone() const
{
    return new (__FILE__, __LINE__) Lines(*this);
}

void Lines::AddLine(const Math::Vector3D& start, const Math::Vector3D& end)
{
    points.push_back(start);
    points.push_back(end);
}

void Lines::SetStartPoint(u32 line, const Math::Vector3D& point)
{
    if (line < GetLineCount())
        points[2 * line] = point;
}

void Lines::SetEndPoint(u32 line, const Math::Vector3D& point)
{
    if (line < GetLineCount())
        points[2 * line + 1] = point;
}

Math::Vector3D Lines::GetStartPoint(u32 line) const
{
    return line < GetLineCount() ? points[2 * line] : Math::Vector3D();
}

Math::Vector3D Lines::GetEndPoint(u32 line) const
{
    return line < GetLineCount() ? points[2 * line + 1] : Math::Vector3D();
}
} // namespace Engine
