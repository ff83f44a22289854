#pragma once

#include <string>
#include <vector>

namespace SoundGen
{
    // Encodes interleaved samples in [-1, 1] as an Ogg Vorbis file at the given VBR quality. The
    // stream serial number is fixed, so equal input gives byte-identical files.
    bool WriteOggVorbis(const std::string& path, const std::vector<float>& samples, int channels, int rate,
                        double quality, const std::string& title, std::string& error);
}
