#pragma once
// The stream of the networked objects' records: a memory file that the facade fills for a creation,
// list or sync message, or reads a received payload from. Every read is bounded by the payload.
#include "core/Core_File.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"

namespace Vellumar
{
class GameObject;

// A u32 byte count, then the bytes without a NUL. Reading a count of 0 leaves the target as it
// was; a count beyond the stream fails it; an embedded NUL ends the text read.
void WriteNetworkString(Core::File& file, const Core::String& text);
bool ReadNetworkString(Core::File& file, Core::String& text);

class NetworkFile : public Core::MemoryFile
{
public:
    NetworkFile() = default;
    // Over a copy of a received payload.
    NetworkFile(const void* bytes, u32 count) : Core::MemoryFile(bytes, count) {}

    void WriteString(const Core::String& text) { WriteNetworkString(*this, text); }
    bool ReadString(Core::String& text) { return ReadNetworkString(*this, text); }

    // A presence byte, the class name and the object's creation record. Only game objects are
    // made: null for none, for a class nobody registered and for one that is no game object (the
    // stream then fails).
    Core::Object* ReadObject() override;
    virtual void WriteNetworkObject(GameObject* object);
};

// The records a host sends for a networked object, as the facade writes them: the creation record
// (layer index, network name, the object's NetworkSave) of creations and object lists, and the
// state record (the host's count of networked objects, the object's identity, its NetworkSyncSend).
// The object must have a network identity for the state record.
void WriteCreationRecord(NetworkFile& file, GameObject& object, u32 layerIndex);
void WriteStateRecord(NetworkFile& file, GameObject& object, u32 objectCount);

// Lends a stream to an object as its network payload for the length of one record operation.
class LentPayload
{
public:
    LentPayload(GameObject& object, Core::File& file);
    ~LentPayload();
    LentPayload(const LentPayload&) = delete;
    LentPayload& operator=(const LentPayload&) = delete;

private:
    GameObject& object;
};
}  // namespace Vellumar
