#include "audio/Audio_SoundDataOggCheck.h"

#include "core/Core_Memory.h"
#include "core/Core_Types.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Audio
{
namespace
{
constexpr u32 CodebookSync = 0x564342;
constexpr int SetupPacketType = 5;
constexpr long SetupHeaderPacket = 2; // identification, comment, setup
// Streams whose headers are still being read at the same time; a sound has one.
constexpr std::size_t MaxOpenStreams = 8;
constexpr std::size_t ReadBlock = 8192;

// Bits needed for a value (0 for 0), as the Vorbis bitstream counts them.
int BitsFor(u32 value)
{
    int bits = 0;
    while (value > 0)
    {
        ++bits;
        value >>= 1;
    }
    return bits;
}

// The largest r with r^dimensions <= entries (dimensions at least 1), or 0 without entries.
long LookupOneValues(long entries, long dimensions)
{
    if (entries < 1)
        return 0;
    const auto fits = [&](long base) {
        long power = 1;
        for (long d = 0; d < dimensions; ++d)
        {
            if (power > entries / base)
                return false;
            power *= base;
        }
        return true;
    };
    long r = std::max(1L, static_cast<long>(std::floor(std::pow(static_cast<double>(entries), 1.0 / static_cast<double>(dimensions)))));
    while (r > 1 && !fits(r))
        --r;
    while (fits(r + 1))
        ++r;
    return r;
}

enum class Setup
{
    Sound,
    ZeroDimension,
    Unreadable,
};

// Walks the codebooks of a setup header packet as the decoder does.
Setup CheckCodebooks(ogg_packet& packet)
{
    if (packet.bytes < 7 || packet.packet[0] != SetupPacketType || std::memcmp(packet.packet + 1, "vorbis", 6) != 0)
        return Setup::Unreadable;
    oggpack_buffer bits;
    oggpack_readinit(&bits, packet.packet + 7, static_cast<int>(packet.bytes - 7));
    const long count = oggpack_read(&bits, 8) + 1;
    for (long book = 0; book < count; ++book)
    {
        if (oggpack_read(&bits, 24) != static_cast<long>(CodebookSync))
            return Setup::Unreadable;
        const long dimensions = oggpack_read(&bits, 16);
        const long entries = oggpack_read(&bits, 24);
        if (dimensions == 0)
            return Setup::ZeroDimension;
        if (dimensions < 0 || entries < 0 || BitsFor(static_cast<u32>(dimensions)) + BitsFor(static_cast<u32>(entries)) > 24)
            return Setup::Unreadable;
        if (oggpack_read(&bits, 1) == 1)
        {
            oggpack_read(&bits, 5);
            for (long entry = 0; entry < entries;)
            {
                const long run = oggpack_read(&bits, BitsFor(static_cast<u32>(entries - entry)));
                if (run <= 0)
                    return Setup::Unreadable;
                entry += run;
            }
        }
        else
        {
            const bool sparse = oggpack_read(&bits, 1) == 1;
            for (long entry = 0; entry < entries; ++entry)
            {
                if ((!sparse || oggpack_read(&bits, 1) == 1) && oggpack_read(&bits, 5) < 0)
                    return Setup::Unreadable;
            }
        }
        const long lookup = oggpack_read(&bits, 4);
        if (lookup == 1 || lookup == 2)
        {
            oggpack_read(&bits, 32);
            oggpack_read(&bits, 32);
            const long valueBits = oggpack_read(&bits, 4) + 1;
            oggpack_read(&bits, 1);
            const long values = lookup == 1 ? LookupOneValues(entries, dimensions) : entries * dimensions;
            for (long value = 0; value < values; ++value)
            {
                if (oggpack_read(&bits, static_cast<int>(valueBits)) < 0)
                    return Setup::Unreadable;
            }
        }
        else if (lookup != 0)
            return Setup::Unreadable;
    }
    return Setup::Sound;
}

struct StreamHeaders
{
    ogg_stream_state state;
    long packets = 0;
};

// Feeds every page of the file to the streams whose headers are still unread; false once one
// shows a zero-dimension codebook or too many streams are open at once.
bool ScanPages(std::FILE* file, ogg_sync_state& sync, Core::Vector<StreamHeaders*>& open)
{
    for (;;)
    {
        ogg_page page;
        const int got = ogg_sync_pageout(&sync, &page);
        if (got == 0)
        {
            char* buffer = ogg_sync_buffer(&sync, ReadBlock);
            const std::size_t read = buffer ? std::fread(buffer, 1, ReadBlock, file) : 0;
            if (read == 0)
                return true;
            ogg_sync_wrote(&sync, static_cast<long>(read));
            continue;
        }
        if (got < 0)
            continue;
        if (ogg_page_bos(&page))
        {
            if (open.size() >= MaxOpenStreams)
                return false;
            auto* stream = new (Core::TrackedNew(sizeof(StreamHeaders), __FILE__, __LINE__)) StreamHeaders();
            ogg_stream_init(&stream->state, ogg_page_serialno(&page));
            open.push_back(stream);
        }
        for (std::size_t i = 0; i < open.size(); ++i)
        {
            StreamHeaders& stream = *open[i];
            if (ogg_stream_pagein(&stream.state, &page) != 0)
                continue;
            ogg_packet packet;
            bool done = false;
            while (!done && ogg_stream_packetout(&stream.state, &packet) == 1)
            {
                if (stream.packets == 0 && (packet.bytes < 7 || packet.packet[0] != 1 || std::memcmp(packet.packet + 1, "vorbis", 6) != 0))
                    done = true;
                else if (stream.packets++ == SetupHeaderPacket)
                {
                    if (CheckCodebooks(packet) == Setup::ZeroDimension)
                        return false;
                    done = true;
                }
            }
            if (done)
            {
                ogg_stream_clear(&stream.state);
                Core::TrackedDelete(open[i], sizeof(StreamHeaders));
                open.erase(open.begin() + static_cast<std::ptrdiff_t>(i));
                --i;
            }
        }
    }
}
}  // namespace

bool AreVorbisCodebooksSound(std::FILE* file)
{
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    Core::Vector<StreamHeaders*> open;
    std::rewind(file);
    const bool sound = ScanPages(file, sync, open);
    for (StreamHeaders* stream : open)
    {
        ogg_stream_clear(&stream->state);
        Core::TrackedDelete(stream, sizeof(StreamHeaders));
    }
    ogg_sync_clear(&sync);
    std::rewind(file);
    return sound;
}
}  // namespace Audio
