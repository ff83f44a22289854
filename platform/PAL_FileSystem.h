#pragma once
// The executable's own path, which every resource, save and diagnostic path starts from, and the
// few directory services the framework needs. Paths given here are system paths (see PAL_Path.h).
#include "core/Core_Memory.h"
#include "core/Core_String.h"

#include <string_view>

namespace PAL
{
// The directory of the running executable without a trailing separator. The text lives in a
// process-wide buffer that the next call rewrites.
const char* GetExecutableDirectory();
// The file-name part of the executable's path, in a buffer of its own.
const char* GetExecutableName();

// Splits at the last '/' or '\': the directory before it and the name after it. Without a
// separator both are the whole path.
void SplitPath(std::string_view path, std::string_view& directory, std::string_view& name);

// True for a directory. True as well when the entry cannot be read, so that callers skipping
// everything that is not a plain file skip it.
bool IsDirectory(const Core::String& path);
// True for entries that are neither plain files nor directories (devices, pipes, sockets), and for
// entries that cannot be read.
bool IsSystemFile(const Core::String& path);

// Appends the names of the directory's entries, "." and ".." included, sorted by byte order;
// entries already in the list stay. A directory that cannot be opened adds nothing.
void ListDirectory(const Core::String& directory, Core::List<Core::String>& entries);
// Creates the directory when it does not exist; true when it exists afterwards.
bool MakeDirectory(const Core::String& path);
// Puts the file at from in the place of the one at to in one step: a reader sees the old file or
// the new one, never a part.
bool ReplaceFile(const Core::String& from, const Core::String& to);
// Removes a file; false when there was none.
bool RemoveFile(const Core::String& path);
}  // namespace PAL
