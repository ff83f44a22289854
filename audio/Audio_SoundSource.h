#pragma once

#include "core/Core_Types.h"
#include "math/Math_Vector3D.h"

#include <atomic>

class SoundData;

// One OpenAL source as the sound engine keeps it: what is attached, how it plays, and the last
// values OpenAL accepted. The engine owns every record; its address is the caller's handle.
class SoundSource
{
public:
    static constexpr u32 KindNone = 0;
    static constexpr u32 KindStatic = 1;
    static constexpr u32 KindIntroAndLoop = 2;
    static constexpr u32 KindStream = 3;

    SoundSource() = default;
    SoundSource(const SoundSource&) = delete;
    SoundSource& operator=(const SoundSource&) = delete;

    bool Create(bool relative, bool looping);
    bool Attach(SoundData* data);
    bool Detach();
    // Back to the start, keeping the play state; a stream is refilled from the start of its data.
    bool Rewind();
    bool Play();
    bool IsActive() const;

    bool SetPosition(const Math::Vector3D& position);
    bool SetGain(float gain);
    bool SetPitch(float pitch);
    bool SetReferenceDistance(float distance);
    // Only a static source loops in OpenAL; the streaming thread loops the other kinds.
    bool SetLooping(bool looping);

    float GetGain() const { return gain; }
    float GetPitch() const { return pitch; }
    float GetReferenceDistance() const { return referenceDistance; }
    const Math::Vector3D& GetPosition() const { return position; }
    SoundData* GetData() const { return data; }
    u32 GetKind() const { return kind; }
    u32 GetName() const { return name; }
    bool IsCreated() const { return created; }
    bool IsListenerRelative() const { return listenerRelative; }
    bool IsLooping() const { return looping; }
    bool GetPlayingFlag() const { return playing; }

private:
    friend class SoundEngine;

    // alSourceStop; on success the playing flag is cleared and a stream is rewound.
    bool StopAndRewind();
    void DeleteSource();
    // Reads one chunk of the attached data into the buffer and queues it; false when the data had
    // no bytes left or OpenAL refused.
    bool RefillAndQueue(u32 buffer);
    // Rewinds the attached data and queues every buffer of it, refilled from the start.
    void QueueFromStart();

    bool created = false;
    u32 kind = KindNone;
    Math::Vector3D position;
    bool listenerRelative = false;
    // Written by the main thread, read by the streaming thread.
    std::atomic<bool> looping{false};
    // Written by both threads; callers poll it to learn that a sound has ended.
    std::atomic<bool> playing{false};
    float gain = 1.0f;
    float pitch = 1.0f;
    float referenceDistance = 0.0f;
    u32 name = 0;
    SoundData* data = nullptr;
};
