#pragma once
// The busiest scene of the game, shared by the benchmark that times it and the screen test that
// checks its pixels: act 3's big boss in its second phase (body, head, two swinging arms, two plain
// eggs and the heavy enemies they make), an ice tower on each of the four sites with its frost
// pouring over the halted field, and the aim and bounce trails of a cannon aimed at the right
// wall. Built through a driver that steps whole frames of the game on a fake clock and offers
// EnterAct(wave file), Level(), Frame(), Frames(count) and PointAt(x, y).
#include "framework/core/Vellumar_Layer.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_TowerClass.h"
#include "game/MyGame_TowerClasses.h"

#include <vector>

namespace GameTest
{
class BusiestScene
{
public:
    // False when the content lacks a part of the scene. Without frost the same scene shows what
    // the frost costs.
    template <class Driver>
    bool Build(Driver& game, bool frost)
    {
        game.EnterAct("act3.txt");
        BaseLevelClass& level = game.Level();
        // The waves are over: the act waits in its last record, the big boss's.
        level.recordIndex = static_cast<u32>(level.waveTable.size()) - 10u;
        level.readingRecords = 0;
        level.bossFlag = 1;
        level.waveMode = 1;
        level.SpawnBigBoss();
        game.Frame();
        for (const char* egg : {"bb_fire_egg_clone", "bb_ice_egg_clone", "bb_lightning_egg_clone"})
        {
            auto* part = FindObjectByName<BigBossEggsClass>(egg);
            if (!part)
                return false;
            part->hitPoints = 0;
        }
        // The body sinks to its fighting height; the plain eggs hatch their first heavies.
        game.Frames(700);
        for (const char* site : {"towerslot1", "towerslot2", "towerslot3", "towerslot4"})
        {
            auto* slot = FindObjectByName<SlotClass>(site);
            if (!slot)
                return false;
            level.resources = TowerClass::TowerPrice;
            slot->menuOpen = 1;
            slot->ToggleTowerSelection(slot->GetID());
            game.Frame();
            auto* icon = FindObjectByName<SelectClass>("select_ice_clone");
            if (!icon)
                return false;
            icon->BuildTower(slot->GetID());
            slot->menuOpen = 0;
            slot->ToggleTowerSelection(slot->GetID());
            game.Frame();
        }
        Core::Vector<Vellumar::GameObject*> objects;
        level.GetLayer(1)->GetGameObjects(objects);
        for (Vellumar::GameObject* object : objects)
            if (auto* tower = dynamic_cast<IceTowerClass*>(object); tower && tower->GetVisible())
                towers.push_back(tower);
        for (IceTowerClass* tower : towers)
            tower->active = frost ? 1 : 0;
        game.PointAt(250.0f, 100.0f);
        // The frost fills the screen and the trails reach the wall.
        game.Frames(240);
        Hold();
        return towers.size() == 4 && FindObjectByName<BigBossHeadClass>("bb_head_clone");
    }

    // The towers never run out of frost and the city never falls, however long the run.
    void Hold()
    {
        for (IceTowerClass* tower : towers)
            tower->haltTimer = 0;
        if (auto* city = FindObjectByName<BaseCityClass>("city"))
            city->hitPoints = BaseCityClass::StartHitPoints;
    }

private:
    std::vector<IceTowerClass*> towers;
};
}  // namespace GameTest
