#pragma once
// The depth test and depth writes.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class DepthBufferState : public State
{
public:
    DepthBufferState() = default;

    DepthBufferState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // CompareFunction.
    u32 function = CompareFunction::Less;
    u8 testEnabled = 1;
    u8 writeEnabled = 1;
};
}  // namespace Renderer
