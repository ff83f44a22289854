#include "game/MyGame_OptionsMenuClass.h"

#include "platform/Input_Mouse.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_MachineTable.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"

GAME_CLASS_ENTRY(OptionsMenuClass)

namespace
{
enum FadeState : u32
{
    Opacity = 0,
    Solid = 1,
};

// The menu cursor touches the sprite in this frame's collision results.
bool IsTouched(const Vellumar::Sprite& sprite)
{
    return Vellumar::CollisionResults::Of(sprite).IsCollidedWithSprite("cursor0", false);
}

void MoveX(const char* name, f32 x)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetPositionX(x);
}

// The knob's place sets the volume every update, so the screen must open with each knob where the
// volume puts it, or merely opening it would change the volume. A knob left where it gives the
// volume comes back exactly there (the way back through the volume may round off a fraction).
f32 KnobFor(f32 leftAt, f32 volume)
{
    if (OptionsMenuClass::VolumeAt(leftAt) == volume)
        return leftAt;
    return volume * (OptionsMenuClass::KnobRight - OptionsMenuClass::KnobLeft) + OptionsMenuClass::KnobLeft - 1.0f;
}
}  // namespace

OptionsMenuClass::OptionsMenuClass() : fadeInSM(CreateFadeInSM(this)) {}

OptionsMenuClass* OptionsMenuClass::Clone() const
{
    return new (__FILE__, __LINE__) OptionsMenuClass();
}

Core::RefPtr<OptionsMenuClass::Machine> OptionsMenuClass::CreateFadeInSM(OptionsMenuClass* owner)
{
    using O = OptionsMenuClass;
    static constexpr MachineRow<OptionsMenuClass> Rows[] = {
        {"Opacity", &O::EnterOpacity, nullptr, {}},
        {"Solid", &O::EnterSolid, &O::UpdateSolid, {{Opacity, &O::IsBlackGone, 0.0f}}},
    };
    return BuildMachine<OptionsMenuClass>("fadeInSM", Rows, Solid, owner);
}

void OptionsMenuClass::Save(Core::File& file)
{
    Vellumar::Level::Save(file);
    fadeInSM->Save(file);
}

void OptionsMenuClass::Load(Core::File& file)
{
    Vellumar::Level::Load(file);
    fadeInSM->Load(file);
}

void OptionsMenuClass::CreateSounds(f32 musicVolume, f32 soundVolume)
{
    AddLevelSound(*this, "menu_bgm", MenuMusic, musicVolume, 1.0f, true);
    AddLevelSound(*this, "hover_fx", HoverEffect, soundVolume, 1.0f, false);
}

void OptionsMenuClass::OnStart()
{
    MyGame* game = GetGame();
    if (!game)
        return;
    CreateSounds(game->musicVolume, game->soundVolume);
    PlaySound("menu_bgm");
    if (auto* knob = FindObjectByName<Vellumar::Sprite>("music_knob"))
        knob->SetPosition(KnobStart, MusicRowY);
    if (auto* knob = FindObjectByName<Vellumar::Sprite>("sound_knob"))
        knob->SetPosition(KnobStart, SoundRowY);
    MoveX("music_knob", KnobFor(game->musicKnobX, game->musicVolume));
    MoveX("sound_knob", KnobFor(game->soundKnobX, game->soundVolume));
}

void OptionsMenuClass::OnEnd()
{
    MyGame* game = GetGame();
    if (!game)
        return;
    if (auto* knob = FindObjectByName<Vellumar::Sprite>("music_knob"))
        game->musicKnobX = knob->GetPositionX();
    if (auto* knob = FindObjectByName<Vellumar::Sprite>("sound_knob"))
        game->soundKnobX = knob->GetPositionX();
}

void OptionsMenuClass::Update(f32 dt)
{
    fadeInSM->Update(dt);
    UpdateFullscreenButton();
    UpdateMusicKnob();
    UpdateSoundKnob();
}

bool OptionsMenuClass::IsFadingIn() const
{
    return IsInState(*fadeInSM, Solid);
}

void OptionsMenuClass::EnterSolid(f32)
{
    CoverScreen("transit_black");
    SetSpriteOpacity("transit_black", 1.0f);
}

void OptionsMenuClass::UpdateFullscreenButton()
{
    MyGame* game = GetGame();
    auto* button = FindObjectByName<Vellumar::Sprite>("fullscreenBtn");
    if (!game || !button)
        return;
    if (!IsTouched(*button))
    {
        button->SetCurrentFrame(game->fullScreen ? 1 : 0, false);
        return;
    }
    button->SetCurrentFrame(game->fullScreen ? 3 : 2, false);
    if (game->buttonPress)
        game->fullScreen = game->fullScreen ? 0 : 1;
}

void OptionsMenuClass::UpdateMusicKnob()
{
    UpdateKnob("music_knob", "music_icon", &MyGame::musicVolume);
}

void OptionsMenuClass::UpdateSoundKnob()
{
    UpdateKnob("sound_knob", "sound_icon", &MyGame::soundVolume);
}

void OptionsMenuClass::UpdateKnob(const char* knobName, const char* iconName, f32 MyGame::*volume)
{
    MyGame* game = GetGame();
    auto* knob = FindObjectByName<Vellumar::Sprite>(knobName);
    auto* icon = FindObjectByName<Vellumar::Sprite>(iconName);
    if (!game || !knob || !icon)
        return;
    if (IsTouched(*knob))
    {
        // A press that came with the pointer's move waits, as for the buttons, until the touch
        // is that of the place it went down: the knob the pointer jumped away from stays.
        if (game->GetMouse()->IsPressed(0) && game->pressWait == 0)
            knob->SetPositionX(game->mouseX);
        if (knob->GetPositionX() <= KnobLeft)
            knob->SetPositionX(KnobLeft);
        if (knob->GetPositionX() >= KnobRight)
            knob->SetPositionX(KnobRight);
    }
    const f32 x = knob->GetPositionX();
    icon->SetCurrentFrame(x <= KnobLeft ? 1 : 0, false);
    game->*volume = VolumeAt(x);
}
