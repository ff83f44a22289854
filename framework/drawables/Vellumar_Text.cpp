#include "framework/drawables/Vellumar_Text.h"

#include "core/Core_File.h"
#include "engine/Engine_FontCache.h"
#include "framework/core/Vellumar_Resources.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Text, "Vellumar::Text")

Text::Text(const Core::String& text, const Core::String& fontName)
    : engineText(new (__FILE__, __LINE__) Engine::Text(text, false))
{
    engineText->SetFont(Engine::FontCache::GetFont(fontName).Get());
    GetRenderNode()->AttachChild(engineText.Get());
}

Text::Text(const Text& source) : GameObject(source), engineText(source.engineText->Clone()), hudObject(source.hudObject)
{
    GetRenderNode()->AttachChild(engineText.Get());
    NotifyClone(*this, source);
}

Text* Text::Clone() const
{
    return new (__FILE__, __LINE__) Text(*this);
}

void Text::SetFont(const Core::String& fontName)
{
    engineText->SetFont(Engine::FontCache::GetFont(fontName).Get());
}

Core::String Text::GetFontName() const
{
    const Core::RefPtr<Engine::BitmapFont> font = engineText->GetFont();
    return font ? Core::GetFileName(font->GetName()) : Core::String();
}

void Text::MeasureText(f32& width, f32& height) const
{
    width = 0.0f;
    height = 0.0f;
    if (const Core::RefPtr<Engine::BitmapFont> font = engineText->GetFont())
    {
        font->MeasureText(GetText(), width, height);
    }
}

void Text::SyncRenderNode(f32)
{
    engineText->SetColor(GetModulationColor());
    engineText->SetOpacity(GetOpacity());
}

void Text::Save(Core::File& file)
{
    GameObject::Save(file);
    Core::WriteString(file, GetText());
    Core::WriteString(file, GetFontName());
    Core::WriteU8(file, hudObject);
}

void Text::Load(Core::File& file)
{
    GameObject::Load(file);
    Core::String text;
    Core::ReadString(file, text);
    SetText(text);
    Core::String fontName;
    Core::ReadString(file, fontName);
    // A name that would leave the fonts folder keeps the font the text has.
    const Core::String path = ResourceFile("Fonts", fontName, fontName);
    if (!path.empty())
    {
        SetFont(path);
    }
    Core::ReadU8(file, hudObject);
    SetHUDObject(hudObject != 0);
}

void Text::SetHUDObject(bool on)
{
    hudObject = on ? 1 : 0;
    if (engineText)
    {
        engineText->SetScreenSpace(on);
    }
}
}  // namespace Vellumar
