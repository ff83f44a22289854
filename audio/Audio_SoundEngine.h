#pragma once

#include "audio/Audio_SoundData.h"
#include "audio/Audio_SoundSource.h"
#include "core/Core_Memory.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Vector3D.h"
#include "core/PAL_ThreadManager.h"

#include <atomic>

// A whole-loaded sound shared by every caller asking for the same file and split.
struct SoundDataCacheEntry
{
    Core::String fileName;
    float splitFraction = 0.0f;
    SoundData* data = nullptr;
};

// The one object through which the system plays audio. It owns the OpenAL device and context, the
// listener, every source record and every loaded sound, and the streaming thread that keeps
// streamed and looping sources fed. Source and data pointers handed out stay valid until
// StopAllSources (sources also until ReleaseSource), Shutdown or the engine's destruction.
class SoundEngine
{
public:
    SoundEngine();
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    static void* operator new(std::size_t size);
    static void operator delete(void* pointer, std::size_t size);

    // deviceIndex -1 (or any index outside the device list) opens the default device.
    bool Initialize(int deviceIndex, u32 periodMs);
    // An engine initialized while a rate is set mixes only when RenderOutput asks it to (OpenAL's
    // loopback device, 16-bit stereo at that rate), never in real time, so that what a test sees
    // is decided by the steps it takes; 0, the default, opens a device.
    static void SetRenderedOutputRate(u32 frequency);
    // Mixes the next frames of the output of an engine with rendered output; false otherwise.
    bool RenderOutput(u32 frames);
    // The frames the last RenderOutput mixed, left and right interleaved.
    const Core::Vector<i16>& GetRenderedOutput() const { return renderBuffer; }
    // Stops the streaming thread and releases every source and loaded sound with the context and
    // device they belong to.
    void Shutdown();

    bool SetDistanceModel(u32 model);
    bool SetListenerPosition(const Math::Vector3D& position);
    bool SetListenerGain(float gain);
    float GetListenerGain() const { return listenerGain; }

    SoundSource* CreateSource(SoundData* data, bool listenerRelative, bool looping);
    bool ReleaseSource(SoundSource* source);
    bool Play(SoundSource* source);
    bool Pause(SoundSource* source);
    bool Stop(SoundSource* source);
    bool Rewind(SoundSource* source);
    bool IsPlaying(SoundSource* source);
    bool GetPlayingFlag(SoundSource* source) const;
    void StopAllSources();

    // Streams the file when its decoded size reaches threshold bytes, loads it whole otherwise.
    SoundData* LoadSound(const Core::String& path, u32 threshold);
    SoundData* LoadSoundData(const Core::String& path, float splitFraction);
    SoundData* CreateStreamData(const Core::String& path, float bufferSeconds, u32 bufferCount);
    SoundData* FindLoadedData(const Core::String& path, float splitFraction) const;
    Core::String GetDataName(const SoundData* data) const;

    static int GetAlFormat(SoundData& data);
    static void InitVorbisTable();
    static void StreamThread(PAL::Thread* record);
    // One pass of the streaming thread over every source record, under the source-list mutex.
    void ServeSources();
    // The passes made so far, by the streaming thread and by callers of ServeSources.
    u32 GetServePassCount() const { return servePasses.load(); }

    bool IsInitialized() const { return initialized; }
    const Core::Vector<Core::String>& GetDeviceNames() const { return deviceNames; }
    u32 GetDefaultDeviceIndex() const { return defaultDeviceIndex; }
    const Math::Vector3D& GetListenerPosition() const { return listenerPosition; }
    float GetSpeedOfSound() const { return speedOfSound; }
    u32 GetDistanceModel() const { return distanceModel; }
    u32 GetStreamingPeriod() const { return streamingPeriod; }
    SoundSource* GetDefaultSource() const { return defaultSource; }
    u32 GetSourceCount() const { return static_cast<u32>(sources.size()); }
    u32 GetDataCount() const { return static_cast<u32>(soundData.size()); }
    u32 GetCacheCount() const { return static_cast<u32>(cache.size()); }
    // Counts the times every record was freed at once: a pointer taken in an older generation
    // names nothing any more.
    u32 GetGeneration() const { return generation; }

private:
    void ReadDeviceList();
    bool OpenDevice(int deviceIndex);
    bool OpenRenderedOutput(u32 frequency);
    bool ReadSpeedOfSound();
    bool StartStreaming();
    void StopStreaming();
    void ReleaseDevice();
    // Stops the streaming thread, then frees every record and the context and device.
    void ReleaseEverything();
    bool CreateDefaultSource();
    void ReleaseAllRecords();
    void DestroySource(Core::List<SoundSource>::iterator record);
    void ServeSource(SoundSource& source);
    void ServeIntroAndLoop(SoundSource& source);
    void ServeStream(SoundSource& source);
    SoundData* Adopt(SoundData* data);

    bool initialized = false;
    PAL::ThreadManager threadManager;
    PAL::Thread* streamThread = nullptr;
    PAL::MutexHandle sourceListMutex = nullptr;
    PAL::MutexHandle shutdownMutex = nullptr;
    PAL::ConditionHandle shutdownCondition = nullptr;
    // Set by the streaming thread under the shutdown mutex as it leaves, so a spurious wake-up of
    // the stop handshake is told from the real signal.
    std::atomic<bool> streamThreadDone{false};
    std::atomic<u32> servePasses{0};
    Core::Vector<Core::String> deviceNames;
    u32 defaultDeviceIndex = 0;
    void* device = nullptr;
    void* context = nullptr;
    // Set while the device is the loopback device RenderOutput mixes.
    bool rendered = false;
    Core::Vector<i16> renderBuffer;
    Core::Vector<SoundData*> soundData;
    Core::Vector<SoundDataCacheEntry> cache;
    Math::Vector3D listenerPosition;
    float listenerGain = 1.0f;
    float speedOfSound = 0.0f;
    u32 distanceModel = 2;
    SoundSource* defaultSource = nullptr;
    Core::List<SoundSource> sources;
    u32 streamingPeriod = 1;
    u32 generation = 0;
};
