// The HUD's part of a saved game: the forms with their controls, buttons and radio buttons, the
// HUD's lists and pointers, the drawing state and the cursor. A state that loads is run for two
// frames. Seeds are the states the HUD writes for a form with a button and a radio group.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "gui/GUI_Button.h"
#include "gui/GUI_Form.h"
#include "gui/GUI_HUD.h"
#include "gui/GUI_RadioButton.h"

#include <memory>

namespace
{
bool Read(const u8* data, std::size_t size)
{
    GUI::HUD hud;
    Core::MemoryFile file(data, static_cast<u32>(size));
    hud.Load(file);
    if (file.Failed())
        return false;
    hud.Update(0.5f);
    hud.Update(0.5f);
    return true;
}

Fuzz::Bytes Save(GUI::HUD& hud)
{
    Core::MemoryFile file;
    hud.Save(file);
    return Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize());
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    GUI::HUD hud;
    seeds.emplace_back("empty", Save(hud));
    Core::RefPtr<GUI::Form> form(new GUI::Form());
    form->SetText("Options");
    Core::RefPtr<GUI::Button> button(new GUI::Button());
    button->SetText("OK");
    form->AddControl(button);
    for (int i = 0; i < 2; ++i)
    {
        Core::RefPtr<GUI::RadioButton> radio(new GUI::RadioButton());
        radio->SetPosition(10.0f, 40.0f + 20.0f * static_cast<f32>(i));
        form->AddControl(radio);
    }
    hud.AddForm(form);
    hud.Update(0.1f);
    seeds.emplace_back("form", Save(hud));
    form->SetModal(true);
    button->Destroy();
    seeds.emplace_back("modal", Save(hud));
}

const Fuzz::Registration registration("GuiState", Read, WriteSeeds);
}  // namespace
