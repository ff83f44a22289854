#include "framework/drawables/Vellumar_Viewport.h"

#include "core/Core_File.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Resources.h"

#include <algorithm>

namespace Vellumar
{
CORE_REGISTER_CLASS(Viewport, "Vellumar::Viewport")

Viewport::Viewport(i32 x, i32 y, i32 width, i32 height)
    : engineViewport(new (__FILE__, __LINE__) Engine::Viewport(x, y, std::max(width, 0), std::max(height, 0)))
{
}

Viewport::~Viewport() = default;

void Viewport::SetCamera(Camera* viewCamera)
{
    camera = viewCamera;
}

Camera* Viewport::GetCamera() const
{
    return camera && !camera->IsCleanedUp() ? camera.Get() : nullptr;
}

void Viewport::Set(i32 x, i32 y, i32 width, i32 height)
{
    engineViewport->SetRectangle(x, y, std::max(width, 0), std::max(height, 0));
}

Math::Point2D Viewport::GetPosition() const
{
    return Math::Point2D(static_cast<f32>(GetX()), static_cast<f32>(GetY()));
}

void Viewport::SetBackground(const Core::String& fileName)
{
    background = fileName;
    engineViewport->SetBackground(fileName);
}

void Viewport::Draw(f32)
{
    Game* game = Game::GetInstance();
    Camera* view = GetCamera();
    if (!view || !game || !game->GetSceneGraph())
    {
        return;
    }
    game->GetSceneGraph()->RenderViewport(*view->GetEngineCamera(), *engineViewport);
}

void Viewport::Save(Core::File& file)
{
    Core::WriteString(file, name);
    file.WriteObject(GetCamera());
    Core::WriteU32(file, static_cast<u32>(GetX()));
    Core::WriteU32(file, static_cast<u32>(GetY()));
    Core::WriteU32(file, static_cast<u32>(GetWidth()));
    Core::WriteU32(file, static_cast<u32>(GetHeight()));
    Math::WriteColor(file, GetClearColor());
    Game* game = Game::GetInstance();
    Level* level = game ? game->GetCurrentLevel() : nullptr;
    Core::WriteString(file, level ? level->GetName() : Core::String());
    Core::WriteString(file, Core::GetFileName(background));
}

void Viewport::Load(Core::File& file)
{
    Core::ReadString(file, name);
    Core::Object* object = file.ReadObject();
    Camera* loadedCamera = dynamic_cast<Camera*>(object);
    if (object && !loadedCamera)
    {
        file.SetFailed();
        file.Discard(object);
        return;
    }
    camera = loadedCamera;
    u32 rectangle[4] = {};
    for (u32& value : rectangle)
    {
        Core::ReadU32(file, value);
    }
    Set(static_cast<i32>(rectangle[0]), static_cast<i32>(rectangle[1]), static_cast<i32>(rectangle[2]),
        static_cast<i32>(rectangle[3]));
    Math::Color clearColor = GetClearColor();
    Math::ReadColor(file, clearColor);
    SetClearColor(clearColor);
    Core::String levelName;
    Core::ReadString(file, levelName);
    Core::String backgroundName;
    Core::ReadString(file, backgroundName);
    if (backgroundName.empty())
    {
        return;
    }
    // A name that would leave the backgrounds folder gives no picture.
    background = ResourceFile("Viewports Backgrounds", levelName, backgroundName);
    if (!background.empty())
    {
        engineViewport->SetBackground(background);
    }
}
}  // namespace Vellumar
