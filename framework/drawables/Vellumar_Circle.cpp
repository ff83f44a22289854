#include "framework/drawables/Vellumar_Circle.h"

#include "core/Core_File.h"
#include "framework/drawables/Vellumar_LineListNode.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Circle, "Vellumar::Circle")

Circle::Circle() = default;

Circle::Circle(f32 value)
{
    SetRadius(value);
}

Circle::Circle(const Circle& source) : GameObject(source), radius(source.radius)
{
    if (source.outline)
    {
        ReplaceLineList(*this, outline, source.outline->Clone());
    }
}

Circle* Circle::Clone() const
{
    return new (__FILE__, __LINE__) Circle(*this);
}

void Circle::SetRadius(f32 value)
{
    radius = value;
    ReplaceLineList(*this, outline, new (__FILE__, __LINE__) Engine::Circle(radius, StepDegrees));
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
