#pragma once
// The game object that shows a line of text in a bitmap font: its render node carries an engine
// text. Fonts come from the engine's font cache; the empty font name is the default font.
#include "core/Core_String.h"
#include "engine/Engine_Text.h"
#include "framework/core/Vellumar_GameObject.h"

namespace Vellumar
{
class Text : public GameObject
{
    CORE_CLASS(Text)

public:
    Text(const Core::String& text = Core::String(), const Core::String& fontName = Core::String());
    Text(const Text& source);

    Text* Clone() const override;
    // After the game object: the text, the font's file name without folders, the HUD flag. Loading
    // takes the font from the fonts folder, each font in a folder of its own name.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // After the game object's network records: the string, and in the state record the HUD flag.
    void NetworkSave(Core::File& file) override;
    void NetworkLoad(Core::File& file) override;
    void NetworkSyncSend(Core::File& file) override;
    void NetworkSyncReceive(Core::File& file) override;
    // Modulation colour and opacity to the engine text.
    void SyncRenderNode(f32 dt) override;

    void SetText(const Core::String& value) { engineText->SetText(value); }
    const Core::String& GetText() const { return engineText->GetText(); }
    void SetFont(const Core::String& fontName);
    // The font's name without its folders.
    Core::String GetFontName() const;
    // The box the font lays the text out in.
    void MeasureText(f32& width, f32& height) const;
    // Drawn in screen coordinates rather than through the camera.
    // A HUD object draws at fixed pixels of each viewport, whatever the camera does: x and y from
    // the viewport's centre, one unit a pixel at z = 0.
    void SetHUDObject(bool on);
    bool IsHUDObject() const { return hudObject != 0; }
    Engine::Text* GetEngineText() const { return engineText.Get(); }

protected:
    const char* GetScriptTypeName() const override { return "Text"; }

private:
    Core::RefPtr<Engine::Text> engineText;
    u8 hudObject = 0;
};
}  // namespace Vellumar
