#pragma once
// One recorded frame of an input replay: what the keyboard and the mouse reported and how long the
// frame took.
#include "core/Core_Memory.h"
#include "core/Core_Types.h"
#include "platform/Input_KeyCodes.h"
#include "platform/Input_Mouse.h"

#include <memory>

namespace Core
{
class File;
}

namespace Vellumar
{
// The keys or buttons that had an event, each with its whole record at the same position.
struct ReplayInputState
{
    Core::Vector<u8> codes;
    Core::Vector<Input::KeyState> records;
};

struct ReplayFrame
{
    u8 keyboardPresent = 0;
    u8 mousePresent = 0;
    Input::MouseReplayFrame mouseState;
    std::unique_ptr<ReplayInputState> keyboard; // null unless present
    std::unique_ptr<ReplayInputState> mouse;    // null unless present
    f32 frameTime = 0.0f;
};

// Every frame but the last one recorded; with none recorded, no frame.
void WriteReplayFrames(Core::File& file, const Core::Vector<ReplayFrame>& frames);
// Appends the stream's frames; false when the stream failed (frames read before stay). A frame
// whose codes and records do not pair up is dropped.
bool ReadReplayFrames(Core::File& file, Core::Vector<ReplayFrame>& frames);

// The replay's seed of the process-wide random generator, restarted when a recording's start
// state is saved and when it is loaded for playback, so that later draws match.
constexpr u32 ReplaySeed = 1;

// Fixed parts of the names of the save folder's files.
inline constexpr const char* ReplayStartSuffix = "_gameSaved";
inline constexpr const char* ReplayDataSuffix = "_replayData";
inline constexpr const char* ReplayStartStateName = "gameSaved_OnReplayStart";
}  // namespace Vellumar
