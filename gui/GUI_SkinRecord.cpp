#include "gui/GUI_SkinRecord.h"

#include "core/Core_File.h"

namespace GUI
{
void ReadSkinRecords(Core::File& file, Core::Vector<SkinRecord>& records)
{
    records.clear();
    u32 count = 0;
    if (!Core::ReadU32(file, count))
        return;
    for (u32 i = 0; i < count; ++i)
    {
        SkinRecord record;
        if (!Core::ReadF32(file, record.regionX))
            return;
        Core::ReadF32(file, record.regionY);
        Core::ReadF32(file, record.regionWidth);
        Core::ReadF32(file, record.regionHeight);
        Core::ReadF32(file, record.innerLeft);
        Core::ReadF32(file, record.innerRight);
        Core::ReadF32(file, record.innerBottom);
        Core::ReadF32(file, record.innerTop);
        records.push_back(record);
    }
}

void WriteSkinRecords(Core::File& file, const Core::Vector<SkinRecord>& records)
{
    Core::WriteU32(file, static_cast<u32>(records.size()));
    for (const SkinRecord& record : records)
    {
        Core::WriteF32(file, record.regionX);
        Core::WriteF32(file, record.regionY);
        Core::WriteF32(file, record.regionWidth);
        Core::WriteF32(file, record.regionHeight);
        Core::WriteF32(file, record.innerLeft);
        Core::WriteF32(file, record.innerRight);
        Core::WriteF32(file, record.innerBottom);
        Core::WriteF32(file, record.innerTop);
    }
}
} // namespace GUI
