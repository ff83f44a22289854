// The layer's static collision shapes shown as circle and line objects of the layer.
#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"

namespace Vellumar
{
namespace
{
template <class Shown>
void DestroyAll(Core::Vector<Core::RefPtr<Shown>>& objects)
{
    for (const Core::RefPtr<Shown>& object : objects)
    {
        object->Destroy();
    }
    objects.clear();
}

void Show(Layer& layer, GameObject& object, const Math::Color& color)
{
    object.SetVisible(true);
    object.SetModulationColor(color);
    layer.AddGameObject(&object);
}
}  // namespace

void Layer::SetVisibleCollisionData(bool on)
{
    visibleCollisionData = on ? 1 : 0;
    if (!on)
    {
        DestroyAll(debugCircles);
        DestroyAll(debugLines);
        return;
    }
    Game* game = Game::GetInstance();
    const Collision2D::CollisionLayer* shapes =
        game && game->GetCollisionEngine() ? game->GetCollisionEngine()->GetLayer(collisionId) : nullptr;
    if (!shapes)
    {
        return;
    }
    // Slots start at 1: a repeated call shows only the shapes added since.
    const u32 circleSlots = static_cast<u32>(shapes->GetCirclesNumber());
    for (u32 slot = static_cast<u32>(debugCircles.size()) + 1; slot < circleSlots; ++slot)
    {
        if (const Collision2D::StaticCollisionCircle* shape = shapes->GetStaticCircle(slot))
        {
            const Core::RefPtr<Circle> circle(new (__FILE__, __LINE__) Circle(shape->GetCircle().radius));
            circle->SetPosition(shape->GetCircle().center);
            Show(*this, *circle, collisionDataColor);
            debugCircles.push_back(circle);
        }
    }
    const u32 segmentSlots = static_cast<u32>(shapes->GetLineSegmentsNumber());
    for (u32 slot = static_cast<u32>(debugLines.size()) + 1; slot < segmentSlots; ++slot)
    {
        if (const Collision2D::StaticCollisionLineSegment* shape = shapes->GetStaticLineSegment(slot))
        {
            const Core::RefPtr<Line> line(
                new (__FILE__, __LINE__) Line(shape->GetLineSegment().A, shape->GetLineSegment().B));
            Show(*this, *line, collisionDataColor);
            debugLines.push_back(line);
        }
    }
}

void Layer::SetCollisionDataColor(const Math::Color& color)
{
    collisionDataColor = color;
    for (const Core::RefPtr<Circle>& circle : debugCircles)
    {
        circle->SetModulationColor(color);
    }
    for (const Core::RefPtr<Line>& line : debugLines)
    {
        line->SetModulationColor(color);
    }
}
}  // namespace Vellumar
