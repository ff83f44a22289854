#include "framework/Vellumar_Line.h"

#include "core/Core_File.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Line, "Vellumar::Line")
CORE_REGISTER_CLASS(Circle, "Vellumar::Circle")

namespace
{
void SyncLineList(Engine::LineList* node, const GameObject& object)
{
    if (node)
    {
        node->SetOpacity(object.GetOpacity());
        node->SetColor(object.GetModulationColor());
    }
}

Math::Vector3D Flat(const Math::Point2D& point)
{
    return Math::Vector3D(point.x, point.y, 0.0f);
}

// Replaces the node under the render node, keeping its look.
template <class Node>
void Replace(GameObject& object, Core::RefPtr<Node>& slot, Node* node)
{
    if (slot)
    {
        object.GetRenderNode()->DetachChild(slot.Get());
    }
    slot = node;
    object.GetRenderNode()->AttachChild(node);
    node->SetVisible(object.GetVisible(), true);
    SyncLineList(node, object);
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
        Replace(*this, lines, source.lines->Clone());
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
    Replace(*this, lines, node);
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

Circle::Circle() = default;

Circle::Circle(f32 value)
{
    SetRadius(value);
}

Circle::Circle(const Circle& source) : GameObject(source), radius(source.radius)
{
    if (source.outline)
    {
        Replace(*this, outline, source.outline->Clone());
    }
}

Circle* Circle::Clone() const
{
    return new (__FILE__, __LINE__) Circle(*this);
}

void Circle::SetRadius(f32 value)
{
    radius = value;
    Replace(*this, outline, new (__FILE__, __LINE__) Engine::Circle(radius, StepDegrees));
}

void Circle::SyncRenderNode(f32)
{
    SyncLineList(outline.Get(), *this);
}

void Circle::Save(Core::File& file)
{
    GameObject::Save(file);
    Core::WriteF32(file, radius);
}

void Circle::Load(Core::File& file)
{
    GameObject::Load(file);
    f32 value = 0.0f;
    Core::ReadF32(file, value);
    SetRadius(value);
}
}  // namespace Vellumar
