#include "engine/Engine_DefaultGame.h"

#include "core/PAL_FileSystem.h"

namespace Engine
{
const Math::Color DefaultGame::ClearColor(0.15f, 0.3f, 0.5f, 1.0f);

DefaultGame::DefaultGame(const ApplicationSettings& settings, RendererFactory createRenderer)
    : RenderingApplication(settings, createRenderer)
{
    SetFrameRate(60.0);
    SetRateLock(1);
    GetWindow().SetIcon(Core::String(PAL::GetExecutableDirectory()) + "\\Resources\\GameIcon\\GameIcon.ico");
    GetWindow().SetTitle("Morvane");
}

void DefaultGame::Update()
{
    GetRenderer()->ClearColorBuffer(ClearColor);
}
}  // namespace Engine
