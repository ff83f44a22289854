#pragma once
// The outline segment game object, drawn in the object's modulation colour and opacity. Collision
// debug drawing makes it.
#include "math/Math_Vector2D.h"
#include "engine/Engine_Lines.h"
#include "framework/core/Vellumar_GameObject.h"

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
}  // namespace Vellumar
