// The play level's two machines: the fade-in of the black cover and the tutorial, which walks the
// player through moving the mouse, clicking and killing a first enemy.
#include "platform/Input_Mouse.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MachineTable.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"

#include <cmath>

namespace
{
// The fade-in's state that lowers the cover; it starts there.
constexpr u32 Fading = 1;

Vellumar::Sprite* Hint()
{
    return FindObjectByName<Vellumar::Sprite>("tut_mouse");
}

Vellumar::Sprite* Cover()
{
    return FindObjectByName<Vellumar::Sprite>("transit_black");
}
}  // namespace

struct BaseLevelMachines
{
    using L = BaseLevelClass;
    using Row = MachineRow<BaseLevelClass>;

    static constexpr Row FadeIn[] = {
        {"S1", &L::FadeRestEnter, nullptr, {}},
        {"S0", &L::FadeEnter, &L::FadeUpdate, {{0, &L::FadeDone, 0.0f}}},
    };

    static constexpr Row Tutorial[] = {
        {"ClickPassed", nullptr, &L::HintFollowShowing, {{3, &L::Always, 4.0f}}},
        {"MouseClick", &L::ClickEnter, &L::HintFollow, {{0, &L::Clicked, 0.0f}}},
        {"Rest1", &L::HintHide, nullptr, {{1, &L::Always, 1.0f}}},
        {"Rest2", &L::HintHide, nullptr, {{6, &L::Always, 1.0f}}},
        {"MovePassed", nullptr, &L::HintFollowShowing, {{2, &L::Always, 4.0f}}},
        {"MouseMove", &L::MouseMoveEnter, &L::MouseMoveUpdate, {{4, &L::MouseMoved, 0.0f}}},
        {"FirstEnemy", &L::FirstEnemyEnter, nullptr, {{8, &L::FirstEnemyGone, 0.0f}}},
        {"End", nullptr, nullptr, {}},
        {"EnemyPassed", &L::HintShow, &L::HintFollowShowing, {{9, &L::Always, 0.0f}}},
        {"Rest3", nullptr, &L::HintFollowShowing, {{7, &L::Always, 5.0f}}, &L::LeaveForVictory},
    };
};

void BaseLevelClass::CreateFadeInSM()
{
    fadeInSM = BuildMachine<BaseLevelClass>("fadeInSM", BaseLevelMachines::FadeIn, Fading, this);
}

bool BaseLevelClass::IsFadingIn() const
{
    return IsInState(*fadeInSM, Fading);
}

void BaseLevelClass::CreateTutorialSM()
{
    tutorialSM = BuildMachine<BaseLevelClass>("TutorialSM", BaseLevelMachines::Tutorial, 5, this);
}

void BaseLevelClass::FadeRestEnter(f32)
{
    if (Vellumar::Sprite* cover = Cover())
    {
        cover->SetOpacity(0.8f);
        cover->SetVisible(false);
    }
}

void BaseLevelClass::FadeEnter(f32)
{
    if (Vellumar::Sprite* cover = Cover())
    {
        cover->SetScale(1024.0f, 768.0f);
        cover->SetOpacity(1.0f);
    }
}

void BaseLevelClass::FadeUpdate(f32)
{
    if (Vellumar::Sprite* cover = Cover())
        cover->SetOpacity(cover->GetOpacity() - 0.05f);
}

bool BaseLevelClass::FadeDone(f32)
{
    Vellumar::Sprite* cover = Cover();
    return cover && cover->GetOpacity() <= 0.0f;
}

void BaseLevelClass::HintFollow(f32)
{
    MyGame* game = GetGame();
    Vellumar::Sprite* hint = Hint();
    if (game && hint)
        hint->SetPosition(game->mouseX + 40.0f, game->mouseY - 20.0f);
}

void BaseLevelClass::HintFollowShowing(f32 dt)
{
    HintFollow(dt);
    if (Vellumar::Sprite* hint = Hint())
        hint->SetCurrentAnimation(1, false);
}

void BaseLevelClass::HintShow(f32)
{
    if (Vellumar::Sprite* hint = Hint())
        hint->SetOpacity(1.0f);
}

void BaseLevelClass::HintHide(f32)
{
    if (Vellumar::Sprite* hint = Hint())
        hint->SetOpacity(0.0f);
}

void BaseLevelClass::ClickEnter(f32)
{
    if (Vellumar::Sprite* hint = Hint())
    {
        hint->SetCurrentAnimation(2, false);
        hint->SetOpacity(1.0f);
    }
}

void BaseLevelClass::MouseMoveEnter(f32)
{
    tutorialFlag = 1;
    tutorialCounter = 0;
    if (MyGame* game = GetGame())
    {
        tutorialMouseX = game->mouseX;
        tutorialMouseY = game->mouseY;
    }
}

void BaseLevelClass::MouseMoveUpdate(f32 dt)
{
    HintFollow(dt);
    if (tutorialFlag == 0)
        return;
    if (tutorialCounter >= 150)
    {
        tutorialCounter = 0;
        tutorialFlag = 0;
        if (Vellumar::Sprite* hint = Hint())
        {
            hint->SetOpacity(1.0f);
            hint->Play(true);
        }
    }
    else
        ++tutorialCounter;
}

void BaseLevelClass::FirstEnemyEnter(f32)
{
    if (MainEnemyClass* enemy = CloneEnemy("enemy_basic", 1.4f))
    {
        enemy->SetName("enemy_basic_tut");
        enemy->SetSpeed(0.0f, 0.2f);
        enemy->element = 0;
        AddEnemy(enemy, 0.0f, 384.0f);
    }
    if (auto* target = FindObjectByName<Vellumar::Sprite>("tut_target"))
        target->SetZOrder(1.5f);
    blinkFrames = 150;
}

void BaseLevelClass::LeaveForVictory(f32)
{
    if (MyGame* game = GetGame())
        game->GoToLevel(4u);
}

bool BaseLevelClass::Always(f32)
{
    return true;
}

bool BaseLevelClass::Clicked(f32)
{
    Input::Mouse* mouse = Input::GetMouse();
    return mouse && mouse->IsTriggered(0);
}

bool BaseLevelClass::MouseMoved(f32)
{
    MyGame* game = GetGame();
    if (tutorialFlag != 0 || !game)
        return false;
    return std::fabs(game->mouseX - tutorialMouseX) >= 200.0f || std::fabs(game->mouseY - tutorialMouseY) >= 200.0f;
}

bool BaseLevelClass::FirstEnemyGone(f32)
{
    return tutorialFlag != 0;
}
