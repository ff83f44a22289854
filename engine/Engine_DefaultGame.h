#pragma once
// The engine's own application, standing where the game's will: a 1024 x 768 window at a locked
// 60 frames per second that clears itself each frame.
#include "core/Math_Color.h"
#include "engine/Engine_ApplicationRendering.h"

namespace Engine
{
class DefaultGame : public RenderingApplication
{
public:
    explicit DefaultGame(const ApplicationSettings& settings, RendererFactory createRenderer = &Renderer::CreateOGLRenderer);

    void Update() override;

    static const Math::Color ClearColor;
};
}  // namespace Engine
