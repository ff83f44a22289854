#pragma once
// A screen button: its object name says what it does. Hovered by a cursor it shows its second
// frame; clicked, it either acts on the pause menu at once or fades the black overlay in, waits
// when it starts a level, and then switches level, chooses the wave file or quits.
#include "core/Core_Object.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/core/Vellumar_StateMachine.h"
#include "game/MyGame_ClassShape.h"

class ButtonClass : public Vellumar::Sprite
{
    CORE_CLASS(ButtonClass)

public:
    explicit ButtonClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations);
    ButtonClass();
    // The copy runs its own copy of the source's transit machine.
    ButtonClass(const ButtonClass& source);
    ButtonClass* Clone() const override;

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32 dt) override;

    // The action the name stands for; 1 (back to the main menu) for any other name.
    static u32 ActionOf(const Core::String& name);

    using TransitMachine = Vellumar::StateMachine<ButtonClass>;
    static Core::RefPtr<TransitMachine> CreateTransitSM(ButtonClass* owner);

    void PerformAction(f32 dt);
    void OnTransparentEnter(f32 dt);
    void OnTransparentUpdate(f32 dt);
    bool IsTransitDone(f32 dt);
    bool IsLevelTransitDone(f32 dt);
    bool Always(f32) { return true; }

    u8 activated = 0;
    u32 actionId = 0;
    Core::RefPtr<TransitMachine> transitSM;

private:
    bool IsLevelButton() const;
    bool IsActButton() const;
    // A cursor sprite touches the button's rectangle.
    bool IsUnderCursor() const;
    // Another visible button nearer the viewer is under the cursor too.
    bool IsBehindHoveredButton() const;
    // The pause menu's actions, served on the click.
    void TogglePause();
    void ShowPauseMenu(bool show);
};
