#pragma once
// The two primitive game objects, an outline segment and an outline circle, drawn in the
// object's modulation colour and opacity. Collision debug drawing makes them.
#include "core/Math_Vector2D.h"
#include "engine/Engine_Circle.h"
#include "engine/Engine_Lines.h"
#include "framework/Vellumar_GameObject.h"

namespace Vellumar
{
class Line : public GameObject
{
    CORE_CLASS(Line)

public:
    // Without an engine node: what Load fills.
    Line();
    // One segment (a, 0)-(b, 0) relative to the object.
    Line(const Math::Point2D& a, const Math::Point2D& b);
    Line(const Line& source);

    Line* Clone() const override;
    // After the game object: point A, point B.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void SyncRenderNode(f32 dt) override;

    void SetPointA(const Math::Point2D& point);
    void SetPointB(const Math::Point2D& point);
    Math::Point2D GetPointA() const;
    Math::Point2D GetPointB() const;
    Engine::Lines* GetEngineLines() const { return lines.Get(); }

private:
    void Build(const Math::Point2D& a, const Math::Point2D& b);

    Core::RefPtr<Engine::Lines> lines;
};

class Circle : public GameObject
{
    CORE_CLASS(Circle)

public:
    static constexpr i32 StepDegrees = 5;

    // Without an engine node: what Load fills.
    Circle();
    explicit Circle(f32 radius);
    Circle(const Circle& source);

    Circle* Clone() const override;
    // After the game object: the radius.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void SyncRenderNode(f32 dt) override;

    // Rebuilds the outline.
    void SetRadius(f32 value);
    f32 GetRadius() const { return radius; }
    Engine::Circle* GetEngineCircle() const { return outline.Get(); }

private:
    Core::RefPtr<Engine::Circle> outline;
    f32 radius = 0.0f;
};
}  // namespace Vellumar
