#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

#include <cstdio>

namespace Core
{
// Abstract byte stream with object-graph serialisation: each object's payload is written once per
// stream, later references carry only its id, and the reader recreates objects by class name.
// Reading is bounded: a read past the end, an impossible count, an unknown class name or an object
// of an unexpected class puts the stream in its failed state; a failed stream transfers no more
// bytes (reads give zeros) and reads no more objects.
class File
{
public:
    // Known to no stream: no bound is imposed on reads beyond what the stream can deliver.
    static constexpr u64 UnknownRemaining = ~u64(0);

    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    // Lets go of the objects held for plain-pointer readers.
    virtual ~File();

    virtual void Write(const void* bytes, u32 count) = 0;
    virtual void Read(void* bytes, u32 count) = 0;
    // Presence byte, class name, id, and the payload on the object's first occurrence.
    virtual void WriteObject(Object* object);
    // Null for a null reference, an unknown class or a failed stream. A created object is returned
    // with count 0 (the caller takes the reference) even when its payload turned out truncated.
    virtual Object* ReadObject();

    // Reads a reference that must be to a T (or null) and assigns it to target. An object of
    // another class fails the stream; target is then left unchanged.
    template <class T>
    bool ReadObjectInto(RefPtr<T>& target)
    {
        Object* object = ReadObject();
        if (!object)
        {
            if (Failed())
                return false;
            target.Reset();
            return true;
        }
        T* typed = dynamic_cast<T*>(object);
        if (!typed)
        {
            SetFailed();
            Discard(object);
            return false;
        }
        target.Reset(typed);
        return !Failed();
    }

    // For readers that refuse what a read returned: an object made by the last read is freed once
    // no object of this stream is still loading (freeing it earlier could drop the only reference
    // to one that is, under its reader). An object met before is left to its holders. The stream
    // must have failed, so it never hands the object out again.
    void Discard(Object* object);
    // For readers that keep what a read returned only through a plain pointer (its owner may come
    // later in the stream): an object made by the last read is held while the stream can still
    // hand it out, that is until the stream fails, restarts its numbering or is destroyed; then it
    // goes unless a counted reference took it meanwhile (a stream may name an object that nothing
    // ever owns).
    void HoldWhileReading(Object* object);

    virtual bool Failed() const { return failed; }
    void SetFailed() { failed = true; }

    // Bytes left to read, or UnknownRemaining.
    virtual u64 GetRemainingBytes() const { return UnknownRemaining; }
    // True when count bytes can still be read; otherwise fails the stream. Readers check counts
    // read from the stream with it before allocating.
    bool CanRead(u64 count);

protected:
    // A stream that reopens starts in the good state.
    void ClearFailed() { failed = false; }
    // Streams that restart their numbering (a reopened disk file) clear the table.
    void ClearObjectTable();

private:
    void ReleasePending(Object* result);
    void ReleaseHeld();

    // Deeper nesting of object payloads than this is taken for a hostile stream (it would exhaust
    // the stack).
    static constexpr u32 MaximumObjectDepth = 1000;

    // The object table, indexed both ways; it holds no counted references.
    Map<const Object*, u32> idsByObject;
    Map<u32, Object*> objectsById;
    u32 lastId = 0;
    u32 readDepth = 0;
    Object* createdByLastRead = nullptr; // the object the last ReadObject made, if it made one
    Vector<Object*> discarded;           // refused objects waiting for the outermost read to end
    Vector<Object*> held;                // counted: objects named through plain pointers
    bool failed = false;
};

// Stream over a byte buffer: writes append at the end, reads advance a cursor.
class MemoryFile : public File
{
public:
    MemoryFile() = default;
    MemoryFile(const void* bytes, u32 count);

    void Write(const void* bytes, u32 count) override;
    // Never reads past the data: the part of a read beyond it is zero-filled and fails the stream.
    void Read(void* bytes, u32 count) override;

    u32 GetSize() const { return static_cast<u32>(data.size()); }
    const u8* GetData() const { return data.data(); }
    u32 GetReadPosition() const { return cursor; }
    u32 GetRemaining() const { return static_cast<u32>(data.size()) - cursor; }
    u64 GetRemainingBytes() const override { return GetRemaining(); }

private:
    u32 cursor = 0;
    Vector<u8> data;
};

// Stream over a binary disk file. Paths use the engine's backslashes; they are turned into the
// system's separators when the file is opened.
class DiskFile : public File
{
public:
    static constexpr u32 ModeRead = 0;
    static constexpr u32 ModeWrite = 1;

    DiskFile() = default;
    DiskFile(const String& name, u32 mode);
    ~DiskFile() override;

    // Closes, then opens for reading (0) or creates/truncates for writing (1); another mode opens
    // nothing. A failed opening leaves the stream failed.
    void Open(const String& name, u32 mode);
    // Closes the file and restarts object numbering at 1.
    void Close();
    // True when no file is open or the stream is not good.
    bool Failed() const override;

    void Write(const void* bytes, u32 count) override;
    // A short read zero-fills the rest and fails the stream.
    void Read(void* bytes, u32 count) override;
    u64 GetRemainingBytes() const override;

private:
    std::FILE* handle = nullptr;
    u32 mode = ModeRead;
    u64 readSize = 0;     // size of a file opened for reading
    u64 readPosition = 0; // bytes read so far
};

// Little-endian fields. The readers return false once the stream has failed (the value is then 0).
void WriteU8(File& file, u8 value);
void WriteU16(File& file, u16 value);
void WriteI32(File& file, i32 value);
void WriteU32(File& file, u32 value);
void WriteF32(File& file, f32 value);
void WriteF64(File& file, f64 value);
bool ReadU8(File& file, u8& value);
bool ReadU16(File& file, u16& value);
bool ReadI32(File& file, i32& value);
bool ReadU32(File& file, u32& value);
bool ReadF32(File& file, f32& value);
bool ReadF64(File& file, f64& value);

// Reads a u32 element count and checks that count elements of at least bytesPerElement bytes can
// still be there; an impossible count fails the stream and gives 0.
bool ReadCount(File& file, u32& count, u32 bytesPerElement);
} // namespace Core
