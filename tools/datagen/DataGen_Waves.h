#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace DataGen
{
    // One record of a wave file: ten integers, in the order the play level reads them.
    using WaveRecord = std::array<int, 10>;

    // Compiles a wave description into records. The description has one record per line:
    //   spawn <code> <code> <code> every <frames> [<frames> <frames>]   enemies by spawn code
    //   clear every <frames>...                  wait until every listed enemy is gone
    //   banner every <frames>...                 show the wave-clear banner (spawn code 99)
    //   last <code> <code> <code> every <frames>...   the final spawn; the act is won once the
    //                                            field is clear after it
    //   semiboss every <frames>...               the semi-boss wave
    //   bigboss every <frames>...                the big-boss wave
    // and, before the first record, "semiboss-wins" when the semi-boss's death wins the act. One
    // interval given stands for all three. '#' starts a comment. Codes run from 0 to 255,
    // intervals from 1 to 65535 frames, and a file holds at most 255 records.
    bool CompileWaves(const std::string& text, std::vector<WaveRecord>& records, std::string& error);

    // The wave file: one record per line, numbers separated by blanks.
    std::string FormatWaves(const std::vector<WaveRecord>& records);
}
