#include "core/Core_String.h"

#include "core/Core_File.h"

#include <algorithm>
#include <cstring>

namespace Core
{
namespace
{
// Long strings are read in pieces, so a stream that cannot tell its length still never makes the
// reader allocate far beyond what it delivers.
constexpr u32 ReadPiece = 64 * 1024;
} // namespace

String::String(const char* text)
{
    if (text)
        assign(text);
}

String::String(u32 capacity)
{
    reserve(capacity);
}

String& String::operator=(const char* text)
{
    if (text)
        assign(text);
    else
        clear();
    return *this;
}

void String::Resize(u32 n, char c)
{
    resize(n, c);
}

String& String::Erase(u32 pos, i32 count)
{
    const std::size_t length = size();
    if (length > 0 && count > 0 && pos < length && std::size_t(pos) + std::size_t(count) <= length)
        erase(pos, std::size_t(count));
    return *this;
}

String String::SubstringFrom(u32 pos) const
{
    if (empty() || pos > size() - 1)
        return String();
    return String(data() + pos, size() - pos);
}

bool String::EndsWith(const String& suffix) const
{
    if (suffix.size() > size())
        return false;
    return std::memcmp(data() + size() - suffix.size(), suffix.data(), suffix.size()) == 0;
}

WideString String::ToWide() const
{
    WideString wide;
    wide.reserve(size());
    for (char c : *this)
        wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return wide;
}

String operator+(const String& a, const String& b)
{
    String result(static_cast<u32>(a.size() + b.size()));
    result.append(a).append(b);
    return result;
}

String operator+(const String& a, const char* b)
{
    return a + String(b);
}

String operator+(const char* a, const String& b)
{
    return String(a) + b;
}

String operator+(const String& a, char b)
{
    String result(static_cast<u32>(a.size() + 1));
    result.append(a).push_back(b);
    return result;
}

String GetFileName(const String& path)
{
    const std::size_t slash = path.rfind('\\');
    if (slash == String::npos)
        return path;
    return String(path.data() + slash + 1, path.size() - slash - 1);
}

File& WriteString(File& file, const String& text)
{
    const u32 length = static_cast<u32>(text.size());
    WriteU32(file, length);
    if (length != 0)
        file.Write(text.data(), length);
    return file;
}

File& ReadString(File& file, String& target)
{
    u32 length = 0;
    if (!ReadU32(file, length) || length == 0 || !file.CanRead(length))
        return file;
    String buffer;
    while (buffer.size() < length && !file.Failed())
    {
        const u32 done = static_cast<u32>(buffer.size());
        const u32 piece = std::min(ReadPiece, length - done);
        buffer.resize(done + piece);
        file.Read(buffer.data() + done, piece);
    }
    // The bytes up to the first zero byte; all of them were consumed either way.
    target.assign(buffer.c_str());
    return file;
}
} // namespace Core
