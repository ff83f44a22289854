#include "audio/Audio_SoundEngine.h"
#include "audio/Audio_AlCall.h"
#include "audio/Audio_VorbisTable.h"

#include <AL/alc.h>
#include <AL/alext.h>

#include <atomic>
#include <cstring>
#include <iterator>

using Audio::AlCall;

namespace
{
    ALCdevice* AsDevice(void* device) { return static_cast<ALCdevice*>(device); }
    ALCcontext* AsContext(void* context) { return static_cast<ALCcontext*>(context); }

    std::atomic<u32> renderedOutputRate{0};

    constexpr ALenum DistanceModels[] = {
        AL_NONE,
        AL_INVERSE_DISTANCE,
        AL_INVERSE_DISTANCE_CLAMPED,
        AL_LINEAR_DISTANCE,
        AL_LINEAR_DISTANCE_CLAMPED,
        AL_EXPONENT_DISTANCE,
        AL_EXPONENT_DISTANCE_CLAMPED,
    };
}

SoundEngine::SoundEngine()
{
    ReadDeviceList();
    InitVorbisTable();
}

SoundEngine::~SoundEngine()
{
    Shutdown();
    Audio::GetVorbisTable().ready = false;
    deviceNames.clear();
    threadManager.Shutdown();
}

void* SoundEngine::operator new(std::size_t size)
{
    return Core::TrackedNew(static_cast<u32>(size), __FILE__, __LINE__);
}

void SoundEngine::operator delete(void* pointer, std::size_t size)
{
    Core::TrackedDelete(pointer, static_cast<u32>(size));
}

void SoundEngine::ReadDeviceList()
{
    const char* names = alcGetString(nullptr, ALC_DEVICE_SPECIFIER);
    const char* defaultName = alcGetString(nullptr, ALC_DEFAULT_DEVICE_SPECIFIER);
    if (!names)
        return;
    for (const char* name = names; *name != '\0'; name += std::strlen(name) + 1)
    {
        if (defaultName && std::strcmp(name, defaultName) == 0)
            defaultDeviceIndex = static_cast<u32>(deviceNames.size());
        deviceNames.emplace_back(name);
    }
}

bool SoundEngine::Initialize(int deviceIndex, u32 periodMs)
{
    if (initialized)
        return false;
    streamingPeriod = periodMs;
    if (!StartStreaming())
        return false;
    const u32 renderedRate = renderedOutputRate.load();
    const bool opened = renderedRate > 0 ? OpenRenderedOutput(renderedRate) : OpenDevice(deviceIndex);
    if (!opened || !CreateDefaultSource() || !ReadSpeedOfSound() || !SetDistanceModel(distanceModel))
    {
        // Whatever was made goes again, the thread included, so that a later retry starts clean.
        ReleaseEverything();
        return false;
    }
    initialized = true;
    return true;
}

// -1, or any index outside the device list, opens the default device. The handles are kept as
// they are made, so that ReleaseDevice undoes exactly what succeeded.
bool SoundEngine::OpenDevice(int deviceIndex)
{
    if (deviceNames.empty())
        return false;
    const bool chosen = deviceIndex >= 0 && static_cast<u32>(deviceIndex) < deviceNames.size();
    const Core::String& name = deviceNames[chosen ? static_cast<u32>(deviceIndex) : defaultDeviceIndex];
    ALCdevice* openedDevice = alcOpenDevice(name.c_str());
    if (!openedDevice)
        return false;
    device = openedDevice;
    ALCcontext* createdContext = alcCreateContext(openedDevice, nullptr);
    if (!createdContext)
        return false;
    context = createdContext;
    return alcMakeContextCurrent(createdContext) == ALC_TRUE;
}

void SoundEngine::SetRenderedOutputRate(u32 frequency)
{
    renderedOutputRate.store(frequency);
}

bool SoundEngine::OpenRenderedOutput(u32 frequency)
{
    auto openLoopback =
        reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    if (!openLoopback)
        return false;
    ALCdevice* openedDevice = openLoopback(nullptr);
    if (!openedDevice)
        return false;
    device = openedDevice;
    rendered = true;
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT, ALC_FORMAT_TYPE_SOFT, ALC_SHORT_SOFT,
                                 ALC_FREQUENCY, static_cast<ALCint>(frequency), 0};
    ALCcontext* createdContext = alcCreateContext(openedDevice, attributes);
    if (!createdContext)
        return false;
    context = createdContext;
    return alcMakeContextCurrent(createdContext) == ALC_TRUE;
}

bool SoundEngine::RenderOutput(u32 frames)
{
    if (!initialized || !rendered)
        return false;
    auto render =
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(AsDevice(device), "alcRenderSamplesSOFT"));
    if (!render)
        return false;
    renderBuffer.resize(static_cast<std::size_t>(frames) * 2);
    render(AsDevice(device), renderBuffer.data(), static_cast<ALCsizei>(frames));
    return true;
}

bool SoundEngine::ReadSpeedOfSound()
{
    ALfloat speed = 0.0f;
    if (!AlCall([&] { alGetFloatv(AL_SPEED_OF_SOUND, &speed); }))
        return false;
    speedOfSound = speed;
    return true;
}

bool SoundEngine::CreateDefaultSource()
{
    PAL::ScopedMutexLock lock(sourceListMutex);
    SoundSource& record = sources.emplace_back();
    if (!record.Create(true, false))
    {
        sources.pop_back();
        return false;
    }
    defaultSource = &record;
    return true;
}

// Every source and buffer goes with the context and device it belongs to: names kept past them
// would alias the objects of a later context, and no OpenAL object outlives its device. Both go
// only after the streaming thread that serves them.
void SoundEngine::Shutdown()
{
    if (!initialized)
        return;
    ReleaseEverything();
    initialized = false;
}

void SoundEngine::ReleaseEverything()
{
    StopStreaming();
    ReleaseAllRecords();
    ReleaseDevice();
}

// Makes the locks and starts the streaming thread; whatever fails, what was made is destroyed.
bool SoundEngine::StartStreaming()
{
    sourceListMutex = threadManager.CreateMutex(0);
    shutdownMutex = threadManager.CreateMutex(0);
    shutdownCondition = threadManager.CreateCondition();
    streamThreadDone = false;
    if (sourceListMutex && shutdownMutex && shutdownCondition)
        streamThread = threadManager.CreateThread(StreamThread, nullptr, this,
                                                  PAL::ThreadManager::GetPriorities().normal, 0);
    if (streamThread)
        return true;
    StopStreaming();
    return false;
}

// The stop handshake: the thread signals the shutdown condition as its last act; it is then
// joined, so it no longer touches the locks destroyed here.
void SoundEngine::StopStreaming()
{
    if (streamThread && PAL::LockMutex(shutdownMutex))
    {
        threadManager.RequestStop(streamThread, 0);
        while (!streamThreadDone)
            PAL::WaitCondition(shutdownCondition, shutdownMutex);
        PAL::UnlockMutex(shutdownMutex);
    }
    if (streamThread)
        threadManager.StopThread(streamThread, 0);
    streamThread = nullptr;
    threadManager.DestroyMutex(sourceListMutex);
    threadManager.DestroyMutex(shutdownMutex);
    threadManager.DestroyCondition(shutdownCondition);
    sourceListMutex = nullptr;
    shutdownMutex = nullptr;
    shutdownCondition = nullptr;
}

void SoundEngine::ReleaseDevice()
{
    speedOfSound = 0.0f;
    if (context)
    {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(AsContext(context));
    }
    if (device)
        alcCloseDevice(AsDevice(device));
    context = nullptr;
    device = nullptr;
    rendered = false;
}

bool SoundEngine::SetDistanceModel(u32 model)
{
    if (model < std::size(DistanceModels) && !AlCall([&] { alDistanceModel(DistanceModels[model]); }))
        return false;
    distanceModel = model;
    return true;
}

bool SoundEngine::SetListenerPosition(const Math::Vector3D& position)
{
    if (!AlCall([&] { alListener3f(AL_POSITION, position.x, position.y, position.z); }))
        return false;
    listenerPosition = position;
    return true;
}

bool SoundEngine::SetListenerGain(float gain)
{
    if (!AlCall([&] { alListenerf(AL_GAIN, gain); }))
        return false;
    listenerGain = gain;
    return true;
}
