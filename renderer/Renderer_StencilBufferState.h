#pragma once
// The stencil test and what it writes.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class StencilBufferState : public State
{
public:
    StencilBufferState() = default;

    StencilBufferState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    // CompareFunction.
    u32 function = CompareFunction::Always;
    // StencilOperation, each of the three.
    u32 stencilFail = StencilOperation::Keep;
    u32 depthFail = StencilOperation::Keep;
    u32 depthPass = StencilOperation::Keep;
    i32 reference = 0;
    u32 compareMask = 0xFFFFFFFFu;
    u32 writeMask = 0xFFFFFFFFu;
    u8 enabled = 0;
};
}  // namespace Renderer
