#include "game/MyGame_MainMenuClass.h"

#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "platform/Input_Mouse.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_MachineTable.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_NamedSprites.h"
#include "game/MyGame_Sounds.h"

#include <cstdio>

GAME_CLASS_ENTRY(MainMenuClass)

namespace
{
enum Intro : i32
{
    HXend = 0,
    VLend = 1,
    KTend = 2,
    VLstart = 3,
    KTstart = 4,
    Mend = 5,
    Cine3 = 6,
    Initial = 7,
    Cine4 = 8,
    CineEnd = 9,
    CineStay = 10,
    Mstart = 11,
    HXstart = 12,
    Cine2 = 13,
    Cine1 = 14,
    Final = 15,
};

using M = MainMenuClass;
using Row = MachineRow<MainMenuClass>;
constexpr auto Skip = &M::IsIntroSkipped;
constexpr auto Comic = &M::IsComicKeyDown;

// By state index; transitions are tested in the listed order.
const Row IntroRows[] = {
    /* HXend */ {"HXend", &M::TraceState, &M::LowerHx, {{VLstart, &M::IsHxGone, 0}, {Final, Skip, 0}, {Cine1, Comic, 0}}},
    /* VLend */ {"VLend", &M::TraceState, &M::LowerVl, {{Final, Skip, 0}, {KTstart, &M::IsVlGone, 0}}},
    /* KTend */ {"KTend", &M::TraceState, &M::LowerKt, {{Final, Skip, 0}, {Cine1, &M::IsKtGone, 0}}},
    /* VLstart */ {"VLstart", &M::TraceState, &M::RaiseVl, {{VLend, &M::IsVlShown, 1.0f}, {Final, Skip, 0}}},
    /* KTstart */ {"KTstart", &M::TraceState, &M::RaiseKt, {{KTend, &M::IsKtShown, 1.0f}, {Final, Skip, 0}}},
    /* Mend */ {"Mend", &M::TraceState, &M::LowerM, {{Final, Skip, 0}, {Final, &M::IsMGone, 0}}},
    /* Cine3 */ {"Cine3", nullptr, &M::SlideComic3, {{Cine4, &M::IsComic3In, 0}, {Final, Skip, 0}}},
    /* Initial */ {"Initial", &M::EnterInitial, nullptr, {{HXstart, &M::IsHxHidden, 0}, {Final, Skip, 0}, {Cine1, Comic, 0}}},
    /* Cine4 */ {"Cine4", nullptr, &M::SlideComic4, {{CineStay, &M::IsComic4In, 0}, {Final, Skip, 0}}},
    /* CineEnd */ {"CineEnd", nullptr, &M::FadeComics, {{Mstart, &M::IsComicGone, 0}, {Final, Skip, 0}}},
    /* CineStay */ {"CineStay", nullptr, nullptr, {{CineEnd, &M::Always, 4.0f}, {Final, Skip, 0}}},
    /* Mstart */ {"Mstart", &M::EnterMstart, &M::RaiseM, {{Mend, &M::IsMShown, 1.0f}, {Final, Skip, 0}}},
    /* HXstart */ {"HXstart", &M::TraceState, &M::RaiseHx, {{HXend, &M::IsHxShown, 1.0f}, {Final, Skip, 0}, {Cine1, Comic, 0}}},
    /* Cine2 */ {"Cine2", nullptr, &M::SlideComic2, {{Cine3, &M::IsComic2In, 0}, {Final, Skip, 0}}},
    /* Cine1 */ {"Cine1", &M::EnterCine1, &M::SlideComic1, {{Cine2, &M::IsComic1In, 0}, {Final, Skip, 0}}},
    /* Final */ {"Final", &M::EnterFinal, &M::UpdateFinal, {}},
};

const Row FadeInRows[] = {
    {"Solid", &M::EnterSolid, &M::UpdateSolid, {{1, &M::IsBlackGone, 0}}},
    {"Transparent", &M::EnterTransparent, nullptr, {}},
};

const char* const IntroSprites[] = {"logo_hx", "logo_vl", "logo_kt", "logo_m", "comic_1", "comic_2", "comic_3", "comic_4"};
}  // namespace

MainMenuClass::MainMenuClass() : introSM(CreateIntroSM(this)), fadeInSM(CreateFadeInSM(this)) {}

MainMenuClass* MainMenuClass::Clone() const
{
    return new (__FILE__, __LINE__) MainMenuClass();
}

Core::RefPtr<MainMenuClass::Machine> MainMenuClass::CreateIntroSM(MainMenuClass* owner)
{
    return BuildMachine<MainMenuClass>("IntroSM", IntroRows, Initial, owner);
}

Core::RefPtr<MainMenuClass::Machine> MainMenuClass::CreateFadeInSM(MainMenuClass* owner)
{
    return BuildMachine<MainMenuClass>("fadeInSM", FadeInRows, 0, owner);
}

void MainMenuClass::Save(Core::File& file)
{
    Vellumar::Level::Save(file);
    introSM->Save(file);
    fadeInSM->Save(file);
}

void MainMenuClass::Load(Core::File& file)
{
    Vellumar::Level::Load(file);
    introSM->Load(file);
    fadeInSM->Load(file);
}

void MainMenuClass::OnStart()
{
    if (MyGame* game = GetGame())
        CreateSounds(game->musicVolume, game->soundVolume);
    fadeStarted = 0;
}

void MainMenuClass::CreateSounds(f32 musicVolume, f32 effectVolume)
{
    AddLevelSound(*this, "menu_bgm", MenuMusic, musicVolume, 1.0f, true);
    AddLevelSound(*this, "start_level_fx", StartLevelEffect, effectVolume, 1.0f, false);
    AddLevelSound(*this, "hover_fx", HoverEffect, effectVolume, 1.0f, false);
}

void MainMenuClass::OnEnd()
{
    if (MyGame* game = GetGame())
        game->menusVisited = 1;
}

void MainMenuClass::Update(f32 dt)
{
    MyGame* game = GetGame();
    if (!game)
        return;
    if (game->introPending)
        introSM->Update(dt);
    if (game->menusVisited)
    {
        fadeInSM->Update(dt);
        fadeStarted = 1;
    }
    if (GetName() == "LevelSelection" || GetName() == "Credits")
    {
        fadeInSM->Update(dt);
        fadeStarted = 1;
    }
    auto* music = fadeStarted ? FindObjectByName<Vellumar::Sound>("menu_bgm") : nullptr;
    if (music && !music->IsPlaying())
        music->Play(true);
}

bool MainMenuClass::IsIntroSkipped(f32)
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    const Input::Mouse* mouse = game->GetMouse();
    const Input::Keyboard* keyboard = game->GetKeyboard();
    return mouse->IsTriggered(0) || mouse->IsTriggered(2) || keyboard->IsTriggered(Input::EngineKey::Return) ||
           keyboard->IsTriggered(Input::EngineKey::Space) || keyboard->IsTriggered(Input::EngineKey::Escape);
}

bool MainMenuClass::IsComicKeyDown(f32)
{
    return Vellumar::Game::GetInstance()->GetKeyboard()->IsTriggered(Input::EngineKey::LetterZ);
}

void MainMenuClass::TraceState(f32)
{
    std::printf("%s\n", introSM->GetStates()[introSM->GetCurrentIndex()]->name.c_str());
    std::fflush(stdout);
}

void MainMenuClass::EnterInitial(f32 dt)
{
    CoverScreen("transit_white");
    CoverScreen("transit_black");
    TraceState(dt);
}

void MainMenuClass::EnterCine1(f32)
{
    SetSpriteOpacity("logo_hx", 0.0f);
    SetSpriteOpacity("logo_kt", 0.0f);
    SetSpriteOpacity("logo_vl", 0.0f);
}

void MainMenuClass::FadeComics(f32)
{
    for (const char* name : {"comic_1", "comic_2", "comic_3", "comic_4"})
        FadeSprite(name, -Step);
}

void MainMenuClass::EnterMstart(f32 dt)
{
    TraceState(dt);
    fadeStarted = 1;
}

void MainMenuClass::EnterFinal(f32 dt)
{
    TraceState(dt);
    fadeStarted = 1;
}

void MainMenuClass::UpdateFinal(f32)
{
    FadeSprite("transit_white", -Step);
    for (const char* name : IntroSprites)
        SetSpriteOpacity(name, 0.0f);
    SetSpriteOpacity("logo", 1.0f);
    if (SpriteOpacity("transit_white") <= 0.0f)
        GetGame()->introPending = 0;
}

bool MainMenuClass::IsFadingIn() const
{
    return IsInState(*fadeInSM, 0);
}

void MainMenuClass::EnterSolid(f32)
{
    CoverScreen("transit_black");
    SetSpriteOpacity("transit_black", 1.0f);
}

void MainMenuClass::EnterTransparent(f32)
{
    SetSpriteOpacity("transit_black", 0.0f);
    SetSpriteOpacity("logo", 1.0f);
}

void MainMenuClass::Slide(const char* name, f32 dx, f32 dy)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetPosition(sprite->GetPosition().x + dx, sprite->GetPosition().y + dy);
}

bool MainMenuClass::IsAtOrigin(const char* name)
{
    auto* sprite = FindObjectByName<Vellumar::Sprite>(name);
    return sprite && sprite->GetPosition().x == 0.0f && sprite->GetPosition().y == 0.0f;
}
