#include "DataGen_Waves.h"

#include <sstream>

namespace DataGen
{
    namespace
    {
        // Record fields: 0 semi-boss-wins flag (first record only), 1-3 spawn codes, 4-6 intervals
        // in frames, 7 boss flag (0 ordinary, 1 boss wave, 2 last wave), 8 wave mode (0 spawn by
        // code, 1 big boss, 3 semi-boss), 9 unused.
        constexpr int BannerCode = 99;
        constexpr int BossWave = 1;
        constexpr int LastWave = 2;
        constexpr int BigBossMode = 1;
        constexpr int SemiBossMode = 3;
        // A waiting record needs a wave mode above 0 and no boss flag; the big-boss mode serves.
        constexpr int WaitMode = 1;
        // The play level keeps each entry's low 16 bits, each code's low byte and the record count
        // in a byte; an interval of 0 never fires.
        constexpr int MaxInterval = 0xFFFF;
        constexpr int MaxCode = 0xFF;
        constexpr size_t MaxRecords = 255;

        bool ReadNumbers(std::istringstream& in, std::vector<int>& numbers)
        {
            numbers.clear();
            for (std::string word; in >> word;)
            {
                size_t used = 0;
                int value = 0;
                try
                {
                    value = std::stoi(word, &used);
                }
                catch (const std::exception&)
                {
                    return false;
                }
                if (used != word.size())
                    return false;
                numbers.push_back(value);
            }
            return true;
        }

        bool ReadIntervals(std::istringstream& in, WaveRecord& record, std::string& error)
        {
            std::string every;
            std::vector<int> numbers;
            if (!(in >> every) || every != "every" || !ReadNumbers(in, numbers)
                || (numbers.size() != 1 && numbers.size() != 3))
            {
                error = "expected 'every' and one or three intervals";
                return false;
            }
            for (int i = 0; i < 3; ++i)
            {
                record[4 + i] = numbers[numbers.size() == 1 ? 0 : i];
                if (record[4 + i] < 1 || record[4 + i] > MaxInterval)
                {
                    error = "intervals run from 1 to " + std::to_string(MaxInterval) + " frames";
                    return false;
                }
            }
            return true;
        }

        bool ReadCodes(std::istringstream& in, WaveRecord& record, std::string& error)
        {
            for (int i = 0; i < 3; ++i)
            {
                if (!(in >> record[1 + i]) || record[1 + i] < 0 || record[1 + i] > MaxCode)
                {
                    error = "expected three spawn codes from 0 to " + std::to_string(MaxCode);
                    return false;
                }
            }
            return true;
        }

        bool CompileLine(const std::string& keyword, std::istringstream& in, WaveRecord& record, std::string& error)
        {
            record.fill(0);
            if (keyword == "spawn" || keyword == "last")
            {
                if (!ReadCodes(in, record, error))
                    return false;
                record[7] = keyword == "last" ? LastWave : 0;
            }
            else if (keyword == "clear")
                record[8] = WaitMode;
            else if (keyword == "banner")
                record[1] = record[2] = record[3] = BannerCode;
            else if (keyword == "semiboss" || keyword == "bigboss")
            {
                record[7] = BossWave;
                record[8] = keyword == "semiboss" ? SemiBossMode : BigBossMode;
            }
            else
            {
                error = "unknown record '" + keyword + "'";
                return false;
            }
            return ReadIntervals(in, record, error);
        }
    }

    bool CompileWaves(const std::string& text, std::vector<WaveRecord>& records, std::string& error)
    {
        std::istringstream lines(text);
        bool semiBossWins = false;
        int number = 0;
        for (std::string line; std::getline(lines, line);)
        {
            ++number;
            std::istringstream in(line.substr(0, line.find('#')));
            std::string keyword;
            if (!(in >> keyword))
                continue;
            if (keyword == "semiboss-wins" && records.empty())
            {
                semiBossWins = true;
                continue;
            }
            WaveRecord record{};
            if (!CompileLine(keyword, in, record, error))
            {
                error = "line " + std::to_string(number) + ": " + error;
                return false;
            }
            records.push_back(record);
        }
        if (records.empty() || records.size() > MaxRecords)
        {
            error = "a wave file holds 1 to " + std::to_string(MaxRecords) + " records";
            return false;
        }
        records[0][0] = semiBossWins ? 1 : 0;
        return true;
    }

    std::string FormatWaves(const std::vector<WaveRecord>& records)
    {
        std::ostringstream out;
        for (const WaveRecord& record : records)
        {
            for (size_t i = 0; i < record.size(); ++i)
                out << (i ? " " : "") << record[i];
            out << '\n';
        }
        return out.str();
    }
}
