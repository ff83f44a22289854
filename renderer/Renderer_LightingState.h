#pragma once
// Fixed-function lighting: on or off, the global ambient colour and the local-viewer model.
#include "math/Math_Color.h"
#include "renderer/Renderer_State.h"

namespace Renderer
{
class LightingState : public State
{
public:
    LightingState() = default;

    LightingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    Math::Color ambient{0.2f, 0.2f, 0.2f, 1.0f};
    u8 localViewer = 1;
    u8 enabled = 0;
};
}  // namespace Renderer
