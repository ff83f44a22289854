#include "renderer/Renderer_FogState.h"

namespace Renderer
{
FogState* FogState::Clone() const
{
    return new (__FILE__, __LINE__) FogState(*this);
}

void FogState::Apply(IRenderer& renderer) const
{
    renderer.SetFogState(*this);
}

void FogState::Capture(IRenderer& renderer)
{
    renderer.GetFogState(*this);
}

void FogState::SetDefault()
{
    const Math::Color kept = color;
    *this = FogState();
    color = kept;
}
}  // namespace Renderer
