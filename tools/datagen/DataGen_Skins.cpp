#include "DataGen_Skins.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <sstream>

namespace DataGen
{
    namespace
    {
        void PutU32(std::string& out, uint32_t value)
        {
            for (int shift = 0; shift < 32; shift += 8)
                out.push_back(static_cast<char>((value >> shift) & 0xFF));
        }

        bool CheckRecord(const SkinRecord& r, std::string& error)
        {
            for (float value : r)
                if (!std::isfinite(value) || value < 0.0f)
                {
                    error = "values must be finite and not negative";
                    return false;
                }
            // Inner edges lie inside the region and in order, or the nine pieces would overlap.
            if (r[2] < 1.0f || r[3] < 1.0f || r[4] > r[5] || r[5] > r[2] || r[6] > r[7] || r[7] > r[3])
            {
                error = "the inner rectangle must lie inside the region";
                return false;
            }
            return true;
        }
    }

    bool ReadSkinRecords(const std::string& text, std::map<std::string, std::vector<SkinRecord>>& skins,
                         std::string& error)
    {
        std::istringstream lines(text);
        int number = 0;
        for (std::string line; std::getline(lines, line);)
        {
            ++number;
            std::istringstream in(line.substr(0, line.find('#')));
            std::string name;
            if (!(in >> name))
                continue;
            size_t index = 0;
            SkinRecord record{};
            bool ok = static_cast<bool>(in >> index);
            for (float& value : record)
                ok = ok && static_cast<bool>(in >> value);
            std::string extra;
            std::vector<SkinRecord>& records = skins[name];
            if (!ok || (in >> extra))
                error = "expected a skin name, an index and eight numbers";
            else if (index != records.size())
                error = "record " + std::to_string(index) + " of " + name + " is out of order";
            else if (CheckRecord(record, error))
            {
                records.push_back(record);
                continue;
            }
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
        if (skins.empty())
        {
            error = "no skins";
            return false;
        }
        return true;
    }

    std::string FormatGui(const std::vector<SkinRecord>& records)
    {
        std::string out;
        PutU32(out, static_cast<uint32_t>(records.size()));
        for (const SkinRecord& record : records)
            for (float value : record)
            {
                uint32_t bits = 0;
                std::memcpy(&bits, &value, sizeof bits);
                PutU32(out, bits);
            }
        return out;
    }
}
