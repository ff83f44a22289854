#include "platform/PAL_FileSystem.h"

#include "core/PAL_Path.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

namespace PAL
{
namespace
{
constexpr std::size_t PathBufferSize = 4096;

// The executable's full path; empty when the system does not tell.
std::string_view ExecutablePath(char (&buffer)[PathBufferSize])
{
    const ssize_t length = readlink("/proc/self/exe", buffer, PathBufferSize - 1);
    const std::size_t used = length > 0 ? static_cast<std::size_t>(length) : 0;
    buffer[used] = '\0';
    return std::string_view(buffer, used);
}

const char* CopyInto(char (&target)[PathBufferSize], std::string_view text)
{
    const std::size_t length = std::min(text.size(), PathBufferSize - 1);
    std::memmove(target, text.data(), length);
    target[length] = '\0';
    return target;
}

// The executable's directory or its name, copied into the getter's own buffer.
const char* ExecutablePart(char (&target)[PathBufferSize], bool wantDirectory)
{
    char path[PathBufferSize];
    std::string_view directory;
    std::string_view name;
    SplitPath(ExecutablePath(path), directory, name);
    return CopyInto(target, wantDirectory ? directory : name);
}

// The entry's type bits; 0 when it cannot be read.
mode_t EntryType(const Core::String& path)
{
    struct stat status;
    if (stat(ToOSPath(path.View()).c_str(), &status) != 0)
    {
        return 0;
    }
    return status.st_mode & S_IFMT;
}
}  // namespace

void SplitPath(std::string_view path, std::string_view& directory, std::string_view& name)
{
    const std::size_t separator = path.find_last_of("/\\");
    if (separator == std::string_view::npos)
    {
        directory = path;
        name = path;
        return;
    }
    directory = path.substr(0, separator);
    name = path.substr(separator + 1);
}

const char* GetExecutableDirectory()
{
    static char directoryBuffer[PathBufferSize];
    return ExecutablePart(directoryBuffer, true);
}

const char* GetExecutableName()
{
    static char nameBuffer[PathBufferSize];
    return ExecutablePart(nameBuffer, false);
}

bool IsDirectory(const Core::String& path)
{
    const mode_t type = EntryType(path);
    return type == 0 || type == S_IFDIR;
}

bool IsSystemFile(const Core::String& path)
{
    const mode_t type = EntryType(path);
    return type != S_IFREG && type != S_IFDIR;
}

void ListDirectory(const Core::String& directory, Core::List<Core::String>& entries)
{
    DIR* listing = opendir(ToOSPath(directory.View()).c_str());
    if (!listing)
    {
        return;
    }
    Core::Vector<Core::String> names;
    while (const dirent* entry = readdir(listing))
    {
        names.emplace_back(entry->d_name);
    }
    closedir(listing);
    // The system hands entries out in no useful order; sorted, a listing is the same on every run.
    std::sort(names.begin(), names.end());
    entries.insert(entries.end(), names.begin(), names.end());
}

bool MakeDirectory(const Core::String& path)
{
    const std::string osPath = ToOSPath(path.View());
    if (mkdir(osPath.c_str(), 0755) == 0)
    {
        return true;
    }
    struct stat status{};
    return stat(osPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool ReplaceFile(const Core::String& from, const Core::String& to)
{
    return std::rename(ToOSPath(from.View()).c_str(), ToOSPath(to.View()).c_str()) == 0;
}

bool RemoveFile(const Core::String& path)
{
    return std::remove(ToOSPath(path.View()).c_str()) == 0;
}
}  // namespace PAL
