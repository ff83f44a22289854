// The wave reader: the wave file as 16-bit entries, consumed as records of ten, each picking a
// random interval and a random spawn code every frame.
#include "core/Core_ResourceReport.h"
#include "core/PAL_Path.h"
#include "framework/core/Vellumar_Random.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_MyGame.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>

namespace
{
constexpr u32 RecordSize = 10;
constexpr const char* NoWaves = "the act has no waves";

// One of three entries drawn by the generator, kept inside the three whatever it returns.
template <class T>
T DrawOne(const std::array<T, 3>& entries)
{
    const i32 index = Vellumar::RandomIntInRange(0, 2);
    return entries[static_cast<u32>(std::clamp(index, 0, 2))];
}
}  // namespace

void BaseLevelClass::ReadWaveFile(const Core::String& name)
{
    const MyGame* game = GetGame();
    const Core::String folder = game ? game->spawnsFolder : Vellumar::Game::GetDirectory() + "\\Resources\\Spawns";
    const Core::String path = folder + "\\" + name;
    errno = 0;
    std::ifstream in(PAL::ToOSPath(path));
    if (!in.is_open())
    {
        Core::ReportResourceFailure("Wave file", path.View(), Core::DescribeFileError(errno), NoWaves);
        std::fputs("No file\n", stdout);
        std::fflush(stdout);
        return;
    }
    long long value = 0;
    while (in >> value)
        waveTable.push_back(static_cast<u16>(static_cast<unsigned long long>(value) & 0xFFFFu));
    if (in.bad())
    {
        Core::ReportResourceFailure("Wave file", path.View(), "reading it failed after " +
                                        std::to_string(waveTable.size()) + " entries", "the rest is left out");
    }
    else if (!in.eof())
    {
        Core::ReportResourceFailure("Wave file", path.View(), "entry " + std::to_string(waveTable.size() + 1) +
                                        " is not a number", "the entries from there on are left out");
    }
    if (waveTable.size() < RecordSize)
    {
        Core::ReportResourceFailure("Wave file", path.View(), "it holds no whole wave record of " +
                                        std::to_string(RecordSize) + " entries", NoWaves);
    }
    firstEntryFlag = waveTable.empty() ? 0 : static_cast<u8>(waveTable[0]);
    readingRecords = 1;
}

void BaseLevelClass::ReadWaveRecord(u32 index, u8 reading)
{
    if (waveTable.empty() || index + RecordSize > waveTable.size() || reading == 0)
        return;
    spawnCodes = {static_cast<u8>(waveTable[index + 1]), static_cast<u8>(waveTable[index + 2]),
                  static_cast<u8>(waveTable[index + 3])};
    intervals = {waveTable[index + 4], waveTable[index + 5], waveTable[index + 6]};
    bossFlag = static_cast<u8>(waveTable[index + 7]);
    waveMode = static_cast<u8>(waveTable[index + 8]);
    recordCount = static_cast<u32>(waveTable.size() / RecordSize);
    SpawnTick(DrawOne(intervals), waveMode);
}

void BaseLevelClass::SpawnTick(u32 interval, u8 mode)
{
    const u8 code = DrawOne(spawnCodes);
    if (interval == 0 || spawnCounter / interval != 1)
        return;
    ++spawnsFired;
    if (mode == 0)
    {
        Spawn(code);
        recordIndex += RecordSize;
        readingRecords = 1;
        spawnCounter = 0;
        return;
    }
    if (bossFlag == 1 && mode == 1)
        SpawnBigBoss();
    else if (bossFlag == 1 && mode == 3)
        SpawnSemiBoss();
    readingRecords = 0;
    spawnCounter = 0;
    // A wait with nobody left to end it would wait forever: it is over at once.
    if (bossFlag == 0 && enemyList.empty())
    {
        recordIndex += RecordSize;
        readingRecords = 1;
    }
}

void BaseLevelClass::AdvanceSpawnCounter()
{
    MyGame* game = GetGame();
    if (spawnCounter > static_cast<u32>(std::max(intervals[1], intervals[2])) + 100)
    {
        spawnCounter = 0;
        return;
    }
    if (game && game->running != 0 && recordIndex < waveTable.size())
        ++spawnCounter;
}
