#include "core/Core_File.h"

#include "core/PAL_Path.h"

#include <algorithm>
#include <cstring>
#include <sys/stat.h>

namespace Core
{
namespace
{
// The object record's class name, written as a string record without copying the name.
void WriteName(File& file, const char* name)
{
    const u32 length = static_cast<u32>(std::strlen(name));
    WriteU32(file, length);
    if (length != 0)
        file.Write(name, length);
}

template <class T, u32 Size>
void WriteLittleEndian(File& file, T value)
{
    u8 bytes[Size];
    for (u32 i = 0; i < Size; ++i)
        bytes[i] = static_cast<u8>(value >> (8 * i));
    file.Write(bytes, Size);
}

template <class T, u32 Size>
bool ReadLittleEndian(File& file, T& value)
{
    u8 bytes[Size] = {};
    file.Read(bytes, Size);
    value = 0;
    if (file.Failed())
        return false;
    for (u32 i = 0; i < Size; ++i)
        value = static_cast<T>(value | (static_cast<T>(bytes[i]) << (8 * i)));
    return true;
}
} // namespace

void File::WriteObject(Object* object)
{
    if (!object)
    {
        WriteU8(*this, 0);
        return;
    }
    WriteU8(*this, 1);
    auto known = idsByObject.find(object);
    if (known != idsByObject.end())
    {
        WriteName(*this, object->GetClassName());
        WriteU32(*this, known->second);
        return;
    }
    // Registered before Save runs, so a reference back to the object from its own payload is
    // written as a plain reference.
    const u32 id = ++lastId;
    idsByObject.emplace(object, id);
    WriteName(*this, object->GetClassName());
    WriteU32(*this, id);
    object->Save(*this);
}

Object* File::ReadObject()
{
    createdByLastRead = nullptr;
    if (Failed())
        return nullptr;
    u8 present = 0;
    if (!ReadU8(*this, present) || present == 0)
        return nullptr;
    String className;
    ReadString(*this, className);
    u32 id = 0;
    if (!ReadU32(*this, id))
        return nullptr;

    auto known = objectsById.find(id);
    if (known != objectsById.end())
    {
        // A later reference must name the class of the object it points to.
        if (std::strcmp(known->second->GetClassName(), className.c_str()) != 0)
        {
            SetFailed();
            return nullptr;
        }
        return known->second;
    }

    if (readDepth >= MaximumObjectDepth)
    {
        SetFailed();
        return nullptr;
    }
    // An unknown class leaves its payload unread, so nothing after it can be trusted.
    Object* object = CreateObjectByName(className.c_str());
    if (!object)
    {
        SetFailed();
        return nullptr;
    }
    // Registered before Load runs, so references back to the object resolve to it.
    objectsById.emplace(id, object);
    // Held while it loads: a payload that refers back to the object and drops that reference
    // again must not free it under its own Load.
    object->AddReference();
    ++readDepth;
    object->Load(*this);
    --readDepth;
    if (readDepth == 0 && (!discarded.empty() || (Failed() && !held.empty())))
        ReleasePending(object);
    --object->referenceCount;
    createdByLastRead = object;
    return object;
}

void File::Discard(Object* object)
{
    if (!object || object != createdByLastRead)
        return;
    createdByLastRead = nullptr;
    if (readDepth == 0)
    {
        {
            RefPtr<Object> release(object);
        }
        ReleaseHeld();
    }
    else
        discarded.push_back(object);
}

File::~File()
{
    ReleaseHeld();
}

void File::HoldWhileReading(Object* object)
{
    if (!object || object != createdByLastRead)
        return;
    createdByLastRead = nullptr;
    object->AddReference();
    held.push_back(object);
}

void File::ReleasePending(Object* result)
{
    // Every refused object and the result are counted while the refused and held ones go, so each
    // goes exactly once whatever they hold of each other, and the result reaches its caller with
    // the count it had (0 when nothing else holds it). Held objects go only once the stream has
    // failed: a later read could still name them.
    result->AddReference();
    for (Object* object : discarded)
        object->AddReference();
    Vector<Object*> releasing;
    releasing.swap(discarded);
    if (Failed())
    {
        releasing.insert(releasing.end(), held.begin(), held.end());
        held.clear();
    }
    for (Object* object : releasing)
        object->ReleaseReference();
    --result->referenceCount;
}

void File::ReleaseHeld()
{
    Vector<Object*> releasing;
    releasing.swap(held);
    for (Object* object : releasing)
        object->ReleaseReference();
}

bool File::CanRead(u64 count)
{
    if (Failed())
        return false;
    if (count > GetRemainingBytes())
    {
        SetFailed();
        return false;
    }
    return true;
}

void File::ClearObjectTable()
{
    ReleaseHeld();
    idsByObject.clear();
    objectsById.clear();
    lastId = 0;
}

MemoryFile::MemoryFile(const void* bytes, u32 count)
{
    if (bytes && count)
    {
        const u8* first = static_cast<const u8*>(bytes);
        data.assign(first, first + count);
    }
}

void MemoryFile::Write(const void* bytes, u32 count)
{
    if (!bytes || count == 0)
        return;
    const u8* first = static_cast<const u8*>(bytes);
    data.insert(data.end(), first, first + count);
}

void MemoryFile::Read(void* bytes, u32 count)
{
    if (count == 0)
        return;
    const u32 available = Failed() ? 0 : std::min(count, GetRemaining());
    if (available)
        std::memcpy(bytes, data.data() + cursor, available);
    std::memset(static_cast<u8*>(bytes) + available, 0, count - available);
    cursor += available;
    if (available < count)
        SetFailed();
}

DiskFile::DiskFile(const String& name, u32 mode)
{
    Open(name, mode);
}

DiskFile::~DiskFile()
{
    Close();
}

void DiskFile::Open(const String& name, u32 openMode)
{
    Close();
    mode = openMode;
    readSize = 0;
    readPosition = 0;
    const char* flags = openMode == ModeRead ? "rb" : openMode == ModeWrite ? "wb" : nullptr;
    if (!flags)
        return;
    handle = PAL::OpenFile(name.View(), flags);
    if (!handle)
        return;
    if (openMode == ModeRead)
    {
        // Only a regular file is read: a directory opens too, but reports an endless size that
        // would defeat the bounds on counts read from it.
        struct stat status;
        if (fstat(fileno(handle), &status) != 0 || !S_ISREG(status.st_mode))
        {
            std::fclose(handle);
            handle = nullptr;
            return;
        }
        readSize = u64(status.st_size);
    }
    ClearFailed();
}

void DiskFile::Close()
{
    if (handle)
    {
        if (std::fclose(handle) != 0)
            SetFailed();
        handle = nullptr;
    }
    ClearObjectTable();
}

bool DiskFile::Failed() const
{
    return !handle || File::Failed();
}

void DiskFile::Write(const void* bytes, u32 count)
{
    if (count == 0)
        return;
    if (Failed() || mode != ModeWrite || std::fwrite(bytes, 1, count, handle) != count)
        SetFailed();
}

void DiskFile::Read(void* bytes, u32 count)
{
    if (count == 0)
        return;
    std::size_t got = 0;
    if (!Failed() && mode == ModeRead)
        got = std::fread(bytes, 1, count, handle);
    readPosition += got;
    std::memset(static_cast<u8*>(bytes) + got, 0, count - got);
    if (got < count)
        SetFailed();
}

u64 DiskFile::GetRemainingBytes() const
{
    if (Failed() || mode != ModeRead)
        return 0;
    return readSize > readPosition ? readSize - readPosition : 0;
}

void WriteU8(File& file, u8 value)
{
    file.Write(&value, 1);
}

void WriteU16(File& file, u16 value)
{
    WriteLittleEndian<u16, 2>(file, value);
}

void WriteI32(File& file, i32 value)
{
    WriteLittleEndian<u32, 4>(file, static_cast<u32>(value));
}

void WriteU32(File& file, u32 value)
{
    WriteLittleEndian<u32, 4>(file, value);
}

void WriteF32(File& file, f32 value)
{
    u32 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian<u32, 4>(file, bits);
}

void WriteF64(File& file, f64 value)
{
    u64 bits;
    std::memcpy(&bits, &value, sizeof(bits));
    WriteLittleEndian<u64, 8>(file, bits);
}

bool ReadU8(File& file, u8& value)
{
    return ReadLittleEndian<u8, 1>(file, value);
}

bool ReadU16(File& file, u16& value)
{
    return ReadLittleEndian<u16, 2>(file, value);
}

bool ReadI32(File& file, i32& value)
{
    u32 bits = 0;
    const bool ok = ReadLittleEndian<u32, 4>(file, bits);
    value = static_cast<i32>(bits);
    return ok;
}

bool ReadU32(File& file, u32& value)
{
    return ReadLittleEndian<u32, 4>(file, value);
}

bool ReadF32(File& file, f32& value)
{
    u32 bits = 0;
    const bool ok = ReadLittleEndian<u32, 4>(file, bits);
    std::memcpy(&value, &bits, sizeof(value));
    return ok;
}

bool ReadF64(File& file, f64& value)
{
    u64 bits = 0;
    const bool ok = ReadLittleEndian<u64, 8>(file, bits);
    std::memcpy(&value, &bits, sizeof(value));
    return ok;
}

bool ReadCount(File& file, u32& count, u32 bytesPerElement)
{
    if (!ReadU32(file, count) || !file.CanRead(u64(count) * std::max<u32>(bytesPerElement, 1)))
    {
        count = 0;
        return false;
    }
    return true;
}
} // namespace Core
