#pragma once

#include <string>
#include <vector>

namespace SoundGen
{
    // Encodes interleaved samples in [-1, 1] as the bytes of an Ogg Vorbis file at the given VBR
    // quality; false when the encoder refuses the settings. The stream serial number is fixed, so
    // equal input gives byte-identical files.
    bool EncodeOggVorbis(const std::vector<float>& samples, int channels, int rate, double quality,
                         const std::string& title, std::vector<unsigned char>& bytes);

    // The same, written to a file.
    bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate,
                        double quality, const std::string& title, std::string& error);
}
