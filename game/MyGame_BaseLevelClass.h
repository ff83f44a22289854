#pragma once
// The play level: reads the chosen wave file and spawns its formations, keeps the crystals and
// the enemy list, shows the resource and progress bars, opens the pause menu on Escape and runs
// the fade-in and, in the tutorial, the tutorial machine.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_StateMachine.h"

#include <array>

class MainEnemyClass;

class BaseLevelClass : public Vellumar::Level
{
    CORE_CLASS(BaseLevelClass)

public:
    using Machine = Vellumar::StateMachine<BaseLevelClass>;

    BaseLevelClass();
    ~BaseLevelClass() override;
    // A level copies as a fresh level of its class.
    BaseLevelClass* Clone() const override;

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void OnStart() override;
    void Update(f32 dt) override;
    void OnEnd() override;

    void CreateSounds(f32 musicVolume, f32 effectVolume);
    void UpdateResourceBars();
    void UpdateProgressBars();
    void UpdatePauseMenu();
    void BlinkSprite(const Core::String& name, bool finalVisible);

    void ReadWaveFile(const Core::String& name);
    void ReadWaveRecord(u32 index, u8 reading);
    void SpawnTick(u32 interval, u8 mode);
    void AdvanceSpawnCounter();
    // Runs the spawner of a spawn code; codes without one spawn nothing.
    void Spawn(u8 code);
    // The spawners of the wave codes, each running its rows of the formation tables.
    void SpawnCode1();
    void SpawnCode2();
    void SpawnCode3();
    void SpawnCode4();
    void SpawnCode11();
    void SpawnCode12();
    void SpawnCode13();
    void SpawnCode14();
    void SpawnCode15();
    void SpawnCode21();
    void SpawnCode22();
    void SpawnCode23();
    void SpawnCode24();
    void SpawnCode30();
    void SpawnCode40();
    void SpawnBigBoss();
    void SpawnSemiBoss();
    void ShowWaveClear();
    // Drops the first entry of the id from the enemy list; false when it is not listed.
    bool RemoveEnemy(u32 id);
    // Clones the archetype of that name and class into layer 1 at the place given, lists it as an
    // enemy and returns it; null when the level holds no such archetype.
    MainEnemyClass* SpawnEnemy(const char* archetype, f32 x, f32 y, f32 speedX, f32 speedY, f32 z,
                               bool randomElement);
    // Places the clone, adds it to layer 1 and lists it as an enemy.
    void AddEnemy(MainEnemyClass* clone, f32 x, f32 y);

    // The tutorial's wave file is the chosen one.
    bool IsTutorial() const;
    Machine* GetFadeInMachine() const { return fadeInSM.Get(); }
    // The fade from black at the start; under way while the cover is the level's own.
    bool IsFadingIn() const;
    Machine* GetTutorialMachine() const { return tutorialSM.Get(); }

    std::array<u8, 4> barFill{};
    u8 resources = 0;
    Core::Vector<u32> enemyList;
    Core::Vector<u16> waveTable;
    std::array<u8, 3> spawnCodes{};
    std::array<u16, 3> intervals{};
    u8 bossFlag = 0;
    u8 waveMode = 0;
    u32 spawnCounter = 0;
    u32 recordIndex = 0;
    u8 readingRecords = 0;
    u8 firstEntryFlag = 0;
    u32 recordCount = 0;
    u32 spawnsFired = 0;
    u16 tutorialCounter = 0;
    u8 tutorialFlag = 0;
    u8 blinkFrames = 0;
    f32 tutorialMouseX = 0.0f;
    f32 tutorialMouseY = 0.0f;

private:
    friend struct BaseLevelMachines;

    void CreateFadeInSM();
    void CreateTutorialSM();
    // The clone of an enemy archetype, named, shown and ordered; not yet in a layer.
    MainEnemyClass* CloneEnemy(const char* archetype, f32 z);
    // The lone enemy or the formation of the code's row.
    void SpawnSingle(u8 code);
    void SpawnFormation(u8 code);

    // Fade-in and tutorial handlers.
    void FadeRestEnter(f32);
    void FadeEnter(f32);
    void FadeUpdate(f32);
    bool FadeDone(f32);
    void HintFollow(f32);
    void HintFollowShowing(f32);
    void HintShow(f32);
    void HintHide(f32);
    void ClickEnter(f32);
    void MouseMoveEnter(f32);
    void MouseMoveUpdate(f32);
    void FirstEnemyEnter(f32);
    void LeaveForVictory(f32);
    bool Always(f32);
    bool Clicked(f32);
    bool MouseMoved(f32);
    bool FirstEnemyGone(f32);

    Core::RefPtr<Machine> fadeInSM;
    Core::RefPtr<Machine> tutorialSM;
};

// The play level while it is the current level; null in the other levels.
BaseLevelClass* GetPlayLevel();
