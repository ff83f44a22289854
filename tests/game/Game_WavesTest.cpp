// The wave reader and the spawners on the play level.
#include "core/PAL_Path.h"
#include "framework/sound/Vellumar_Sound.h"
#include "tests/game/Game_PlayFixture.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
using GameTest::PlayFixture;

class WavesTest : public PlayFixture
{
protected:
    u32 Count(const char* name)
    {
        Core::Vector<Vellumar::GameObject*> found;
        Level().GetGameObjectsByName(name, found);
        return static_cast<u32>(found.size());
    }
};

TEST_F(WavesTest, EntriesKeepTheirLow16BitsAndOnlyWholeRecordsAreRead)
{
    Play(WaveFile("70000 1 1 1 50 50 50 0 0 0\n-1 2 3"));
    BaseLevelClass& level = Level();
    ASSERT_EQ(level.waveTable.size(), 13u);
    EXPECT_EQ(level.waveTable[0], 4464);
    EXPECT_EQ(level.waveTable[10], 0xFFFF);
    EXPECT_EQ(level.firstEntryFlag, 4464 & 0xFF);
    EXPECT_EQ(level.recordCount, 1u);
}

TEST_F(WavesTest, TheLevelMakesItsSoundsAndStartsTheMusic)
{
    RunFrames(3);
    game->musicVolume = 0.25f;
    game->soundVolume = 0.5f;
    Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    Core::Vector<Vellumar::GameObject*> objects;
    Level().GetLayer(1)->GetGameObjects(objects);
    const auto sounds = std::count_if(objects.begin(), objects.end(),
                                      [](Vellumar::GameObject* o) { return dynamic_cast<Vellumar::Sound*>(o); });
    EXPECT_EQ(sounds, 18);
    auto* music = Find<Vellumar::Sound>("game_bgm");
    ASSERT_NE(music, nullptr);
    EXPECT_FLOAT_EQ(music->GetVolume(), 0.25f);
    EXPECT_TRUE(music->GetLooping());
    EXPECT_TRUE(music->IsPlaying());
    EXPECT_FLOAT_EQ(Find<Vellumar::Sound>("s_mobdestroySound")->GetPitch(), 3.0f);
    EXPECT_FLOAT_EQ(Find<Vellumar::Sound>("lightning_fx")->GetVolume(), 1.0f);
    EXPECT_FLOAT_EQ(Find<Vellumar::Sound>("crit")->GetVolume(), 0.5f);
    EXPECT_FALSE(Find<Vellumar::Sound>("hover_fx")->GetLooping());
}

TEST_F(WavesTest, AMissingFileLeavesTheLevelWithoutEnemies)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    // Shorter than the act names it is compared with.
    Play("act");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "No file\n");
    const std::string path = PAL::ToOSPath(std::string(game->spawnsFolder.c_str()) + "\\act");
    EXPECT_NE(said.find("Wave file \"" + path + "\": No such file or directory; the act has no waves\n"),
              std::string::npos)
        << said;
    RunFrames(200);
    EXPECT_TRUE(Level().waveTable.empty());
    EXPECT_TRUE(Level().enemyList.empty());
}

TEST_F(WavesTest, ABrokenFileIsNamedWithWhatIsWrongInIt)
{
    const std::string words = WaveFile("0 1 1 1 50 50 50 0 0 0\n0 1 one 1");
    const std::string empty = WaveFile("");
    const std::string folder = PAL::ToOSPath(game->spawnsFolder.c_str());
    testing::internal::CaptureStderr();
    Play(words);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Wave file \"" + folder + "/" + words +
                        "\": entry 13 is not a number; the entries from there on are left out\n"),
              std::string::npos)
        << said;
    EXPECT_EQ(Level().waveTable.size(), 12u);
    testing::internal::CaptureStderr();
    Play(empty);
    said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Wave file \"" + folder + "/" + empty +
                        "\": it holds no whole wave record of 10 entries; the act has no waves\n"),
              std::string::npos)
        << said;
}

TEST_F(WavesTest, ARecordSpawnsOnceItsIntervalIsCountedAndReadingEndsAfterTheLast)
{
    Play(WaveFile("0 1 1 1 50 50 50 0 0 0"));
    BaseLevelClass& level = Level();
    RunFrames(48);
    EXPECT_EQ(Count("enemy_basic_clone"), 0u);
    RunFrames(3);
    EXPECT_EQ(Count("enemy_basic_clone"), 1u);
    EXPECT_EQ(level.recordIndex, 10u);
    EXPECT_EQ(level.spawnsFired, 1u);
    const u32 counter = level.spawnCounter;
    RunFrames(100);
    EXPECT_EQ(level.spawnCounter, counter);
    EXPECT_EQ(Count("enemy_basic_clone"), 1u);
    EXPECT_EQ(level.enemyList.size(), 1u);
}

TEST_F(WavesTest, ZeroIntervalsNeverSpawnAndTheReadingStays)
{
    Play(WaveFile("0 1 1 1 0 0 0 0 0 0"));
    RunFrames(300);
    EXPECT_EQ(Level().recordIndex, 0u);
    EXPECT_EQ(Level().spawnsFired, 0u);
}

TEST_F(WavesTest, FormationsArePlacedAsTheirRowsSay)
{
    Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    BaseLevelClass& level = Level();
    level.Spawn(4);
    level.Spawn(22);
    level.Spawn(24);
    level.Spawn(2);
    RunFrame();
    EXPECT_EQ(Count("enemy_basic_clone"), 32u + 9u + 3u);
    EXPECT_EQ(Count("enemy_light_clone"), 26u + 11u);
    EXPECT_EQ(Count("enemy_heavy_clone"), 1u);
    EXPECT_EQ(level.enemyList.size(), 32u + 26u + 21u + 3u);
    auto* first = FindObjectById<MainEnemyClass>(level.enemyList[0]);
    ASSERT_NE(first, nullptr);
    EXPECT_FLOAT_EQ(first->GetPositionX(), 300.0f);
    EXPECT_NEAR(first->GetPositionY(), 600.0f - 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(first->speedY, 0.5f);
    EXPECT_EQ(first->hitPoints, 2);
    auto* light = FindObjectById<MainEnemyClass>(level.enemyList[32 + 1]);
    ASSERT_NE(light, nullptr);
    EXPECT_NEAR(light->GetPositionX(), 130.0f * 0.5f - 10.0f, 1e-3f);
    auto* heavy = FindObjectById<MainEnemyClass>(level.enemyList[32 + 26 + 20]);
    ASSERT_NE(heavy, nullptr);
    EXPECT_EQ(heavy->GetName(), "enemy_heavy_clone");
    EXPECT_EQ(heavy->hitPoints, 4);
    for (u32 id : level.enemyList)
    {
        auto* enemy = FindObjectById<MainEnemyClass>(id);
        ASSERT_NE(enemy, nullptr);
        EXPECT_GE(enemy->element, 0);
        EXPECT_LE(enemy->element, 3);
    }
}

TEST_F(WavesTest, OffsetFormationsKeepTheirShapeAndLonersTheirRange)
{
    Play(WaveFile("0 0 0 0 0 0 0 0 0 0"));
    BaseLevelClass& level = Level();
    for (u8 code : {3, 12, 13, 14, 15, 23, 30, 40})
        level.Spawn(code);
    // Taken into the layer where nothing moves.
    game->running = 0;
    RunFrame();
    // Each of the three shield bodies lists its two bits when it starts, after every spawn.
    ASSERT_EQ(level.enemyList.size(), 6u + 2u + 3u + 3u + 5u + 22u + 1u + 1u + 3u * 2u);
    std::vector<MainEnemyClass*> enemies;
    for (u32 id : level.enemyList)
        enemies.push_back(FindObjectById<MainEnemyClass>(id));
    ASSERT_TRUE(std::none_of(enemies.begin(), enemies.end(), [](MainEnemyClass* e) { return e == nullptr; }));
    const f32 x0 = enemies[0]->GetPositionX();
    EXPECT_GE(x0, -450.0f);
    EXPECT_LE(x0, 450.0f);
    EXPECT_FLOAT_EQ(enemies[3]->GetPositionX(), x0 + 50.0f);
    EXPECT_FLOAT_EQ(enemies[4]->GetZOrder(), 1.0f);
    EXPECT_FLOAT_EQ(enemies[6]->GetPositionX() - enemies[7]->GetPositionX(), 120.0f);
    // Code 14: two heavies around the shield body, which takes no element.
    MainEnemyClass* shield = enemies[6 + 2 + 3 + 2];
    EXPECT_EQ(shield->GetName(), "shield_body_clone");
    EXPECT_EQ(shield->element, 0);
    EXPECT_FLOAT_EQ(enemies[11]->GetPositionX() - shield->GetPositionX(), 75.0f);
    EXPECT_FLOAT_EQ(enemies[6 + 2 + 3 + 3 + 4]->GetZOrder(), 1.0f);
    // Code 23: two rows of eleven on a parabola, drifting outwards.
    MainEnemyClass* outer = enemies[19];
    EXPECT_NEAR(outer->GetPositionX(), -150.0f, 1e-3f);
    EXPECT_NEAR(outer->GetPositionY(), 625.0f, 1e-3f);
    EXPECT_FLOAT_EQ(outer->speedX, -0.15f);
    MainEnemyClass* healer = enemies[41];
    EXPECT_EQ(healer->GetName(), "enemy_healer_clone");
    EXPECT_LE(std::fabs(healer->GetPositionX()), 150.0f);
    EXPECT_FLOAT_EQ(enemies[42]->GetZOrder(), 2.0f);
    EXPECT_EQ(enemies[43]->GetName(), "shield_left_bit_clone");
    EXPECT_EQ(enemies[48]->GetName(), "shield_right_bit_clone");
}

TEST_F(WavesTest, CodesWithoutSpawnerSpawnNothingButTheRecordAdvances)
{
    Play(WaveFile("0 7 7 7 10 10 10 0 0 0 0 1 1 1 10 10 10 0 0 0"));
    RunFrames(13);
    EXPECT_EQ(Level().recordIndex, 10u);
    EXPECT_TRUE(Level().enemyList.empty());
}

TEST_F(WavesTest, ABossRecordStopsTheReadingUntilAnEnemyEndsIt)
{
    Play(WaveFile("0 1 1 1 5 5 5 0 0 0 0 0 0 0 5 5 5 1 3 0 0 1 1 1 5 5 5 0 0 0"));
    BaseLevelClass& level = Level();
    RunFrames(8);
    ASSERT_EQ(level.recordIndex, 10u);
    ASSERT_EQ(level.enemyList.size(), 1u);
    RunFrames(8);
    EXPECT_EQ(level.readingRecords, 0);
    EXPECT_EQ(level.recordIndex, 10u);
    RunFrames(50);
    EXPECT_EQ(level.recordIndex, 10u);
    auto* enemy = FindObjectById<MainEnemyClass>(level.enemyList[0]);
    ASSERT_NE(enemy, nullptr);
    enemy->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(level.recordIndex, 20u);
    EXPECT_EQ(level.readingRecords, 1);
}

TEST_F(WavesTest, AWaitRecordWithNobodyAliveIsOverAtOnce)
{
    Play(WaveFile("0 0 0 0 5 5 5 0 2 0 0 1 1 1 5 5 5 0 0 0"));
    RunFrames(8);
    EXPECT_EQ(Level().recordIndex, 10u);
    EXPECT_EQ(Level().readingRecords, 1);
}

TEST_F(WavesTest, WaveClearBannerResumesTheRecordsWhenItGoes)
{
    Play(WaveFile("0 99 99 99 5 5 5 0 0 0"));
    BaseLevelClass& level = Level();
    RunFrames(7);
    ASSERT_EQ(Count("wave_clear_clone"), 1u);
    level.readingRecords = 0;
    RunFrames(WaveClearClass::Life - 4);
    EXPECT_EQ(Count("wave_clear_clone"), 1u);
    EXPECT_EQ(level.readingRecords, 0);
    RunFrames(3);
    EXPECT_EQ(Count("wave_clear_clone"), 0u);
    EXPECT_EQ(level.readingRecords, 1);
}
}  // namespace
