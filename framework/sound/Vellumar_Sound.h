#pragma once
// The game object for one sound: it names a sound file, loads it through the game's sound engine
// and plays it through a source made on demand and given back once the sound has finished. In the
// positional modes the object's position goes to its source every frame.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "framework/core/Vellumar_GameObject.h"

class SoundData;
class SoundEngine;
class SoundSource;

namespace Vellumar
{
class Sound : public GameObject
{
    CORE_CLASS(Sound)

public:
    // How the source is placed: not at all (listener-relative), at the listener's depth, or at
    // the depth of the object's own layer.
    static constexpr i32 NotPositional = 0;
    static constexpr i32 AtListenerDepth = 1;
    static constexpr i32 AtLayerDepth = 2;
    // Decoded sounds of this size or more are streamed unless loading whole is asked for.
    static constexpr u32 StreamThreshold = 0x40000;

    Sound() = default;
    Sound(const Core::String& path, i32 mode, f32 intensity, bool looping, f32 splitFraction,
          bool loadWhole);
    Sound(const Sound&) = delete;
    ~Sound() override;

    // Loads the file (a whole-loaded one already cached is shared) and gives back a held source.
    void SetSound(const Core::String& path, i32 mode, f32 intensity, bool looping, f32 splitFraction,
                  bool loadWhole);
    // False without a source or when the sound already plays and restart is not asked for.
    bool Play(bool restart);
    // A stream is rewound; the next update gives the source back.
    void Stop();
    void Pause();
    void Rewind();
    bool IsPlaying();
    // Negative volumes and pitches at or below 0 are ignored.
    void SetVolume(f32 volume);
    // The source's gain while it has one, else the stored volume.
    f32 GetVolume();
    void SetPitch(f32 value);
    // The source's pitch while it has one, else the stored pitch.
    f32 GetPitch();
    void SetLooping(bool on);
    bool GetLooping() const { return looping; }
    void SetIntensity(f32 value) { intensity = value; }
    f32 GetIntensity() const { return intensity; }
    i32 GetMode() const { return mode; }
    f32 GetSplitFraction() const { return splitFraction; }
    bool GetLoadWhole() const { return loadWhole; }
    const Core::String& GetFileName() const { return fileName; }
    SoundData* GetData();
    SoundSource* GetSource();

    // The copy loads the same file anew and is silent.
    Sound* Clone() const override;
    // After the game object: the file's name without folders, mode, split, load whole, volume,
    // pitch, intensity, looping and whether it plays. Loading reads the file from the sounds
    // folder and plays it again when it played.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void Destroy() override;
    // Reference distance and position to the source; a finished sound gives its source back.
    void Update(f32 dt) override;
    // After the game object's state record: volume, pitch, intensity, looping, playing.
    void NetworkSyncSend(Core::File& file) override;
    void NetworkSyncReceive(Core::File& file) override;

protected:
    const char* GetScriptTypeName() const override { return "Sound"; }

private:
    // The engine when one exists; data and source taken before its last release of every record
    // are forgotten first.
    SoundEngine* Engine();
    void ReleaseSource();
    // Keeps a setting for the sources to come and hands it to the present one.
    template <class Value>
    void Keep(Value& setting, Value value, bool (SoundSource::*apply)(Value));
    // The present source's value, else the kept setting.
    f32 Current(f32 setting, f32 (SoundSource::*read)() const);

    SoundData* data = nullptr;
    SoundSource* source = nullptr;
    Core::String fileName;
    bool looping = false;
    f32 splitFraction = 0.0f;
    i32 mode = NotPositional;
    f32 volume = 1.0f;
    f32 pitch = 1.0f;
    f32 intensity = 0.0f;
    bool loadWhole = false;
    // The engine generation data and source belong to.
    u32 generation = 0;
};
}  // namespace Vellumar
