#include "renderer/Renderer_State.h"

namespace Renderer
{
void State::Apply(IRenderer&) const
{
}

void State::Capture(IRenderer&)
{
}

void State::SetDefault()
{
}
}  // namespace Renderer
