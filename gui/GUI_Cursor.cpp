#include "gui/GUI_Cursor.h"

#include "core/Core_File.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_Paths.h"
#include "renderer/Renderer_TextureCache.h"

namespace GUI
{
namespace
{
const Core::ClassRegistrar cursorRegistrar("GUI::Cursor", &Cursor::CreateInstance);
} // namespace

Cursor::Cursor(const Core::String& imagePath)
    : path(imagePath), context(new (__FILE__, __LINE__) Engine::TextRenderContext())
{
    if (!path.empty())
        FetchTexture();
}

Cursor::~Cursor() = default;

Core::Object* Cursor::CreateInstance()
{
    return new (__FILE__, __LINE__) Cursor(Core::String());
}

const char* Cursor::GetClassName() const
{
    return "GUI::Cursor";
}

void Cursor::FetchTexture()
{
    texture = Renderer::TextureCache::GetTexture(path, 1);
}

void Cursor::Draw(const Math::Point2D& mouse)
{
    Graphics* graphics = GetGraphics();
    if (!graphics)
        return;
    graphics->Reset();
    graphics->SetDepth(Depth);
    const TRectangle quad(mouse.x - hotSpot.x, mouse.y - hotSpot.y, Side, Side);
    graphics->DrawImage(*context, quad, texture);
    Graphics::Submit(*context);
}

void Cursor::Save(Core::File& file)
{
    Math::WriteVector2D(file, hotSpot);
    Core::WriteString(file, path);
}

void Cursor::Load(Core::File& file)
{
    Math::ReadVector2D(file, hotSpot);
    path.clear();
    Core::ReadString(file, path);
    texture = nullptr;
    if (!file.Failed() && IsInsideFolder(path, GetCursorsFolder()))
        FetchTexture();
    context = new (__FILE__, __LINE__) Engine::TextRenderContext();
}
} // namespace GUI
