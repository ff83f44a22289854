#include "framework/sound/Vellumar_Sound.h"

#include "audio/Audio_SoundEngine.h"
#include "core/Core_File.h"
#include "script/Lua_ScriptEngine.h"
#include "framework/drawables/Vellumar_Camera.h"
#include "framework/core/Vellumar_Game.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Resources.h"

namespace Vellumar
{
CORE_REGISTER_CLASS(Sound, "Vellumar::Sound")

Sound::Sound(const Core::String& path, i32 positioning, f32 distance, bool loop, f32 split, bool whole)
{
    SetSound(path, positioning, distance, loop, split, whole);
}

// A source left behind would stay in the engine until the next level switch; a long session
// would run out of OpenAL sources.
Sound::~Sound()
{
    ReleaseSource();
}

SoundEngine* Sound::Engine()
{
    Game* game = Game::GetInstance();
    SoundEngine* engine = game ? game->GetSoundEngine() : nullptr;
    if (!engine || engine->GetGeneration() != generation)
    {
        data = nullptr;
        source = nullptr;
    }
    return engine;
}

SoundData* Sound::GetData()
{
    Engine();
    return data;
}

SoundSource* Sound::GetSource()
{
    Engine();
    return source;
}

void Sound::ReleaseSource()
{
    SoundEngine* engine = Engine();
    if (source)
    {
        engine->ReleaseSource(source);
        source = nullptr;
    }
}

void Sound::SetSound(const Core::String& path, i32 positioning, f32 distance, bool loop, f32 split,
                     bool whole)
{
    ReleaseSource();
    SoundEngine* engine = Engine();
    loadWhole = whole;
    data = nullptr;
    if (engine)
    {
        generation = engine->GetGeneration();
        data = engine->FindLoadedData(path, split);
        if (!data)
        {
            data = split == 0.0f && !whole ? engine->LoadSound(path, StreamThreshold)
                                           : engine->LoadSoundData(path, split);
        }
        if (data)
        {
            fileName = engine->GetDataName(data);
        }
    }
    splitFraction = split;
    intensity = distance;
    looping = loop;
    mode = positioning;
    volume = 1.0f;
    pitch = 1.0f;
}

bool Sound::Play(bool restart)
{
    SoundEngine* engine = Engine();
    if (!engine)
    {
        return false;
    }
    if (!source)
    {
        source = engine->CreateSource(data, mode == NotPositional, looping);
    }
    else if (restart)
    {
        engine->Stop(source);
    }
    if (source)
    {
        if (volume >= 0.0f)
        {
            source->SetGain(volume);
        }
        if (pitch > 0.0f)
        {
            source->SetPitch(pitch);
        }
        source->SetLooping(looping);
    }
    return engine->Play(source);
}

void Sound::Stop()
{
    if (SoundEngine* engine = Engine(); source)
    {
        engine->Stop(source);
    }
}

void Sound::Pause()
{
    if (SoundEngine* engine = Engine(); source)
    {
        engine->Pause(source);
    }
}

void Sound::Rewind()
{
    if (SoundEngine* engine = Engine(); source)
    {
        engine->Rewind(source);
    }
}

bool Sound::IsPlaying()
{
    SoundEngine* engine = Engine();
    return source && engine->IsPlaying(source);
}

template <class Value>
void Sound::Keep(Value& setting, Value value, bool (SoundSource::*apply)(Value))
{
    setting = value;
    if (Engine(); source)
    {
        (source->*apply)(value);
    }
}

f32 Sound::Current(f32 setting, f32 (SoundSource::*read)() const)
{
    Engine();
    return source ? (source->*read)() : setting;
}

void Sound::SetVolume(f32 value)
{
    if (value < 0.0f)
    {
        return;
    }
    Keep(volume, value, &SoundSource::SetGain);
}

f32 Sound::GetVolume()
{
    return Current(volume, &SoundSource::GetGain);
}

void Sound::SetPitch(f32 value)
{
    if (value <= 0.0f)
    {
        return;
    }
    Keep(pitch, value, &SoundSource::SetPitch);
}

f32 Sound::GetPitch()
{
    return Current(pitch, &SoundSource::GetPitch);
}

void Sound::SetLooping(bool on)
{
    Keep(looping, on, &SoundSource::SetLooping);
}

void Sound::Update(f32 dt)
{
    GameObject::Update(dt);
    SoundEngine* engine = Engine();
    if (!source)
    {
        return;
    }
    source->SetReferenceDistance(intensity);
    if (mode == AtListenerDepth)
    {
        const Camera* listener = Camera::GetActiveListener();
        const f32 z = listener && listener->GetLayer() ? listener->GetLayer()->GetZOrder() : 0.0f;
        source->SetPosition(Math::Vector3D(GetPositionX(), GetPositionY(), z));
    }
    else if (mode == AtLayerDepth)
    {
        const f32 z = GetLayer() ? GetLayer()->GetZOrder() : 0.0f;
        source->SetPosition(Math::Vector3D(GetPositionX(), GetPositionY(), z));
    }
    if (!engine->GetPlayingFlag(source))
    {
        ReleaseSource();
    }
}

void Sound::Destroy()
{
    GameObject::Destroy();
    ReleaseSource();
}

Sound* Sound::Clone() const
{
    auto* copy = new (__FILE__, __LINE__) Sound(fileName, mode, intensity, looping, splitFraction, loadWhole);
    // The original's current values, read without touching its source's state.
    Sound& self = const_cast<Sound&>(*this);
    copy->SetVolume(self.GetVolume());
    copy->SetPitch(self.GetPitch());
    copy->SetName(GetName());
    copy->SetPosition(GetPosition());
    if (LuaScript* script = self.GetScript())
    {
        script->CallHook("OnClone", &self);
    }
    return copy;
}

void Sound::Save(Core::File& file)
{
    GameObject::Save(file);
    Core::WriteString(file, Core::GetFileName(fileName));
    Core::WriteU32(file, static_cast<u32>(mode));
    Core::WriteF32(file, splitFraction);
    Core::WriteU8(file, loadWhole ? 1 : 0);
    Core::WriteF32(file, GetVolume());
    Core::WriteF32(file, GetPitch());
    Core::WriteF32(file, intensity);
    Core::WriteU8(file, looping ? 1 : 0);
    Core::WriteU8(file, IsPlaying() ? 1 : 0);
}

void Sound::Load(Core::File& file)
{
    GameObject::Load(file);
    Core::String name;
    Core::ReadString(file, name);
    u32 storedMode = 0;
    Core::ReadU32(file, storedMode);
    f32 split = 0.0f;
    Core::ReadF32(file, split);
    u8 whole = 0;
    Core::ReadU8(file, whole);
    f32 storedVolume = 0.0f;
    Core::ReadF32(file, storedVolume);
    f32 storedPitch = 0.0f;
    Core::ReadF32(file, storedPitch);
    f32 storedIntensity = 0.0f;
    Core::ReadF32(file, storedIntensity);
    u8 loop = 0;
    Core::ReadU8(file, loop);
    u8 playing = 0;
    Core::ReadU8(file, playing);
    if (file.Failed())
    {
        return;
    }
    // A stored name that would leave the sounds folder loads nothing: the sound stays silent.
    SetSound(ResourceFile("Sounds", name), static_cast<i32>(storedMode), storedIntensity, loop != 0,
             split, whole != 0);
    SetVolume(storedVolume);
    SetPitch(storedPitch);
    if (playing == 1)
    {
        Play(false);
    }
}

void Sound::NetworkSyncSend(Core::File& file)
{
    GameObject::NetworkSyncSend(file);
    Core::WriteF32(file, GetVolume());
    Core::WriteF32(file, GetPitch());
    Core::WriteF32(file, intensity);
    Core::WriteU8(file, looping ? 1 : 0);
    Core::WriteU8(file, IsPlaying() ? 1 : 0);
}

void Sound::NetworkSyncReceive(Core::File& file)
{
    GameObject::NetworkSyncReceive(file);
    f32 receivedVolume = 0.0f;
    f32 receivedPitch = 0.0f;
    f32 receivedIntensity = 0.0f;
    u8 loop = 0;
    u8 playing = 0;
    Core::ReadF32(file, receivedVolume);
    Core::ReadF32(file, receivedPitch);
    Core::ReadF32(file, receivedIntensity);
    Core::ReadU8(file, loop);
    Core::ReadU8(file, playing);
    if (file.Failed())
    {
        return;
    }
    SetLooping(loop != 0);
    intensity = receivedIntensity;
    SetVolume(receivedVolume);
    SetPitch(receivedPitch);
    if (playing == 1 && !IsPlaying())
    {
        Play(true);
    }
    else if (playing == 0)
    {
        Stop();
    }
}
}  // namespace Vellumar
