// Reads the generated wave files the way the play level does and checks the rules the wave
// reader needs of them: complete records, usable intervals, known spawn codes, waiting records
// that cannot wait forever, and acts that end the way they should.
#include "Tools_Files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

namespace
{
    using namespace ToolsTest;

    using Record = std::vector<int>;

    // Formatted integer reading until the first thing that is not a number; each entry keeps its
    // low 16 bits; entries are taken ten at a time and a partial last record is never read.
    std::vector<Record> ReadWaveFile(const std::string& name, size_t& entries)
    {
        std::istringstream in(ReadText(ResourceDir() / "Spawns" / name));
        std::vector<uint16_t> table;
        for (long value; in >> value;)
            table.push_back(static_cast<uint16_t>(value));
        entries = table.size();
        std::vector<Record> records;
        for (size_t at = 0; at + 10 <= table.size(); at += 10)
            records.emplace_back(table.begin() + static_cast<ptrdiff_t>(at), table.begin() + static_cast<ptrdiff_t>(at + 10));
        return records;
    }

    // Enemies each spawn code puts on the field (the shield body brings its two bits).
    const std::map<int, int> EnemiesOfCode = {
        {1, 1}, {2, 3}, {3, 6}, {4, 32}, {11, 1}, {12, 2}, {13, 3}, {14, 5}, {15, 7},
        {21, 1}, {22, 26}, {23, 22}, {24, 21}, {30, 1}, {40, 3}};
    // The kinds of enemy each code spawns: b basic, l light, h heavy, H healer, s shield.
    const std::map<int, std::string> KindsOfCode = {
        {1, "b"}, {2, "b"}, {3, "b"}, {4, "b"}, {11, "h"}, {12, "h"}, {13, "hb"}, {14, "hs"},
        {15, "hsb"}, {21, "l"}, {22, "l"}, {23, "l"}, {24, "lbh"}, {30, "H"}, {40, "s"}};
    constexpr int BannerCode = 99;
    constexpr int BannerLife = 700; // updates

    int Code(const Record& r, int i) { return r[1 + i] & 0xFF; }
    int BossFlag(const Record& r) { return r[7] & 0xFF; }
    int Mode(const Record& r) { return r[8] & 0xFF; }
    bool SpawnsEnemies(int code) { return EnemiesOfCode.count(code) != 0; }
    bool IsWait(const Record& r) { return Mode(r) != 0 && BossFlag(r) == 0; }
    bool IsBoss(const Record& r) { return Mode(r) != 0 && BossFlag(r) == 1; }
    bool AlwaysSpawns(const Record& r)
    {
        return Mode(r) == 0 && SpawnsEnemies(Code(r, 0)) && SpawnsEnemies(Code(r, 1)) && SpawnsEnemies(Code(r, 2));
    }

    // Index of the last record before `index` that can put enemies on the field.
    int LastSpawnBefore(const std::vector<Record>& records, size_t index)
    {
        for (size_t i = index; i-- > 0;)
            if (Mode(records[i]) == 0 && (SpawnsEnemies(Code(records[i], 0)) || SpawnsEnemies(Code(records[i], 1))
                                          || SpawnsEnemies(Code(records[i], 2))))
                return static_cast<int>(i);
        return -1;
    }

    // Expected enemies per second over the act: spawn codes weighted 1 : 2 : 1 as the level picks
    // them, over the middle interval.
    double EnemyRate(const std::vector<Record>& records)
    {
        double enemies = 0.0, frames = 0.0;
        for (const Record& r : records)
        {
            if (Mode(r) != 0)
                continue;
            const int weights[3] = {1, 2, 1};
            for (int i = 0; i < 3; ++i)
                enemies += weights[i] / 4.0 * (SpawnsEnemies(Code(r, i)) ? EnemiesOfCode.at(Code(r, i)) : 0);
            frames += r[5];
        }
        return enemies / (frames / 60.0);
    }

    std::set<char> Kinds(const std::vector<Record>& records)
    {
        std::set<char> kinds;
        for (const Record& r : records)
            for (int i = 0; i < 3; ++i)
                if (Mode(r) == 0 && KindsOfCode.count(Code(r, i)))
                    for (char k : KindsOfCode.at(Code(r, i)))
                        kinds.insert(k);
        return kinds;
    }

    void ExpectWholeRecordsOfKnownValues(const std::vector<Record>& records, size_t entries)
    {
        EXPECT_EQ(entries % 10, 0u) << "no partial record";
        EXPECT_LE(records.size(), 255u) << "the record count is kept in a byte";
        EXPECT_LE(records[0][0], 1);
        for (size_t k = 0; k < records.size(); ++k)
        {
            const Record& r = records[k];
            SCOPED_TRACE("record " + std::to_string(k));
            if (k > 0)
            {
                EXPECT_EQ(r[0], 0);
            }
            EXPECT_EQ(r[9], 0);
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(Code(r, i) == 0 || Code(r, i) == BannerCode || SpawnsEnemies(Code(r, i))) << Code(r, i);
            EXPECT_TRUE(BossFlag(r) <= 2);
            EXPECT_TRUE(Mode(r) == 0 || Mode(r) == 1 || Mode(r) == 3);
            if (Mode(r) == 0)
            {
                EXPECT_NE(BossFlag(r), 1) << "a boss flag is for boss waves only";
            }
        }
    }

    void ExpectIntervalsCanAllFire(const std::vector<Record>& records)
    {
        for (const Record& r : records)
        {
            EXPECT_GT(r[4], 0);
            EXPECT_GT(r[5], 0);
            EXPECT_GT(r[6], 0);
            // The frame counter starts over above max(B, C) + 100, so a larger A never fires.
            EXPECT_LE(r[4], std::max(r[5], r[6]) + 100);
        }
    }

    void ExpectNoRecordWaitsForAFieldThatMayAlreadyBeEmpty(const std::vector<Record>& records)
    {
        for (size_t k = 0; k < records.size(); ++k)
        {
            if (!IsWait(records[k]))
                continue;
            // The enemies spawned in the frame before cannot be gone yet when this record is read,
            // so the field is not empty, and the last of them to go moves the reader on.
            ASSERT_GT(k, 0u);
            EXPECT_TRUE(AlwaysSpawns(records[k - 1])) << "record " << k;
        }
    }

    void ExpectBossAndLastWavesComeLastIntoAClearedField(const std::vector<Record>& records)
    {
        for (size_t k = 0; k < records.size(); ++k)
        {
            if (!IsBoss(records[k]) && BossFlag(records[k]) != 2)
                continue;
            SCOPED_TRACE("record " + std::to_string(k));
            // Any enemy that dies while a boss record is read skips it, and one that dies while the
            // last wave is read wins the act early: both are read only after the field was cleared.
            EXPECT_EQ(k, records.size() - 1);
            bool cleared = false;
            for (size_t i = LastSpawnBefore(records, k) + 1; i < k; ++i)
                cleared = cleared || IsWait(records[i]);
            EXPECT_TRUE(cleared);
            if (BossFlag(records[k]) == 2)
            {
                EXPECT_TRUE(AlwaysSpawns(records[k])) << "the last wave must bring enemies whose end wins";
            }
            if (IsBoss(records[k]) && k > 0 && Code(records[k - 1], 0) == BannerCode)
            {
                // The banner's end sets the reading flag again: the boss must already be there by
                // then, or the re-read boss record brings a second one.
                EXPECT_GT(std::min({records[k][4], records[k][5], records[k][6]}), BannerLife);
            }
        }
    }

    TEST(WaveFiles, AreWholeRecordsWhoseWavesCanAllBeReadInTurn)
    {
        for (const char* name : {"timer.txt", "act1.txt", "act2.txt", "act3.txt"})
        {
            SCOPED_TRACE(name);
            size_t entries = 0;
            const std::vector<Record> records = ReadWaveFile(name, entries);
            if (records.empty())
            {
                ADD_FAILURE() << "no records";
                continue;
            }
            ExpectWholeRecordsOfKnownValues(records, entries);
            ExpectIntervalsCanAllFire(records);
            ExpectNoRecordWaitsForAFieldThatMayAlreadyBeEmpty(records);
            ExpectBossAndLastWavesComeLastIntoAClearedField(records);
        }
    }

    TEST(WaveContent, TheTutorialOnlyBringsPracticeTargetsAfterItsFirstLessons)
    {
        size_t entries = 0;
        const std::vector<Record> records = ReadWaveFile("timer.txt", entries);
        EXPECT_GE(records[0][4], 15 * 60) << "the first lessons need no enemies";
        for (const Record& r : records)
        {
            EXPECT_EQ(Mode(r), 0);
            EXPECT_EQ(BossFlag(r), 0) << "the tutorial itself ends the level";
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(KindsOfCode.at(Code(r, i)).find('b'), std::string::npos)
                    << "a basic enemy's end moves the tutorial on";
        }
        EXPECT_EQ(Kinds(records), (std::set<char>{'l', 'h', 'H', 's'}));
    }

    TEST(WaveContent, EachActEndsAsItShould)
    {
        size_t entries = 0;
        const std::vector<Record> act1 = ReadWaveFile("act1.txt", entries);
        const std::vector<Record> act2 = ReadWaveFile("act2.txt", entries);
        const std::vector<Record> act3 = ReadWaveFile("act3.txt", entries);
        EXPECT_EQ(act1[0][0], 0);
        EXPECT_EQ(BossFlag(act1.back()), 2);
        EXPECT_EQ(act2[0][0], 1) << "the semi-boss's death wins act 2";
        EXPECT_TRUE(IsBoss(act2.back()));
        EXPECT_EQ(Mode(act2.back()), 3);
        EXPECT_EQ(act3[0][0], 0);
        EXPECT_TRUE(IsBoss(act3.back()));
        EXPECT_EQ(Mode(act3.back()), 1);
        for (const auto* act : {&act1, &act2, &act3})
            for (size_t k = 0; k + 1 < act->size(); ++k)
                EXPECT_FALSE(IsBoss((*act)[k])) << "no boss before the end";
    }

    TEST(WaveContent, ActsGrowHarderAndMixMoreKinds)
    {
        size_t entries = 0;
        const std::vector<Record> act1 = ReadWaveFile("act1.txt", entries);
        const std::vector<Record> act2 = ReadWaveFile("act2.txt", entries);
        const std::vector<Record> act3 = ReadWaveFile("act3.txt", entries);
        EXPECT_LT(EnemyRate(act1), EnemyRate(act2));
        EXPECT_LT(EnemyRate(act2), EnemyRate(act3));
        EXPECT_GE(Kinds(act1).size(), 4u);
        EXPECT_EQ(Kinds(act2), (std::set<char>{'b', 'l', 'h', 'H', 's'}));
        EXPECT_EQ(Kinds(act3), Kinds(act2));
    }
}
