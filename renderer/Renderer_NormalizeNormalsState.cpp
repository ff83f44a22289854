#include "renderer/Renderer_NormalizeNormalsState.h"

namespace Renderer
{
NormalizeNormalsState* NormalizeNormalsState::Clone() const
{
    return new (__FILE__, __LINE__) NormalizeNormalsState(*this);
}

void NormalizeNormalsState::Apply(IRenderer& renderer) const
{
    renderer.SetNormalizeNormalsState(*this);
}

void NormalizeNormalsState::Capture(IRenderer& renderer)
{
    renderer.GetNormalizeNormalsState(*this);
}

void NormalizeNormalsState::SetDefault()
{
    *this = NormalizeNormalsState();
}
}  // namespace Renderer
