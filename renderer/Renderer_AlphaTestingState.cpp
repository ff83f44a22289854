#include "renderer/Renderer_AlphaTestingState.h"

namespace Renderer
{
AlphaTestingState* AlphaTestingState::Clone() const
{
    return new (__FILE__, __LINE__) AlphaTestingState(*this);
}

void AlphaTestingState::Apply(IRenderer& renderer) const
{
    renderer.SetAlphaTestingState(*this);
}

void AlphaTestingState::Capture(IRenderer& renderer)
{
    renderer.GetAlphaTestingState(*this);
}

void AlphaTestingState::SetDefault()
{
    *this = AlphaTestingState();
}
}  // namespace Renderer
