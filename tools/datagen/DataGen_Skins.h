#pragma once

#include <array>
#include <map>
#include <string>
#include <vector>

namespace DataGen
{
    // One state of a skin: region x, y (from the image's bottom row), width, height, then the inner
    // rectangle's left, right, bottom and top edges relative to the region, in image pixels.
    using SkinRecord = std::array<float, 8>;

    // Reads the skin-record list that comes with the skin pictures: lines of
    //   <skin name> <record index> <eight numbers>   # comment
    // with every skin's indices counting up from 0 in order.
    bool ReadSkinRecords(const std::string& text, std::map<std::string, std::vector<SkinRecord>>& skins,
                         std::string& error);

    // The ".gui" file: u32 record count, then each record as eight little-endian f32.
    std::string FormatGui(const std::vector<SkinRecord>& records);
}
