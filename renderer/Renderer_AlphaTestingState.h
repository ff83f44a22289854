#pragma once
// The alpha test.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class AlphaTestingState : public State
{
public:
    AlphaTestingState() = default;

    AlphaTestingState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // CompareFunction.
    u32 function = CompareFunction::Always;
    f32 reference = 0.0f;
    u8 enabled = 0;
};
}  // namespace Renderer
