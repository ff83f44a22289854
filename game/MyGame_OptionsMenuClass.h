#pragma once
// The level class of the options screen: it fades in from black, plays the menu music, and offers
// the full-screen switch and two knobs dragged along their bars for the music and the sound volume.
// The settings live in the game for as long as the program runs; the knobs open where the volumes
// put them.
#include "core/Core_Object.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_StateMachine.h"
#include "game/MyGame_NamedSprites.h"

class MyGame;

class OptionsMenuClass : public Vellumar::Level
{
    CORE_CLASS(OptionsMenuClass)

public:
    using Machine = Vellumar::StateMachine<OptionsMenuClass>;

    // Where the knobs run along their bars, and where they start.
    static constexpr f32 KnobLeft = -47.0f;
    static constexpr f32 KnobRight = 402.0f;
    static constexpr f32 KnobStart = 177.5f;
    static constexpr f32 MusicRowY = 33.0f;
    static constexpr f32 SoundRowY = -106.0f;

    // The volume a knob's x gives: the left end 1/449, the right end 450/449.
    static f32 VolumeAt(f32 knobX) { return (knobX - KnobLeft + 1.0f) / (KnobRight - KnobLeft); }

    OptionsMenuClass();
    OptionsMenuClass* Clone() const override;

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void OnStart() override;
    void OnEnd() override;
    void Update(f32 dt) override;

    static Core::RefPtr<Machine> CreateFadeInSM(OptionsMenuClass* owner);
    // The menu music and the back button's hover sound, from the game's sound table.
    void CreateSounds(f32 musicVolume, f32 soundVolume);

    // A click on the switch toggles the game's full-screen flag; its frame shows the flag and the
    // touch.
    void UpdateFullscreenButton();
    void UpdateMusicKnob();
    void UpdateSoundKnob();

    // The fade from black; under way while the cover is the screen's own.
    bool IsFadingIn() const;
    void EnterOpacity(f32) { SetSpriteOpacity("transit_black", 0.0f); }
    void EnterSolid(f32);
    void UpdateSolid(f32) { FadeSprite("transit_black", -FadeStep); }
    bool IsBlackGone(f32) { return SpriteOpacity("transit_black") <= 0.0f; }

    Core::RefPtr<Machine> fadeInSM;

private:
    static constexpr f32 FadeStep = 0.05f;
    static constexpr u32 MenuMusic = 10;
    static constexpr u32 HoverEffect = 11;

    // While the knob is touched and the left button held, it follows the mouse within its bar; its
    // place sets the volume every update, and its icon shows the muted look at the left end.
    void UpdateKnob(const char* knobName, const char* iconName, f32 MyGame::*volume);
};
