#pragma once
// The polled keyboard. Once per frame Update samples every key and derives its edge flags; game
// code then asks by engine key code (Input_KeyCodes.h) whether a key is pressed, went down or went
// up. For replays the device hands out the keys that changed; for networked play it hands out a
// snapshot of its key records, which a playback device takes instead of sampling. After creation
// and after Reset a start guard ignores the keyboard until no key is down (or 120 updates have
// passed), so that a key still held from the previous screen is not seen as a new press.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"

namespace Input
{
class Source;

class Keyboard : public Core::Object
{
    CORE_CLASS(Keyboard)

public:
    virtual void Update() = 0;
    virtual bool IsPressed(u32 key) const = 0;
    virtual bool IsTriggered(u32 key) const = 0;
    virtual bool IsDown(u32 key) const = 0;
    virtual bool IsUp(u32 key) const = 0;
    // Any record of virtual keys 6 to 255 pressed.
    virtual bool AnyKey() const = 0;
    // The lowest engine code from 6 to 195 that is pressed (triggered); false when none.
    virtual bool GetPressed(u32& key) const = 0;
    virtual bool GetTriggered(u32& key) const = 0;
    // The character of the key on a US layout with the Shift and Caps Lock state; 0 for keys
    // without one.
    virtual char GetKeyAsChar(u32 key) = 0;
    // Clears every record and arms the start guard.
    virtual void Reset() = 0;
    virtual void EndStartGuard() = 0;
    // Playback devices only: the records become those of the block (12-byte entries).
    virtual void SetRecordedState(const u8* block, u32 size) = 0;
    // Live devices only: every key with a non-zero record as a 12-byte entry, in virtual-key
    // order; null and 0 when there is none. The block stays valid until the next call.
    virtual void GetRecordedState(const u8*& block, u32& size) = 0;
    // The keys that had an event in the last update with their records; false when none.
    virtual bool PopRecordedEvents(Core::Vector<u8>& keys, Core::Vector<KeyState>& records) = 0;
    // All records cleared, then each listed virtual key takes the record at the same position.
    virtual void LoadKeyStates(const Core::Vector<u8>& keys, const Core::Vector<KeyState>& records) = 0;
    // The key that stops a replay.
    virtual void SetKeyCode(u32 key) = 0;
    virtual u32 GetKeyCode() const = 0;
};

// Size of one entry of a recorded keyboard state: record bytes 0 to 4, three zero bytes, the u32
// virtual key (little-endian).
constexpr u32 RecordedKeySize = 12;

class KeyboardImp final : public Keyboard
{
    CORE_CLASS(KeyboardImp)

public:
    // A live device reading the system's keyboard (not made the process-wide keyboard).
    KeyboardImp();
    KeyboardImp(Source& source, bool playback);
    ~KeyboardImp() override;

    // A new live device, stored as the process-wide keyboard.
    static void Create(Core::RefPtr<Keyboard>& keyboard);
    static void Create(Core::RefPtr<Keyboard>& keyboard, Source& source);
    // A device that takes recorded states instead of sampling.
    static void CreatePlayback(Core::RefPtr<Keyboard>& keyboard);

    void Update() override;
    bool IsPressed(u32 key) const override;
    bool IsTriggered(u32 key) const override;
    bool IsDown(u32 key) const override;
    bool IsUp(u32 key) const override;
    bool AnyKey() const override;
    bool GetPressed(u32& key) const override;
    bool GetTriggered(u32& key) const override;
    char GetKeyAsChar(u32 key) override;
    void Reset() override;
    void EndStartGuard() override;
    void SetRecordedState(const u8* block, u32 size) override;
    void GetRecordedState(const u8*& block, u32& size) override;
    bool PopRecordedEvents(Core::Vector<u8>& keys, Core::Vector<KeyState>& records) override;
    void LoadKeyStates(const Core::Vector<u8>& keys, const Core::Vector<KeyState>& records) override;
    void SetKeyCode(u32 key) override { replayStopKey = key; }
    u32 GetKeyCode() const override { return replayStopKey; }

    bool IsPlayback() const { return playback != 0; }

protected:
    const char* GetScriptTypeName() const override { return "KeyboardImp"; }

private:
    // The record of an engine key; null for codes beyond the key table.
    const KeyState* RecordOf(u32 key) const;
    bool FindLowest(u8 KeyState::*flag, u32& key) const;

    KeyState records[VirtualKeyCount];
    u32 playback = 0;
    Core::Vector<u8> eventKeys;
    Core::Vector<KeyState> eventRecords;
    u32 replayStopKey = EngineKey::Escape;
    i32 guardFrames = 0;
    u8 guard = 1;
    Source* source;
    Core::Vector<u8> recordedBlock;
};

// The live keyboard; null when there is none.
Keyboard* GetKeyboard();
}  // namespace Input
