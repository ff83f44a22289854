#include "audio/Audio_AlCall.h"
#include "audio/Audio_SoundData.h"
#include "audio/Audio_SoundEngine.h"

namespace
{
    const char* ChooseOggFormat(const SoundFormat& format)
    {
        switch (format.channels)
        {
        case 1: return "AL_FORMAT_MONO16";
        case 2: return "AL_FORMAT_STEREO16";
        case 4: return "AL_FORMAT_QUAD16";
        case 6: return "AL_FORMAT_51CHN16";
        default: return nullptr;
        }
    }

    const char* ChoosePlainWavFormat(const SoundFormat& format)
    {
        const bool eightBits = format.bitsPerSample == 8;
        switch (format.channels)
        {
        case 1: return eightBits ? "AL_FORMAT_MONO8" : "AL_FORMAT_MONO16";
        case 2: return eightBits ? "AL_FORMAT_STEREO8" : "AL_FORMAT_STEREO16";
        case 4: return format.bitsPerSample == 16 ? "AL_FORMAT_QUAD16" : nullptr;
        default: return nullptr;
        }
    }

    const char* ChooseExtensibleWavFormat(const SoundFormat& format)
    {
        const bool eightBits = format.bitsPerSample == 8;
        const bool sixteenBits = format.bitsPerSample == 16;
        const u32 mask = format.channelMask;
        switch (format.channels)
        {
        case 1: return mask == 0x4 ? (eightBits ? "AL_FORMAT_MONO8" : "AL_FORMAT_MONO16") : nullptr;
        case 2:
            if (mask == 0x3)
                return eightBits ? "AL_FORMAT_STEREO8" : "AL_FORMAT_STEREO16";
            return mask == 0x30 && sixteenBits ? "AL_FORMAT_REAR16" : nullptr;
        case 4: return mask == 0x33 && sixteenBits ? "AL_FORMAT_QUAD16" : nullptr;
        case 6: return mask == 0x3F && sixteenBits ? "AL_FORMAT_51CHN16" : nullptr;
        case 7: return mask == 0x13F && sixteenBits ? "AL_FORMAT_61CHN16" : nullptr;
        case 8: return mask == 0x63F && sixteenBits ? "AL_FORMAT_71CHN16" : nullptr;
        default: return nullptr;
        }
    }
}

int SoundEngine::GetAlFormat(SoundData& data)
{
    const SoundFormat& format = data.format;
    const char* name = nullptr;
    if (data.IsOggOpen())
        name = ChooseOggFormat(format);
    else if (data.IsWavOpen())
    {
        if (format.kind == SoundFormat::PlainKind)
            name = ChoosePlainWavFormat(format);
        else if (format.kind == SoundFormat::ExtensibleKind)
            name = ChooseExtensibleWavFormat(format);
    }
    else
        return SoundResult::NothingOpen;
    if (!name)
        return SoundResult::Malformed;
    ALenum value = 0;
    Audio::AlCall([&] { value = alGetEnumValue(name); });
    data.alFormat = static_cast<u32>(value);
    return SoundResult::Ok;
}
