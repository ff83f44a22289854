// The sprite's collision object follows the shown frame; its shapes and bounding rectangle can be
// drawn by line and circle objects kept in the sprite's layer and reused every frame.
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Sprite.h"

#include <algorithm>

namespace Vellumar
{
namespace
{
constexpr f32 DebugZOffset = 0.1f;

Collision2D::DynamicObject* DynamicObjectOf(u32 collisionId)
{
    Game* game = Game::GetInstance();
    Collision2D::CollisionEngine* engine = game ? game->GetCollisionEngine() : nullptr;
    return engine && collisionId ? engine->GetDynamicObject(collisionId) : nullptr;
}

template <class Object>
void DestroyAll(Core::Vector<Core::RefPtr<Object>>& objects)
{
    for (const Core::RefPtr<Object>& object : objects)
    {
        object->Destroy();
    }
    objects.clear();
}
}  // namespace

void Sprite::Update(f32 dt)
{
    if (GetCollisionId() != 0)
    {
        if (Collision2D::DynamicObject* object = DynamicObjectOf(GetCollisionId()); object && engineSprite)
        {
            object->SetCurrentCollisionFrame(GetCurrentAnimationIndex(), GetCurrentFrameIndex(), GetFlipHorizontal(),
                                             GetFlipVertical());
        }
        RefreshDebugDrawing();
    }
    GameObject::Update(dt);
}

void Sprite::RefreshDebugDrawing()
{
    if (collisionActorIndex == -1)
    {
        return;
    }
    if (visibleCollisionData)
    {
        DrawCollisionShapes();
    }
    if (visibleBoundingRectangle)
    {
        DrawBoundingRectangle();
    }
}

void Sprite::AddDebugObject(GameObject* object, const Math::Color& color)
{
    object->SetZOrder(GetZOrder() + DebugZOffset);
    object->SetVisible(true);
    object->SetModulationColor(color);
    if (GetLayer())
    {
        GetLayer()->AddGameObject(object);
    }
}

void Sprite::DrawCollisionShapes()
{
    const Collision2D::DynamicObject* object = DynamicObjectOf(GetCollisionId());
    if (!object)
    {
        return;
    }
    // The world lists may be longer than the frame: only the frame's shapes count.
    const auto& segments = object->GetCurrentLineSegments();
    const size_t segmentCount = std::min(segments.size(), static_cast<size_t>(std::max(object->GetLineSegmentCount(), 0)));
    for (size_t i = 0; i < segmentCount; ++i)
    {
        if (i < debugLines.size())
        {
            Line* line = debugLines[i].Get();
            line->SetPointA(segments[i].A);
            line->SetPointB(segments[i].B);
            line->SetVisible(true);
            line->SetModulationColor(collisionDataColor);
            continue;
        }
        auto* line = new (__FILE__, __LINE__) Line(segments[i].A, segments[i].B);
        debugLines.emplace_back(line);
        AddDebugObject(line, collisionDataColor);
    }
    if (segmentCount > 0)
    {
        usedLineCount = static_cast<i32>(segmentCount);
    }

    const auto& circles = object->GetCurrentCircles();
    const size_t circleCount = std::min(circles.size(), static_cast<size_t>(std::max(object->GetCircleCount(), 0)));
    for (size_t i = 0; i < circleCount; ++i)
    {
        if (i < debugCircles.size())
        {
            Circle* circle = debugCircles[i].Get();
            if (circle->GetRadius() != circles[i].radius)
            {
                circle->SetRadius(circles[i].radius);
            }
            circle->SetPosition(circles[i].center);
            circle->SetVisible(true);
            circle->SetModulationColor(collisionDataColor);
            continue;
        }
        auto* circle = new (__FILE__, __LINE__) Circle(circles[i].radius);
        debugCircles.emplace_back(circle);
        circle->SetPosition(circles[i].center);
        AddDebugObject(circle, collisionDataColor);
    }
    if (circleCount > 0)
    {
        usedCircleCount = static_cast<i32>(circleCount);
    }
}

void Sprite::DrawBoundingRectangle()
{
    const Collision2D::DynamicObject* object = DynamicObjectOf(GetCollisionId());
    if (!object)
    {
        return;
    }
    Collision2D::VelRect r;
    object->GetCurrentBoundingRectangle(r);
    const Math::Point2D corners[4][2] = {{{r.left, r.top}, {r.right, r.top}},
                                         {{r.right, r.top}, {r.right, r.bottom}},
                                         {{r.right, r.bottom}, {r.left, r.bottom}},
                                         {{r.left, r.bottom}, {r.left, r.top}}};
    for (u32 side = 0; side < 4; ++side)
    {
        if (!rectangleLines[side])
        {
            rectangleLines[side] = new (__FILE__, __LINE__) Line(corners[side][0], corners[side][1]);
            AddDebugObject(rectangleLines[side].Get(), boundingRectangleColor);
        }
        else
        {
            rectangleLines[side]->SetPointA(corners[side][0]);
            rectangleLines[side]->SetPointB(corners[side][1]);
        }
        rectangleLines[side]->SetVisible(true);
        rectangleLines[side]->SetModulationColor(boundingRectangleColor);
    }
}

void Sprite::SetVisibleCollisionData(bool on)
{
    visibleCollisionData = on ? 1 : 0;
    if (!on)
    {
        DestroyCollisionShapes();
    }
}

void Sprite::SetVisibleBoundingRectangle(bool on)
{
    visibleBoundingRectangle = on ? 1 : 0;
    if (!on)
    {
        DestroyBoundingRectangle();
    }
}

void Sprite::DestroyCollisionShapes()
{
    DestroyAll(debugCircles);
    DestroyAll(debugLines);
    usedLineCount = 0;
    usedCircleCount = 0;
}

void Sprite::DestroyBoundingRectangle()
{
    for (Core::RefPtr<Line>& line : rectangleLines)
    {
        if (line)
        {
            line->Destroy();
            line.Reset();
        }
    }
}
}  // namespace Vellumar
