#pragma once
// A checkable control drawn as a nine-part skin of ten records: five looks for the unchecked
// button and the same five, 5 records further, for the checked one. Radio buttons that share a
// parent form one group: checking one unchecks the others.
#include "gui/GUI_SkinnedButton.h"

namespace GUI
{
class RadioButton : public SkinnedButton
{
public:
    // Unchecked looks; the checked look of each is CheckedOffset further.
    static constexpr u32 FocusedRecord = 0;
    static constexpr u32 NormalRecord = 1;
    static constexpr u32 DisabledRecord = 2;
    static constexpr u32 HoverRecord = 3;
    static constexpr u32 PressedRecord = 4;
    static constexpr u32 CheckedOffset = 5;

    // A 13 x 13 button of "DefaultRadioButtonSkin", unchecked, unless the HUD is loading.
    RadioButton();
    ~RadioButton() override;

    static Core::Object* CreateInstance();

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(RadioButton); }

    // Checks the button when enabled, then raises Click.
    void OnClick() override;
    void PostUpdate(f32 dt) override;
    // Invokes the checked-changed handlers in order.
    virtual void OnCheckedChanged();

    // Checking an unchecked button raises CheckedChanged, then unchecks its checked siblings
    // (silently); anything else only stores the value. The image then shows the matching look.
    void SetChecked(bool value);
    bool IsChecked() const { return checked != 0; }

    // The CheckedChanged handlers, added like those of the control's events.
    ControlEventList& GetCheckedChangedList() { return checkedChanged; }

protected:
    const char* GetScriptTypeName() const override { return "RadioButton"; }
    // The image's state: the look's record, checked or not.
    void ShowLook(ButtonState look) override;

private:
    ControlEventList checkedChanged;
    u8 checked = 0;
};
} // namespace GUI
