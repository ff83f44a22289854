#include "game/MyGame_ButtonClass.h"

#include "platform/Input_Mouse.h"
#include "platform/PAL_MessagePump.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_LoadingTipsTextClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MachineTable.h"
#include "game/MyGame_MainMenuClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_NamedSprites.h"
#include "game/MyGame_OptionsMenuClass.h"
#include "game/MyGame_Sounds.h"

GAME_CLASS_ENTRY(ButtonClass)

namespace
{
enum Action : u32
{
    Tutorial = 0,
    MainMenu = 1,
    LevelSelection = 2,
    Credits = 3,
    Options = 6,
    Act1 = 11,
    Act2 = 12,
    Act3 = 13,
    PauseResume = 87,
    PauseToggle = 88,
    PauseRestart = 89,
    Quit = 99,
};

struct NamedAction
{
    const char* name;
    u32 action;
};

const NamedAction Actions[] = {
    {"demoB", Tutorial},        {"creditsBG", MainMenu},    {"victoryBG", MainMenu},         {"loseBG", MainMenu},
    {"backMenuBtn", MainMenu},  {"pause_exit", MainMenu},   {"startbutton", LevelSelection}, {"creditsbutton", Credits},
    {"optionsbutton", Options}, {"level1B", Act1},          {"level2B", Act2},               {"level3B", Act3},
    {"exitbutton", Quit},       {"pause", PauseToggle},           {"pause_resume", PauseResume},   {"pause_restart", PauseRestart},
};

enum TransitState : u32
{
    Transit = 0,
    Delay = 1,
    Transparent = 2,
};

constexpr f32 LevelStartDelay = 1.5f;
constexpr f32 FadeStep = 0.05f;
const char* const PauseButtons[] = {"pause_exit", "pause_resume", "pause_restart"};

// The loading picture and its tip come into view over the screen.
void ShowLoadingScreen(bool movePicture)
{
    if (auto* loading = FindObjectByName<Vellumar::Sprite>("loading"))
    {
        if (movePicture)
            loading->SetPosition(0.0f, 0.0f);
        else
            loading->SetPositionY(0.0f);
    }
    if (auto* tip = FindObjectByName<LoadingTipsTextClass>("loadingtip"))
        tip->SetPosition(-400.0f, 0.0f);
}

// How near the viewer an object is drawn: its layer's depth and its own.
f32 DepthOf(const Vellumar::GameObject& object)
{
    const Vellumar::Layer* layer = object.GetLayer();
    return (layer ? layer->GetZOrder() : 0.0f) + object.GetZOrder();
}

// The screen still fades in from black: the cover is the screen's until then.
bool IsScreenFadingIn()
{
    Vellumar::Level* level = Vellumar::Game::GetInstance()->GetCurrentLevel();
    if (auto* menu = dynamic_cast<MainMenuClass*>(level))
        return menu->IsFadingIn();
    if (auto* options = dynamic_cast<OptionsMenuClass*>(level))
        return options->IsFadingIn();
    if (auto* play = dynamic_cast<BaseLevelClass*>(level))
        return play->IsFadingIn();
    return false;
}
}  // namespace

ButtonClass::ButtonClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations)
    : Vellumar::Sprite(animations), transitSM(CreateTransitSM(this))
{
}

ButtonClass::ButtonClass() : transitSM(CreateTransitSM(this)) {}

ButtonClass::ButtonClass(const ButtonClass& source) : Vellumar::Sprite(source)
{
    transitSM = static_cast<TransitMachine*>(source.transitSM->CloneState());
    transitSM->SetOwner(this);
}

ButtonClass* ButtonClass::Clone() const
{
    return new (__FILE__, __LINE__) ButtonClass(*this);
}

void ButtonClass::Save(Core::File& file)
{
    Vellumar::Sprite::Save(file);
    transitSM->Save(file);
}

void ButtonClass::Load(Core::File& file)
{
    Vellumar::Sprite::Load(file);
    transitSM->Load(file);
}

Core::RefPtr<ButtonClass::TransitMachine> ButtonClass::CreateTransitSM(ButtonClass* owner)
{
    using B = ButtonClass;
    static constexpr MachineRow<ButtonClass> Rows[] = {
        {"Transit", &B::PerformAction, nullptr, {}},
        {"Delay", nullptr, nullptr, {{Transit, &B::Always, LevelStartDelay}}},
        {"Transparent", &B::OnTransparentEnter, &B::OnTransparentUpdate,
         {{Transit, &B::IsTransitDone, 0.0f}, {Delay, &B::IsLevelTransitDone, 0.0f}}},
    };
    return BuildMachine<ButtonClass>("transitSM", Rows, Transparent, owner);
}

u32 ButtonClass::ActionOf(const Core::String& name)
{
    for (const NamedAction& entry : Actions)
    {
        if (name == entry.name)
            return entry.action;
    }
    return MainMenu;
}

void ButtonClass::OnStart()
{
    activated = 0;
    actionId = MainMenu;
}

bool ButtonClass::IsActButton() const
{
    return GetName() == "level1B" || GetName() == "level2B" || GetName() == "level3B";
}

bool ButtonClass::IsLevelButton() const
{
    return IsActButton() || GetName() == "demoB";
}

void ButtonClass::ScriptUpdate(f32 dt)
{
    MyGame* game = GetGame();
    if (game && !game->introPending && GetVisible())
    {
        actionId = ActionOf(GetName());
        const bool hovered = IsUnderCursor() && !IsBehindHoveredButton();
        if (!hovered)
        {
            SetCurrentFrame(0, false);
            if (IsActButton())
                SetOpacity(0.0f);
        }
        else
        {
            // The hover begins in this frame while the button still shows its first frame.
            if (GetCurrentFrameIndex() == 0)
                PlaySound("hover_fx");
            SetCurrentFrame(1, false);
            if (IsActButton())
                SetOpacity(1.0f);
            if (game->buttonPress)
            {
                if (actionId == PauseToggle)
                {
                    TogglePause();
                }
                else if (actionId == PauseResume)
                {
                    game->running = 1;
                    ShowPauseMenu(false);
                }
                else if (actionId == PauseRestart)
                {
                    ShowPauseMenu(false);
                    game->running = 1;
                    ShowLoadingScreen(true);
                    game->RestartLevel();
                }
                else
                {
                    activated = 1;
                }
            }
        }
    }
    if (activated)
        transitSM->Update(dt);
}

bool ButtonClass::IsUnderCursor() const
{
    const Vellumar::CollisionResults results = Vellumar::CollisionResults::Of(*this);
    return results.IsCollidedWithSprite("cursor0", false) || results.IsCollidedWithSprite("cursor", false);
}

// Rectangles of the content overlap (the options button's reaches over most of the exit
// button's), and one click must not act twice: of the buttons under the cursor only the one
// nearest the viewer answers. Of equal depth, the one later in the level's order is drawn over
// the other.
bool ButtonClass::IsBehindHoveredButton() const
{
    Vellumar::Level* level = Vellumar::Game::GetInstance()->GetCurrentLevel();
    if (!level)
        return false;
    Core::Vector<Vellumar::GameObject*> objects;
    level->GetGameObjects(objects);
    const f32 depth = DepthOf(*this);
    bool after = false;
    for (Vellumar::GameObject* object : objects)
    {
        if (object == this)
        {
            after = true;
            continue;
        }
        auto* other = dynamic_cast<ButtonClass*>(object);
        if (!other || !other->GetVisible())
            continue;
        const f32 otherDepth = DepthOf(*other);
        if ((otherDepth > depth || (otherDepth == depth && after)) && other->IsUnderCursor())
            return true;
    }
    return false;
}

void ButtonClass::TogglePause()
{
    MyGame* game = GetGame();
    const bool pausing = game->running != 0;
    game->running = pausing ? 0 : 1;
    ShowPauseMenu(pausing);
}

void ButtonClass::ShowPauseMenu(bool show)
{
    for (const char* name : PauseButtons)
    {
        if (auto* button = FindObjectByName<ButtonClass>(name))
            button->SetVisible(show);
    }
    SetSpriteVisible("transit_black", show);
}

void ButtonClass::OnTransparentEnter(f32)
{
    if (auto* overlay = FindObjectByName<Vellumar::Sprite>("transit_black"))
    {
        overlay->SetScale(1024.0f, 768.0f);
        overlay->SetZOrder(3.5f);
    }
    if (IsLevelButton())
        PlaySound("start_level_fx");
}

void ButtonClass::OnTransparentUpdate(f32)
{
    // Raised against the screen's own fade-in, the cover would rest where both steps cancel out
    // and the transit would never end: a click honoured during the fade-in darkens the screen once
    // the fade-in is over.
    if (!IsScreenFadingIn())
        FadeSprite("transit_black", FadeStep);
    // The sound ignores a volume below 0, so the music rests at its last one above.
    if (auto* music = FindObjectByName<Vellumar::Sound>("menu_bgm"))
        music->SetVolume(music->GetVolume() - FadeStep);
}

bool ButtonClass::IsTransitDone(f32)
{
    auto* overlay = FindObjectByName<Vellumar::Sprite>("transit_black");
    return overlay && overlay->GetOpacity() >= 1.0f && !IsLevelButton();
}

bool ButtonClass::IsLevelTransitDone(f32)
{
    auto* overlay = FindObjectByName<Vellumar::Sprite>("transit_black");
    return overlay && overlay->GetOpacity() >= 1.0f && IsLevelButton();
}

void ButtonClass::PerformAction(f32)
{
    MyGame* game = GetGame();
    switch (actionId)
    {
    case Tutorial:
    case Act1:
    case Act2:
    case Act3:
    {
        static const char* const WaveFiles[] = {"timer.txt", "act1.txt", "act2.txt", "act3.txt"};
        ShowLoadingScreen(false);
        game->waveFileName = WaveFiles[actionId == Tutorial ? 0 : actionId - Act1 + 1];
        game->GoToLevel(0u);
        break;
    }
    case Quit:
        PAL::PostQuit();
        break;
    default:
        if (actionId >= 1 && actionId <= 6)
            game->GoToLevel(actionId);
        break;
    }
}
