#pragma once
// Rasterised line width in pixels.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class LineState : public State
{
public:
    LineState() = default;

    LineState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    f32 width = 1.0f;
};
}  // namespace Renderer
