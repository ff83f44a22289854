#include "renderer/Renderer_CullingState.h"

namespace Renderer
{
CullingState* CullingState::Clone() const
{
    return new (__FILE__, __LINE__) CullingState(*this);
}

void CullingState::Apply(IRenderer& renderer) const
{
    renderer.SetCullingState(*this);
}

void CullingState::Capture(IRenderer& renderer)
{
    renderer.GetCullingState(*this);
}

void CullingState::SetDefault()
{
    *this = CullingState();
}
}  // namespace Renderer
