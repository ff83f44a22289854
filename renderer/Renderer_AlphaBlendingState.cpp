#include "renderer/Renderer_AlphaBlendingState.h"

namespace Renderer
{
AlphaBlendingState* AlphaBlendingState::Clone() const
{
    return new (__FILE__, __LINE__) AlphaBlendingState(*this);
}

void AlphaBlendingState::Apply(IRenderer& renderer) const
{
    renderer.SetAlphaBlendingState(*this);
}

void AlphaBlendingState::Capture(IRenderer& renderer)
{
    renderer.GetAlphaBlendingState(*this);
}

void AlphaBlendingState::SetDefault()
{
    *this = AlphaBlendingState();
}
}  // namespace Renderer
