#include "renderer/Renderer_ShadingState.h"

namespace Renderer
{
ShadingState* ShadingState::Clone() const
{
    return new (__FILE__, __LINE__) ShadingState(*this);
}

void ShadingState::Apply(IRenderer& renderer) const
{
    renderer.SetShadingState(*this);
}

void ShadingState::Capture(IRenderer& renderer)
{
    renderer.GetShadingState(*this);
}

void ShadingState::SetDefault()
{
    *this = ShadingState();
}
}  // namespace Renderer
