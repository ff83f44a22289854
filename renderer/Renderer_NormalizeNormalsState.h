#pragma once
// Whether OpenGL rescales normals to unit length.
#include "renderer/Renderer_State.h"

namespace Renderer
{
class NormalizeNormalsState : public State
{
public:
    NormalizeNormalsState() = default;

    NormalizeNormalsState* Clone() const override;
    void Apply(IRenderer& renderer) const override;
    void Capture(IRenderer& renderer) override;
    void SetDefault() override;

    u8 enabled = 0;
};
}  // namespace Renderer
