#include "renderer/Renderer_LightingState.h"

namespace Renderer
{
LightingState* LightingState::Clone() const
{
    return new (__FILE__, __LINE__) LightingState(*this);
}

void LightingState::Apply(IRenderer& renderer) const
{
    renderer.SetLightingState(*this);
}

void LightingState::Capture(IRenderer& renderer)
{
    renderer.GetLightingState(*this);
}

void LightingState::SetDefault()
{
    *this = LightingState();
}
}  // namespace Renderer
