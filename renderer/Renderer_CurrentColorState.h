#pragma once
// The current vertex colour. Unlike the other states it hands the renderer only its colour.
#include "math/Math_Color.h"
#include "renderer/Renderer_State.h"

namespace Renderer
{
class CurrentColorState : public State
{
public:
    CurrentColorState() = default;

    CurrentColorState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
};
}  // namespace Renderer
