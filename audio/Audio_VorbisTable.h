#pragma once

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <atomic>

namespace Audio
{
    // The decoder entry points every sound record calls, bound once per process by the sound
    // engine. Opening, rewinding and seeking an Ogg stream check the ready flag first.
    struct VorbisTable
    {
        std::atomic<bool> ready{false};
        int (*openCallbacks)(void* source, OggVorbis_File* stream, const char* initial, long initialBytes,
                             ov_callbacks callbacks) = nullptr;
        vorbis_info* (*info)(OggVorbis_File* stream, int link) = nullptr;
        double (*timeTotal)(OggVorbis_File* stream, int link) = nullptr;
        ogg_int64_t (*pcmTotal)(OggVorbis_File* stream, int link) = nullptr;
        long (*read)(OggVorbis_File* stream, char* buffer, int length, int bigEndian, int wordSize, int isSigned,
                     int* section) = nullptr;
        int (*rawSeek)(OggVorbis_File* stream, ogg_int64_t position) = nullptr;
        int (*clear)(OggVorbis_File* stream) = nullptr;
        ov_callbacks callbacks{};
    };

    VorbisTable& GetVorbisTable();
}
