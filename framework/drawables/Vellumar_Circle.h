#pragma once
// The outline circle game object, drawn in the object's modulation colour and opacity around the
// object's origin. Collision debug drawing makes it.
#include "engine/Engine_Circle.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
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
