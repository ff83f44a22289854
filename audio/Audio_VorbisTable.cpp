#include "audio/Audio_VorbisTable.h"
#include "audio/Audio_SoundEngine.h"

#include <cstdio>

namespace
{
    std::size_t ReadFromFile(void* destination, std::size_t size, std::size_t count, void* source)
    {
        return std::fread(destination, size, count, static_cast<std::FILE*>(source));
    }

    // The whole 64-bit offset is passed on, so files beyond 2 GiB seek correctly.
    int SeekInFile(void* source, ogg_int64_t offset, int origin)
    {
        return fseeko(static_cast<std::FILE*>(source), static_cast<off_t>(offset), origin);
    }

    int CloseFile(void* source)
    {
        return std::fclose(static_cast<std::FILE*>(source));
    }

    long TellFile(void* source)
    {
        return static_cast<long>(ftello(static_cast<std::FILE*>(source)));
    }
}

namespace Audio
{
    VorbisTable& GetVorbisTable()
    {
        static VorbisTable table;
        return table;
    }
}

void SoundEngine::InitVorbisTable()
{
    Audio::VorbisTable& table = Audio::GetVorbisTable();
    if (table.ready)
        return;
    table.openCallbacks = ov_open_callbacks;
    table.info = ov_info;
    table.timeTotal = ov_time_total;
    table.pcmTotal = ov_pcm_total;
    table.read = ov_read;
    table.rawSeek = ov_raw_seek;
    table.clear = ov_clear;
    table.callbacks = ov_callbacks{ReadFromFile, SeekInFile, CloseFile, TellFile};
    table.ready = true;
}
