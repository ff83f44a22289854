#include "framework/drawables/Vellumar_Line.h"

#include "core/Core_File.h"
#include "framework/drawables/Vellumar_LineListNode.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Line, "Vellumar::Line")

namespace
{
Math::Vector3D Flat(const Math::Point2D& point)
{
    return Math::Vector3D(point.x, point.y, 0.0f);
}
}  // namespace

Line::Line() = default;

Line::Line(const Math::Point2D& a, const Math::Point2D& b)
{
    Build(a, b);
}

Line::Line(const Line& source) : GameObject(source)
{
    if (source.lines)
    {
        ReplaceLineList(*this, lines, source.lines->Clone());
    }
}

Line* Line::Clone() const
{
    return new (__FILE__, __LINE__) Line(*this);
}

void Line::Build(const Math::Point2D& a, const Math::Point2D& b)
{
    auto* node = new (__FILE__, __LINE__) Engine::Lines();
    node->AddLine(Flat(a), Flat(b));
    ReplaceLineList(*this, lines, node);
}

void Line::SetPointA(const Math::Point2D& point)
{
    if (lines)
    {
        lines->SetStartPoint(0, Flat(point));
    }
}

void Line::SetPointB(const Math::Point2D& point)
{
    if (lines)
    {
        lines->SetEndPoint(0, Flat(point));
    }
}

Math::Point2D Line::GetPointA() const
{
    const Math::Vector3D point = lines ? lines->GetStartPoint(0) : Math::Vector3D();
    return Math::Point2D(point.x, point.y);
}

Math::Point2D Line::GetPointB() const
{
    const Math::Vector3D point = lines ? lines->GetEndPoint(0) : Math::Vector3D();
    return Math::Point2D(point.x, point.y);
}

void Line::SyncRenderNode(f32)
{
    SyncLineList(lines.Get(), *this);
}

void Line::Save(Core::File& file)
{
    GameObject::Save(file);
    Math::WriteVector2D(file, GetPointA());
    Math::WriteVector2D(file, GetPointB());
}

void Line::Load(Core::File& file)
{
    GameObject::Load(file);
    Math::Point2D a;
    Math::Point2D b;
    Math::ReadVector2D(file, a);
    Math::ReadVector2D(file, b);
    Build(a, b);
}

}  // namespace Vellumar
