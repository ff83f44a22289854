#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Types.h"

#include <functional>
#include <string>
#include <string_view>

namespace Core
{
class File;

using StringBase = std::basic_string<char, std::char_traits<char>, ContainerAllocator<char>>;
using WideString = std::basic_string<char16_t, std::char_traits<char16_t>, ContainerAllocator<char16_t>>;

// The engine's byte string: the standard string with its buffer on the pool.
class String : public StringBase
{
public:
    using StringBase::StringBase;

    String() = default;
    // Null gives the empty string.
    String(const char* text);
    String(const StringBase& other) : StringBase(other) {}
    String(StringBase&& other) noexcept : StringBase(std::move(other)) {}
    String(std::string_view text) : StringBase(text.data(), text.size()) {}
    // Empty, with at least capacity bytes reserved.
    explicit String(u32 capacity);

    String& operator=(const char* text);

    // n > length appends n - length copies of c; otherwise truncates to n.
    void Resize(u32 n, char c);
    // Removes count bytes at pos; unchanged unless the whole range lies inside the string.
    String& Erase(u32 pos, i32 count);
    // The bytes from pos to the end; empty when pos is past the last byte.
    String SubstringFrom(u32 pos) const;
    bool EndsWith(const String& suffix) const;
    // One 16-bit code unit per byte (bytes above 0x7F keep their value, as Latin-1).
    WideString ToWide() const;

    std::string_view View() const { return std::string_view(data(), size()); }
};

String operator+(const String& a, const String& b);
String operator+(const String& a, const char* b);
String operator+(const char* a, const String& b);
String operator+(const String& a, char b);

// The bytes after the last backslash; the whole path without one.
String GetFileName(const String& path);

// Stream form: u32 length (little-endian), then the bytes.
File& WriteString(File& file, const String& text);
// Length 0 leaves target unchanged; the target takes the bytes up to the first zero byte. A length
// beyond the bytes left in the stream fails it: a stream that knows what it has left reads nothing
// and leaves target unchanged; any other one is read in bounded pieces until it runs out, and the
// target takes what came before the end.
File& ReadString(File& file, String& target);
} // namespace Core

template <>
struct std::hash<Core::String>
{
    std::size_t operator()(const Core::String& text) const noexcept
    {
        return std::hash<std::string_view>()(text.View());
    }
};
