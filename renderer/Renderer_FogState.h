#pragma once
// Fog. SetDefault keeps the colour: it resets everything else.
#include "math/Math_Color.h"
#include "renderer/Renderer_State.h"

namespace Renderer
{
class FogState : public State
{
public:
    FogState() = default;

    FogState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // FogMode.
    u32 mode = FogMode::Linear;
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    f32 start = 0.0f;
    f32 end = 100.0f;
    f32 density = 0.0f;
    u8 enabled = 0;
};
}  // namespace Renderer
