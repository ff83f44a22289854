#include "framework/Vellumar_Viewport.h"

#include "framework/Vellumar_Camera.h"
#include "framework/Vellumar_Game.h"

#include <algorithm>

namespace Vellumar
{
CORE_REGISTER_CLASS(Viewport, "Vellumar::Viewport")

Viewport::Viewport(i32 x, i32 y, i32 width, i32 height)
    : engineViewport(new (__FILE__, __LINE__) Engine::Viewport(x, y, std::max(width, 0), std::max(height, 0)))
{
}

void Viewport::Set(i32 x, i32 y, i32 width, i32 height)
{
    engineViewport->SetRectangle(x, y, std::max(width, 0), std::max(height, 0));
}

void Viewport::SetBackground(const Core::String& fileName)
{
    background = fileName;
    engineViewport->SetBackground(fileName);
}

void Viewport::Draw(f32)
{
    Game* game = Game::GetInstance();
    if (!camera || !game || !game->GetSceneGraph())
    {
        return;
    }
    game->GetSceneGraph()->RenderViewport(*camera->GetEngineCamera(), *engineViewport);
}
}  // namespace Vellumar
