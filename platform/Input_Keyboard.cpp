#include "platform/Input_Keyboard.h"

#include "platform/Input_Bytes.h"
#include "platform/Input_Source.h"

#include <algorithm>

namespace Input
{
namespace
{
// Updates a held key may stay down while the start guard waits.
constexpr i32 GuardUpdates = 120;
// Keys from this virtual key (engine code) on count as keys for AnyKey (GetPressed, GetTriggered);
// below it lie the mouse buttons.
constexpr u32 FirstKeyboardVirtualKey = 6;
constexpr u32 FirstKeyboardEngineKey = 6;

Keyboard* liveKeyboard = nullptr;

// Characters of the digit row and of the OEM punctuation keys (engine codes 155 to 165).
constexpr char DigitShifted[] = ")!@#$%^&*(";
constexpr char OemPlain[] = ";=,-./`[\\]'";
constexpr char OemShifted[] = ":+<_>?~{|}\"";
}  // namespace

CORE_REGISTER_CLASS_WITH_CREATE(Keyboard, "Input::Keyboard")
CORE_REGISTER_CLASS(KeyboardImp, "Input::KeyboardImp")

Core::Object* Keyboard::Create()
{
    return nullptr;
}

KeyboardImp::KeyboardImp() : KeyboardImp(GetSystemSource(), false) {}

KeyboardImp::KeyboardImp(Source& source, bool playback) : playback(playback ? 1 : 0), source(&source) {}

KeyboardImp::~KeyboardImp()
{
    if (liveKeyboard == this)
    {
        liveKeyboard = nullptr;
    }
}

void KeyboardImp::Create(Core::RefPtr<Keyboard>& keyboard)
{
    Create(keyboard, GetSystemSource());
}

void KeyboardImp::Create(Core::RefPtr<Keyboard>& keyboard, Source& source)
{
    KeyboardImp* created = new ("Internal_Keyboard", __LINE__) KeyboardImp(source, false);
    keyboard = created;
    liveKeyboard = created;
}

void KeyboardImp::CreatePlayback(Core::RefPtr<Keyboard>& keyboard)
{
    keyboard = new ("Internal_Keyboard", __LINE__) KeyboardImp(GetSystemSource(), true);
}

Keyboard* GetKeyboard()
{
    return liveKeyboard;
}

void KeyboardImp::Update()
{
    if (playback)
    {
        return;
    }
    u8 sample[VirtualKeyCount];
    source->SampleKeys(sample);
    // A key pressed since the last update reads as down in this one, even when it is up again.
    u8 pressed[VirtualKeyCount];
    source->TakeKeyPresses(pressed);
    for (u32 key = 0; key < VirtualKeyCount; ++key)
    {
        sample[key] |= pressed[key];
    }
    if (guard)
    {
        ++guardFrames;
        const bool anyDown = std::any_of(sample, sample + VirtualKeyCount - 1, [](u8 key) { return (key & KeyDownBit) != 0; });
        if (guardFrames <= GuardUpdates && anyDown)
        {
            return;
        }
        EndStartGuard();
    }
    eventKeys.clear();
    eventRecords.clear();
    // The last record (virtual key 255) is never sampled.
    for (u32 key = 0; key < VirtualKeyCount - 1; ++key)
    {
        if (ApplySample(records[key], (sample[key] & KeyDownBit) != 0))
        {
            eventKeys.push_back(static_cast<u8>(key));
            eventRecords.push_back(records[key]);
        }
    }
}

const KeyState* KeyboardImp::RecordOf(u32 key) const
{
    return key < EngineKeyCount ? &records[VirtualKeyOf(key)] : nullptr;
}

bool KeyboardImp::IsPressed(u32 key) const
{
    const KeyState* record = RecordOf(key);
    return record && record->pressed;
}

bool KeyboardImp::IsTriggered(u32 key) const
{
    const KeyState* record = RecordOf(key);
    return record && record->triggered;
}

bool KeyboardImp::IsDown(u32 key) const
{
    const KeyState* record = RecordOf(key);
    return record && record->down;
}

bool KeyboardImp::IsUp(u32 key) const
{
    const KeyState* record = RecordOf(key);
    return record && record->released;
}

bool KeyboardImp::AnyKey() const
{
    return std::any_of(records + FirstKeyboardVirtualKey, records + VirtualKeyCount,
                       [](const KeyState& record) { return record.pressed != 0; });
}

bool KeyboardImp::FindLowest(u8 KeyState::*flag, u32& key) const
{
    for (u32 code = FirstKeyboardEngineKey; code < EngineKeyCount; ++code)
    {
        if (records[VirtualKeyOf(code)].*flag)
        {
            key = code;
            return true;
        }
    }
    return false;
}

bool KeyboardImp::GetPressed(u32& key) const
{
    return FindLowest(&KeyState::pressed, key);
}

bool KeyboardImp::GetTriggered(u32& key) const
{
    return FindLowest(&KeyState::triggered, key);
}

char KeyboardImp::GetKeyAsChar(u32 key)
{
    const bool shift = IsPressed(EngineKey::LeftShift) || IsPressed(EngineKey::RightShift);
    switch (key)
    {
    case EngineKey::Tab:
        return '\t';
    case EngineKey::Return:
        return '\n';
    case EngineKey::Space:
        return ' ';
    case EngineKey::Multiply:
        return '*';
    case EngineKey::Add:
        return '+';
    case EngineKey::Subtract:
        return '-';
    case EngineKey::Divide:
        return '/';
    case EngineKey::Decimal:
        return source->IsNumLockOn() ? '.' : 0;
    default:
        break;
    }
    if (key >= EngineKey::Digit0 && key <= EngineKey::Digit9)
    {
        const u32 digit = key - EngineKey::Digit0;
        return shift ? DigitShifted[digit] : static_cast<char>('0' + digit);
    }
    if (key >= EngineKey::LetterA && key <= EngineKey::LetterZ)
    {
        // Shift inverts Caps Lock for letters.
        const bool upper = source->IsCapsLockOn() != shift;
        return static_cast<char>((upper ? 'A' : 'a') + (key - EngineKey::LetterA));
    }
    if (key >= EngineKey::Numpad0 && key <= EngineKey::Numpad9)
    {
        return source->IsNumLockOn() ? static_cast<char>('0' + (key - EngineKey::Numpad0)) : 0;
    }
    if (key >= EngineKey::Oem1 && key <= EngineKey::Oem7)
    {
        return (shift ? OemShifted : OemPlain)[key - EngineKey::Oem1];
    }
    return 0;
}

void KeyboardImp::Reset()
{
    std::fill(std::begin(records), std::end(records), KeyState());
    guard = 1;
}

void KeyboardImp::EndStartGuard()
{
    guardFrames = 0;
    guard = 0;
}

void KeyboardImp::SetRecordedState(const u8* block, u32 size)
{
    if (!playback)
    {
        return;
    }
    Reset();
    if (!block)
    {
        return;
    }
    for (u32 offset = 0; size - offset >= RecordedKeySize; offset += RecordedKeySize)
    {
        const u32 key = GetU32(block + offset + 8);
        // Entries from elsewhere may name keys that do not exist.
        if (key < VirtualKeyCount)
        {
            records[key] = GetRecord(block + offset);
        }
    }
}

void KeyboardImp::GetRecordedState(const u8*& block, u32& size)
{
    block = nullptr;
    size = 0;
    if (playback)
    {
        return;
    }
    recordedBlock.clear();
    for (u32 key = 0; key < VirtualKeyCount; ++key)
    {
        if (records[key].IsClear())
        {
            continue;
        }
        u8 entry[RecordedKeySize] = {};
        PutRecord(entry, records[key]);
        PutU32(entry + 8, key);
        recordedBlock.insert(recordedBlock.end(), entry, entry + RecordedKeySize);
    }
    if (!recordedBlock.empty())
    {
        block = recordedBlock.data();
        size = static_cast<u32>(recordedBlock.size());
    }
}

bool KeyboardImp::PopRecordedEvents(Core::Vector<u8>& keys, Core::Vector<KeyState>& recordsOut)
{
    if (eventKeys.empty())
    {
        return false;
    }
    keys = eventKeys;
    recordsOut = eventRecords;
    return true;
}

void KeyboardImp::LoadKeyStates(const Core::Vector<u8>& keys, const Core::Vector<KeyState>& recordsIn)
{
    std::fill(std::begin(records), std::end(records), KeyState());
    // Lists of different lengths do not say which record belongs to which key.
    if (keys.size() != recordsIn.size())
    {
        return;
    }
    for (std::size_t i = 0; i < keys.size(); ++i)
    {
        records[keys[i]] = recordsIn[i];
    }
}
}  // namespace Input
