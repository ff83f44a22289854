#include "renderer/Renderer_DitheringState.h"

namespace Renderer
{
DitheringState* DitheringState::Clone() const
{
    return new (__FILE__, __LINE__) DitheringState(*this);
}

void DitheringState::Apply(IRenderer& renderer) const
{
    renderer.SetDitheringState(*this);
}

void DitheringState::Capture(IRenderer& renderer)
{
    renderer.GetDitheringState(*this);
}

void DitheringState::SetDefault()
{
    *this = DitheringState();
}
}  // namespace Renderer
