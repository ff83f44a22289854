#include "audio/Audio_SoundData.h"

#include <cctype>
#include <cstring>

namespace
{
    constexpr u32 LargestFormatChunk = 44;
    constexpr u16 PlainPcmTag = 1;
    constexpr u16 ExtensibleTag = 0xFFFE;

    u16 ReadU16(const u8* bytes)
    {
        return static_cast<u16>(bytes[0] | bytes[1] << 8);
    }

    u32 ReadU32(const u8* bytes)
    {
        return static_cast<u32>(bytes[0]) | static_cast<u32>(bytes[1]) << 8 |
               static_cast<u32>(bytes[2]) << 16 | static_cast<u32>(bytes[3]) << 24;
    }

    bool EqualNoCase(const u8* bytes, const char* text)
    {
        for (int i = 0; i < 4; ++i)
            if (std::toupper(bytes[i]) != text[i])
                return false;
        return true;
    }

    void FillFormat(SoundFormat& format, const u8* payload)
    {
        const u16 tag = ReadU16(payload);
        if (tag != PlainPcmTag && tag != ExtensibleTag)
            return;
        format.kind = tag == PlainPcmTag ? SoundFormat::PlainKind : SoundFormat::ExtensibleKind;
        format.tag = tag;
        format.channels = ReadU16(payload + 2);
        format.frequency = ReadU32(payload + 4);
        format.bytesPerSecond = ReadU32(payload + 8);
        format.blockAlign = ReadU16(payload + 12);
        format.bitsPerSample = ReadU16(payload + 14);
        format.extraSize = ReadU16(payload + 16);
        if (tag != ExtensibleTag)
            return;
        format.validBitsPerSample = ReadU16(payload + 18);
        format.channelMask = ReadU32(payload + 20);
        std::memcpy(format.subFormat, payload + 24, sizeof(format.subFormat));
    }

    // Samples the engine can hand to OpenAL: 8 or 16 bits, and frames exactly as wide as the
    // channels' samples, so that block-aligned sizes are whole frames.
    bool IsPlayableFormat(const SoundFormat& format)
    {
        return format.channels != 0 && format.blockAlign != 0 && format.bytesPerSecond != 0 &&
               (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
               format.blockAlign == format.channels * (format.bitsPerSample / 8);
    }

    bool Skip(std::FILE* file, std::uint64_t bytes)
    {
        return fseeko(file, static_cast<off_t>(bytes), SEEK_CUR) == 0;
    }
}

// Reads the RIFF header and the chunks of an open WAV file; on success the file is positioned at
// the first sample. Sizes come from the file and are checked against the bytes that are there.
int SoundData::ReadRiff()
{
    std::FILE* file = format.file;
    if (fseeko(file, 0, SEEK_END) != 0)
    {
        ResetFormat();
        return SoundResult::Malformed;
    }
    const off_t fileSize = ftello(file);
    std::rewind(file);

    u8 header[12];
    if (std::fread(header, 1, sizeof(header), file) != sizeof(header) || !EqualNoCase(header, "RIFF") ||
        !EqualNoCase(header + 8, "WAVE"))
    {
        ResetFormat();
        return SoundResult::Malformed;
    }

    bool formatSeen = false;
    bool dataSeen = false;
    u32 declaredDataSize = 0;
    off_t dataOffset = 0;
    u8 chunk[8];
    while (std::fread(chunk, 1, sizeof(chunk), file) == sizeof(chunk))
    {
        const u32 size = ReadU32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size <= LargestFormatChunk)
        {
            u8 payload[LargestFormatChunk] = {};
            if (std::fread(payload, 1, size, file) != size)
            {
                ResetFormat();
                return SoundResult::Malformed;
            }
            FillFormat(format, payload);
            formatSeen = true;
        }
        else if (std::memcmp(chunk, "data", 4) == 0)
        {
            dataOffset = ftello(file);
            declaredDataSize = size;
            dataSeen = true;
            if (!Skip(file, size))
                break;
        }
        else if (!Skip(file, size))
            break;
        if ((size & 1) != 0 && !Skip(file, 1))
            break;
    }

    if (!formatSeen || !dataSeen || !IsPlayableFormat(format) || dataOffset < 0 ||
        dataOffset > static_cast<off_t>(UINT32_MAX))
    {
        ResetFormat();
        return SoundResult::Malformed;
    }

    // A data chunk that claims more than the file holds is cut to the whole frames that are there.
    u32 dataSize = declaredDataSize;
    const off_t available = fileSize > dataOffset ? fileSize - dataOffset : 0;
    if (static_cast<off_t>(dataSize) > available)
        dataSize = static_cast<u32>(available - available % format.blockAlign);
    format.dataSize = dataSize;
    format.dataOffset = static_cast<u32>(dataOffset);
    format.duration = static_cast<double>(dataSize) / static_cast<double>(format.bytesPerSecond);
    if (fseeko(file, dataOffset, SEEK_SET) != 0)
    {
        ResetFormat();
        return SoundResult::Malformed;
    }
    return SoundResult::Ok;
}
