#pragma once
// Extension lists as the drivers report them: one string of names separated by single spaces.
#include "core/Core_Memory.h"
#include "core/Core_String.h"

namespace Renderer
{
// Names longer than this are cut when the window-system list is read.
constexpr u32 MaximumExtensionNameLength = 255;

// Empties names, then appends the names of text in order: every space ends a name, so two spaces
// in a row give an empty name, while a space at the very end adds none. Each name keeps at most
// maxLength bytes. A null text leaves the list empty.
void SplitExtensionNames(const char* text, Core::Vector<Core::String>& names, u32 maxLength = 0xFFFFFFFFu);

// Whether the list holds a name equal, byte for byte, to the given one.
bool HasExtensionName(const Core::Vector<Core::String>& names, const char* name);
}  // namespace Renderer
