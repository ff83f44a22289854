#pragma once
// Rasterised point size in pixels.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class PointState : public State
{
public:
    PointState() = default;

    PointState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    f32 size = 1.0f;
};
}  // namespace Renderer
