#pragma once
// OpenAL Soft's wave-file backend for the programs that check what was rendered.
#include "tests/support/Support_SoundFiles.h"
#include "tests/support/Support_Scratch.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace AudioTest
{
    // OpenAL Soft reads its configuration once, at its first call in the process, so the wave-file
    // backend is chosen here before the engine exists. Its output folder is left missing at first,
    // which makes the device fail to open.
    struct WaveBackend
    {
        TestSupport::ScratchFolder scratch{"morvane_audio_output"};
        const std::string folder = scratch.Path().string();
        std::string outputFolder;
        std::string output;
        std::string log;

        WaveBackend()
        {
            outputFolder = folder + "/render";
            output = outputFolder + "/out.wav";
            log = folder + "/openal.log";
            const std::string config = folder + "/alsoft.conf";
            std::ofstream(config) << "[general]\ndrivers = wave\n[wave]\nfile = " << output << "\n";
            ::setenv("ALSOFT_CONF", config.c_str(), 1);
            ::setenv("ALSOFT_DRIVERS", "wave", 1);
            ::setenv("ALSOFT_LOGLEVEL", "3", 1);
            ::setenv("ALSOFT_LOGFILE", log.c_str(), 1);
        }
    };
}  // namespace AudioTest
