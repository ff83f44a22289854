#include "game/MyGame_BaseLevelClass.h"

#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"
#include "framework/drawables/Vellumar_Sprite.h"

#include <string_view>

GAME_CLASS_ENTRY(BaseLevelClass)

namespace
{
const char* const ResourceBars[] = {"resource_bar_1", "resource_bar_2", "resource_bar_3", "resource_bar_4"};
const char* const ProgressBars[] = {"progress_bar1", "progress_bar2"};
const char* const PauseButtons[] = {"pause_exit", "pause_resume", "pause_restart"};
constexpr u8 MaxResources = 80;
constexpr u8 BarSize = 20;

// A name compared over the length of the expected one, never past the end of either.
bool StartsWith(const Core::String& text, std::string_view prefix)
{
    return std::string_view(text.c_str(), text.size()).substr(0, prefix.size()) == prefix;
}
}  // namespace

BaseLevelClass* GetPlayLevel()
{
    Vellumar::Game* game = Vellumar::Game::GetInstance();
    return game ? dynamic_cast<BaseLevelClass*>(game->GetCurrentLevel()) : nullptr;
}

BaseLevelClass::BaseLevelClass()
{
    CreateFadeInSM();
    CreateTutorialSM();
}

BaseLevelClass::~BaseLevelClass() = default;

BaseLevelClass* BaseLevelClass::Clone() const
{
    return new (__FILE__, __LINE__) BaseLevelClass();
}

void BaseLevelClass::Save(Core::File& file)
{
    Vellumar::Level::Save(file);
    fadeInSM->Save(file);
    tutorialSM->Save(file);
}

void BaseLevelClass::Load(Core::File& file)
{
    Vellumar::Level::Load(file);
    fadeInSM->Load(file);
    tutorialSM->Load(file);
}

bool BaseLevelClass::IsTutorial() const
{
    MyGame* game = GetGame();
    return game && StartsWith(game->waveFileName, "timer.txt");
}

void BaseLevelClass::OnStart()
{
    MyGame* game = GetGame();
    tutorialMouseX = tutorialMouseY = 0.0f;
    barFill = {};
    resources = 0;
    recordCount = spawnsFired = 0;
    for (const char* bar : ResourceBars)
        if (auto* sprite = FindObjectByName<Vellumar::Sprite>(bar))
            sprite->SetScaleY(0.0f);
    for (const char* bar : ProgressBars)
        if (auto* sprite = FindObjectByName<Vellumar::Sprite>(bar))
            sprite->SetScaleX(0.0f);
    if (auto* cover = FindObjectByName<Vellumar::Sprite>("transit_black"))
        cover->SetScale(1024.0f, 768.0f);
    if (auto* background = FindObjectByName<Vellumar::Sprite>("background"))
    {
        i32 frame = 0;
        if (game && StartsWith(game->waveFileName, "act1.txt"))
            frame = 1;
        else if (game && StartsWith(game->waveFileName, "act2.txt"))
            frame = 2;
        else if (game && StartsWith(game->waveFileName, "act3.txt"))
            frame = 3;
        background->SetCurrentFrame(frame, false);
    }
    if (game)
        game->running = 1;
    bossFlag = waveMode = 0;
    spawnCounter = 0;
    recordIndex = 0;
    if (!game)
        return;
    ReadWaveFile(Core::String(game->waveFileName));
    CreateSounds(game->musicVolume, game->soundVolume);
    // The sounds join the layer at its next update; the music is found and started at once.
    PlaySound("game_bgm");
}

void BaseLevelClass::Update(f32 dt)
{
    fadeInSM->Update(dt);
    UpdateResourceBars();
    UpdateProgressBars();
    ReadWaveRecord(recordIndex, readingRecords);
    AdvanceSpawnCounter();
    UpdatePauseMenu();
    if (!IsTutorial())
        return;
    if (auto* enemy = FindObjectByName<BasicClass>("enemy_basic_tut"))
    {
        if (auto* target = FindObjectByName<Vellumar::Sprite>("tut_target"))
            target->SetPosition(enemy->GetPosition());
        BlinkSprite("tut_target", false);
    }
    tutorialSM->Update(dt);
}

void BaseLevelClass::OnEnd()
{
    waveTable.clear();
}

void BaseLevelClass::UpdateResourceBars()
{
    const u8 v = resources;
    if (v > MaxResources)
        resources = MaxResources;
    else
        for (u32 i = 0; i < barFill.size(); ++i)
        {
            const i32 fill = static_cast<i32>(v) - static_cast<i32>(i * BarSize);
            barFill[i] = static_cast<u8>(fill < 0 ? 0 : (fill > BarSize ? BarSize : fill));
        }
    for (u32 i = 0; i < barFill.size(); ++i)
    {
        if (auto* bar = FindObjectByName<Vellumar::Sprite>(ResourceBars[i]))
        {
            bar->SetScaleY(barFill[i] / 20.0f);
            bar->SetPositionY(barFill[i] - 330.0f);
        }
    }
}

void BaseLevelClass::UpdateProgressBars()
{
    // Without a record read there is no ratio yet: the bars stay as they are.
    if (IsTutorial() || recordCount == 0)
        return;
    const f32 ratio = static_cast<f32>(spawnsFired) / static_cast<f32>(recordCount);
    for (const char* name : ProgressBars)
        if (auto* bar = FindObjectByName<Vellumar::Sprite>(name))
            bar->SetScaleX(ratio);
}

void BaseLevelClass::UpdatePauseMenu()
{
    MyGame* game = GetGame();
    Input::Keyboard* keyboard = Input::GetKeyboard();
    if (!game || !keyboard || !keyboard->IsTriggered(Input::EngineKey::Escape))
        return;
    game->running = game->running ? 0 : 1;
    const bool paused = game->running == 0;
    for (const char* name : PauseButtons)
        if (auto* button = FindObjectByName<ButtonClass>(name))
            button->SetVisible(paused);
    if (auto* cover = FindObjectByName<Vellumar::Sprite>("transit_black"))
        cover->SetVisible(paused);
}

void BaseLevelClass::BlinkSprite(const Core::String& name, bool finalVisible)
{
    auto* sprite = FindObjectByName<Vellumar::Sprite>(name);
    if (blinkFrames != 0)
    {
        if (sprite && blinkFrames % 5 == 0)
            sprite->SetVisible(!sprite->GetVisible());
        --blinkFrames;
    }
    else if (sprite)
        sprite->SetVisible(finalVisible);
}

bool BaseLevelClass::RemoveEnemy(u32 id)
{
    for (auto it = enemyList.begin(); it != enemyList.end(); ++it)
    {
        if (*it == id)
        {
            enemyList.erase(it);
            return true;
        }
    }
    return false;
}
