#include "game/MyGame_MainEnemyClass.h"

#include "framework/core/Vellumar_Layer.h"
#include "game/MyGame_Archetypes.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CrystalClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"

GAME_REGISTER_CLASS(MainEnemyClass)

namespace
{
constexpr f32 SideLimit = 480.0f;
constexpr f32 ThawTime = 40.0f;
constexpr u32 VictoryLevel = 4;
}  // namespace

void MainEnemyClass::OnStart()
{
    if (!GetVisible())
        return;
    hitPoints = maxHitPoints;
    kindId = 0;
    state = 0;
    reward = 0;
    attacking = 0;
    chainImmune = 0;
    killed = false;
    freezeTimer = 0.0f;
    Stop();
    SetCurrentAnimation(element >= 1 && element <= 3 ? element : 0, false);
}

void MainEnemyClass::SetSpeed(f32 x, f32 y)
{
    speedX = x;
    speedY = y;
    if (GetName() != "shield_body_clone")
        OnStart();
}

void MainEnemyClass::SetState(i32 s)
{
    if (s != Frozen || state == Frozen)
        return;
    state = Frozen;
    speedX *= 0.5f;
    speedY *= 0.5f;
}

void MainEnemyClass::Move()
{
    MyGame* game = GetGame();
    const f32 running = game ? static_cast<f32>(game->running) : 0.0f;
    const f32 motion = game ? static_cast<f32>(game->enemyMotion) : 0.0f;
    const f32 x = GetPositionX();
    if (x < -SideLimit || x > SideLimit)
        speedX = -speedX;
    SetPosition(x + motion * (running * speedX), GetPositionY() - motion * (running * speedY));
}

void MainEnemyClass::ShowHitPointsFrame()
{
    if (hitPoints >= 1)
        SetCurrentFrame(hitPoints - 1, false);
}

void MainEnemyClass::CheckDeath()
{
    if (!GetVisible())
        return;
    ShowHitPointsFrame();
    if (hitPoints < 1)
    {
        killed = true;
        Destroy();
    }
}

void MainEnemyClass::UpdateFreeze()
{
    if (state == Frozen)
    {
        if (freezeTimer >= ThawTime)
        {
            freezeTimer = 0.0f;
            state = 0;
            speedY *= 2.0f;
            speedX *= 2.0f;
        }
        else
            freezeTimer += 0.1f;
    }
    MyGame* game = GetGame();
    const bool halted = game && game->enemyMotion == 0;
    SetModulationColor(halted ? Math::Color(0.5f, 0.5f, 1.0f, 1.0f) : Math::Color(1.0f, 1.0f, 1.0f, 1.0f));
}

void MainEnemyClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    Move();
    CheckDeath();
    UpdateFreeze();
}

void MainEnemyClass::DropCrystals()
{
    BaseLevelClass* level = GetPlayLevel();
    Vellumar::Layer* layer = level ? level->GetLayer(1) : nullptr;
    if (!layer || hitPoints >= 1 || !killed)
        return;
    for (i32 i = 0; i < reward; ++i)
    {
        CrystalClass* crystal = CloneArchetype<CrystalClass>("crystal", "crystal_clone", 1.4f);
        if (!crystal)
            return;
        crystal->SetPosition(GetPosition());
        layer->AddGameObject(crystal, false, nullptr);
    }
}

void MainEnemyClass::OnEnd()
{
    DropCrystals();
    BaseLevelClass* level = GetPlayLevel();
    if (!level || !level->RemoveEnemy(GetID()))
        return;
    if (level->bossFlag == 2)
        AdvanceWave(true);
    else if (level->waveMode > 0)
        AdvanceWave(false);
}

void MainEnemyClass::AdvanceWave(bool final)
{
    BaseLevelClass* level = GetPlayLevel();
    MyGame* game = GetGame();
    if (!level || !game)
        return;
    if (!final)
    {
        if (level->bossFlag == 0 && level->enemyList.empty())
        {
            level->recordIndex += 10;
            level->readingRecords = 1;
        }
        if (level->bossFlag == 1 && level->recordIndex < level->waveTable.size() &&
            kindId != game->semiBossArmArchetypeId)
        {
            level->recordIndex += 10;
            level->readingRecords = 1;
        }
        return;
    }
    if ((level->bossFlag == 2 && level->enemyList.empty()) || level->bossFlag == 1)
        game->GoToLevel(VictoryLevel);
}
