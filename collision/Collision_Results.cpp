#include "collision/Collision_Results.h"

#include "collision/Collision_Stream.h"
#include "core/Core_File.h"

namespace Collision2D
{
namespace
{
// Growth steps read from a stream are small.
constexpr u32 MaximumGrowthStep = 1u << 10;

constexpr u32 ContactRecordBytes = 124;
constexpr u32 RectangleRecordBytes = 32;
constexpr u32 GeometryRecordMinimumBytes = 20 + 4 * 4 + 4;
constexpr u32 TileMapRecordMinimumBytes = 20 + 5 * 4;
constexpr u32 NewEntryBytes = 37;
constexpr u32 StaticEntryBytes = 17;

// First capacities of a new block's pools, of a geometry record's sub-pools and of a tile-map
// record's entry pools.
constexpr u32 InitialContacts = 5;
constexpr u32 InitialTileMaps = 20;
constexpr u32 InitialSubRecords = 5;
constexpr u32 InitialEntries = 20;

// Records, sub-records and entries one allocated record brings with it.
template <class Record>
constexpr u32 RecordWeight = 1;
template <>
constexpr u32 RecordWeight<DGEO_C> = 1 + 2 * InitialSubRecords;
template <>
constexpr u32 RecordWeight<TMAP_C> = 1 + 2 * InitialEntries;
} // namespace

// What one block read from a stream may allocate, every record, sub-record and entry counting
// one. A new block holds 890, and a block only grows when a frame's contacts fill one of its pools
// (by 5 records, 55 for geometry records, 205 for tile-map records); a stream whose capacities ask
// for more than the maximum is refused, so that no block of a hostile stream allocates more than
// about 1.2 MB (8192 contact records of 144 bytes, the largest per record counted).
class ResultsLoadBudget
{
public:
    static constexpr u64 MaximumRecords = 8192;

    // Takes records from what is left; false, with the stream failed, when not that many are.
    bool Take(Core::File& file, u64 records)
    {
        if (records > left)
            return Stream::Reject(file);
        left -= records;
        return true;
    }

private:
    u64 left = MaximumRecords;
};

namespace
{
// Counts the record at index count; when the count reaches the capacity, the pool grows by step
// default records and the capacity with it, so the record at the new count is always there.
template <class Record, class Count>
void Commit(Core::Vector<Record>& pool, Count& count, Count& capacity, Count step)
{
    ++count;
    if (count >= capacity)
    {
        pool.resize(pool.size() + static_cast<std::size_t>(step));
        capacity += step;
    }
}

// The record at index, about to be written: the reset must restore it.
template <class Record>
Record& Touch(Core::Vector<Record>& pool, i32 index, i32& touched)
{
    if (touched <= index)
        touched = index + 1;
    return pool[static_cast<std::size_t>(index)];
}

bool ReadCapacityAndCount(Core::File& file, u32& capacity, u32& count)
{
    if (!Core::ReadU32(file, capacity) || !Core::ReadU32(file, count))
        return false;
    if (count >= capacity)
        return Stream::Reject(file);
    return true;
}

// A pool in its stream form: capacity, count, the counted records.
template <class Record, class Count>
void SavePool(Core::File& file, const Core::Vector<Record>& pool, Count capacity, Count count)
{
    Core::WriteU32(file, static_cast<u32>(capacity));
    Core::WriteU32(file, static_cast<u32>(count));
    for (Count i = 0; i < count; ++i)
        pool[static_cast<std::size_t>(i)].Save(file);
}

template <class Record>
bool LoadRecord(Core::File& file, Record& record, ResultsLoadBudget&)
{
    return record.Load(file);
}

bool LoadRecord(Core::File& file, DGEO_C& record, ResultsLoadBudget& budget)
{
    return record.Load(file, budget);
}

bool LoadRecord(Core::File& file, TMAP_C& record, ResultsLoadBudget& budget)
{
    return record.Load(file, budget);
}

// Reads a pool written by SavePool into capacity records.
template <class Record, class Count>
bool LoadPool(Core::File& file, Core::Vector<Record>& pool, Count& capacity, Count& count, u32 minimumRecordBytes,
              ResultsLoadBudget& budget)
{
    u32 readCapacity = 0;
    u32 readCount = 0;
    if (!ReadCapacityAndCount(file, readCapacity, readCount) ||
        !budget.Take(file, u64(readCapacity) * RecordWeight<Record>) ||
        !file.CanRead(u64(readCount) * minimumRecordBytes))
        return false;
    Core::Vector<Record> loaded(readCapacity);
    for (u32 i = 0; i < readCount; ++i)
    {
        if (!LoadRecord(file, loaded[i], budget))
            return false;
    }
    pool.swap(loaded);
    capacity = static_cast<Count>(readCapacity);
    count = static_cast<Count>(readCount);
    return true;
}

template <class Count>
bool LoadGrowthStep(Core::File& file, Count& step)
{
    u32 value = 0;
    if (!Core::ReadU32(file, value))
        return false;
    if (value < 1 || value > MaximumGrowthStep)
        return Stream::Reject(file);
    step = static_cast<Count>(value);
    return true;
}

void SaveEntryBase(Core::File& file, const TMAP_DATA_BASE& entry)
{
    Core::WriteU8(file, entry.id);
    Core::WriteI32(file, entry.cellX);
    Core::WriteI32(file, entry.cellY);
    Core::WriteI32(file, entry.collisionSide);
    Core::WriteI32(file, entry.hotSpotIndex);
}

bool LoadEntryBase(Core::File& file, TMAP_DATA_BASE& entry)
{
    return Core::ReadU8(file, entry.id) && Core::ReadI32(file, entry.cellX) && Core::ReadI32(file, entry.cellY) &&
           Core::ReadI32(file, entry.collisionSide) && Core::ReadI32(file, entry.hotSpotIndex);
}

// Entries are plain structs; these wrap them for the pool templates.
struct NewEntryIo
{
    static void Save(Core::File& file, const TMAP_DATA& entry)
    {
        SaveEntryBase(file, entry);
        Stream::WriteVector(file, entry.position);
        Stream::WriteVector(file, entry.normal);
        Core::WriteF32(file, entry.zAngle);
    }
    static bool Load(Core::File& file, TMAP_DATA& entry)
    {
        return LoadEntryBase(file, entry) && Stream::ReadVector(file, entry.position) &&
               Stream::ReadVector(file, entry.normal) && Core::ReadF32(file, entry.zAngle);
    }
};

struct StaticEntryIo
{
    static void Save(Core::File& file, const TMAP_DATA_BASE& entry) { SaveEntryBase(file, entry); }
    static bool Load(Core::File& file, TMAP_DATA_BASE& entry) { return LoadEntryBase(file, entry); }
};

template <class Io, class Entry>
bool LoadEntries(Core::File& file, Core::Vector<Entry>& entries, u32 count, u32 capacity, u32 entryBytes)
{
    if (!file.CanRead(u64(count) * entryBytes))
        return false;
    Core::Vector<Entry> loaded(capacity);
    for (u32 i = 0; i < count; ++i)
    {
        if (!Io::Load(file, loaded[i]))
            return false;
    }
    entries.swap(loaded);
    return true;
}
} // namespace

void COLLISION_C::Save(Core::File& file) const
{
    Core::WriteU32(file, id);
    Stream::WriteVector(file, contactPosition);
    Core::WriteF32(file, contactOrientation);
    Core::WriteF32(file, penetrationDistance);
}

bool COLLISION_C::Load(Core::File& file)
{
    partnerUserData = nullptr;
    return Core::ReadU32(file, id) && Stream::ReadVector(file, contactPosition) &&
           Core::ReadF32(file, contactOrientation) && Core::ReadF32(file, penetrationDistance);
}

void ShapeContact::Save(Core::File& file) const
{
    COLLISION_C::Save(file);
    for (i32 i = 0; i < MaximumContactPoints; ++i)
    {
        Stream::WriteVector(file, contactPoint[i]);
        Stream::WriteVector(file, normal[i]);
        Core::WriteU32(file, myCircleUserId[i]);
        Core::WriteU32(file, myLineSegmentUserId[i]);
    }
    Core::WriteI32(file, numberOfIntersectedPoints);
    Core::WriteU32(file, userId);
}

bool ShapeContact::Load(Core::File& file)
{
    if (!COLLISION_C::Load(file))
        return false;
    for (i32 i = 0; i < MaximumContactPoints; ++i)
    {
        if (!Stream::ReadVector(file, contactPoint[i]) || !Stream::ReadVector(file, normal[i]) ||
            !Core::ReadU32(file, myCircleUserId[i]) || !Core::ReadU32(file, myLineSegmentUserId[i]))
            return false;
    }
    if (!Core::ReadI32(file, numberOfIntersectedPoints) || !Core::ReadU32(file, userId))
        return false;
    if (numberOfIntersectedPoints < 0 || numberOfIntersectedPoints > MaximumContactPoints)
        return Stream::Reject(file);
    return true;
}

void ShapeContact::ClearPoints()
{
    numberOfIntersectedPoints = 0;
    for (i32 i = 0; i < MaximumContactPoints; ++i)
    {
        myCircleUserId[i] = EmptyUserId;
        myLineSegmentUserId[i] = EmptyUserId;
    }
}

void BRECT_C::Save(Core::File& file) const
{
    Core::WriteU32(file, id);
    rectangleIntersection.Save(file);
    Stream::WriteVector(file, contactPosition);
    Core::WriteF32(file, contactOrientation);
}

bool BRECT_C::Load(Core::File& file)
{
    partnerUserData = nullptr;
    return Core::ReadU32(file, id) && rectangleIntersection.Load(file) && Stream::ReadVector(file, contactPosition) &&
           Core::ReadF32(file, contactOrientation);
}

DGEO_C::DGEO_C() : lineSegments(InitialSubRecords), circles(InitialSubRecords)
{
}

void DGEO_C::Save(Core::File& file) const
{
    COLLISION_C::Save(file);
    SavePool(file, lineSegments, buffer_LineSegments, currentLineSegmentsNumber);
    SavePool(file, circles, buffer_Circles, currentCirclesNumber);
    Core::WriteI32(file, deltaBuffer);
}

bool DGEO_C::Load(Core::File& file)
{
    ResultsLoadBudget budget;
    return Load(file, budget);
}

bool DGEO_C::Load(Core::File& file, ResultsLoadBudget& budget)
{
    const bool loaded =
        COLLISION_C::Load(file) &&
        LoadPool(file, lineSegments, buffer_LineSegments, currentLineSegmentsNumber, ContactRecordBytes, budget) &&
        LoadPool(file, circles, buffer_Circles, currentCirclesNumber, ContactRecordBytes, budget) &&
        LoadGrowthStep(file, deltaBuffer);
    touchedLineSegments = static_cast<i32>(lineSegments.size());
    touchedCircles = static_cast<i32>(circles.size());
    return loaded;
}

LNS_C& DGEO_C::NextLineSegment()
{
    return Touch(lineSegments, currentLineSegmentsNumber, touchedLineSegments);
}

CIR_C& DGEO_C::NextCircle()
{
    return Touch(circles, currentCirclesNumber, touchedCircles);
}

void DGEO_C::CommitLineSegmentResult()
{
    Commit(lineSegments, currentLineSegmentsNumber, buffer_LineSegments, deltaBuffer);
}

void DGEO_C::CommitCircleResult()
{
    Commit(circles, currentCirclesNumber, buffer_Circles, deltaBuffer);
}

TMAP_C::TMAP_C() : newEntries(InitialEntries), staticEntries(InitialEntries)
{
}

void TMAP_C::Save(Core::File& file) const
{
    COLLISION_C::Save(file);
    Core::WriteU32(file, deltaBuffer);
    Core::WriteU32(file, currentNewIdsNumber);
    Core::WriteU32(file, currentStaticIdsNumber);
    Core::WriteU32(file, buffer_NewIds);
    Core::WriteU32(file, buffer_StaticIds);
    for (u32 i = 0; i < currentNewIdsNumber; ++i)
        NewEntryIo::Save(file, newEntries[i]);
    for (u32 i = 0; i < currentStaticIdsNumber; ++i)
        StaticEntryIo::Save(file, staticEntries[i]);
}

bool TMAP_C::Load(Core::File& file)
{
    ResultsLoadBudget budget;
    return Load(file, budget);
}

bool TMAP_C::Load(Core::File& file, ResultsLoadBudget& budget)
{
    u32 step = 0;
    u32 newCount = 0;
    u32 staticCount = 0;
    u32 newCapacity = 0;
    u32 staticCapacity = 0;
    if (!COLLISION_C::Load(file) || !LoadGrowthStep(file, step) || !Core::ReadU32(file, newCount) ||
        !Core::ReadU32(file, staticCount) || !Core::ReadU32(file, newCapacity) || !Core::ReadU32(file, staticCapacity))
        return false;
    if (newCount >= newCapacity || staticCount >= staticCapacity)
        return Stream::Reject(file);
    if (!budget.Take(file, u64(newCapacity) + staticCapacity) ||
        !LoadEntries<NewEntryIo>(file, newEntries, newCount, newCapacity, NewEntryBytes) ||
        !LoadEntries<StaticEntryIo>(file, staticEntries, staticCount, staticCapacity, StaticEntryBytes))
        return false;
    deltaBuffer = step;
    currentNewIdsNumber = newCount;
    currentStaticIdsNumber = staticCount;
    buffer_NewIds = newCapacity;
    buffer_StaticIds = staticCapacity;
    return true;
}

void TMAP_C::AddNewEntry(TMAP_DATA entry)
{
    Commit(newEntries, currentNewIdsNumber, buffer_NewIds, deltaBuffer);
    newEntries[currentNewIdsNumber - 1] = entry;
}

void TMAP_C::AddStaticEntry(TMAP_DATA_BASE entry)
{
    Commit(staticEntries, currentStaticIdsNumber, buffer_StaticIds, deltaBuffer);
    staticEntries[currentStaticIdsNumber - 1] = entry;
}

CollisionResults::CollisionResults()
    : rectangles(InitialContacts), geometries(InitialContacts), circles(InitialContacts), lineSegments(InitialContacts),
      tileMaps(InitialTileMaps)
{
}

BRECT_C& CollisionResults::NextRectangle()
{
    return rectangles[static_cast<std::size_t>(currentBRECTNumber)];
}

DGEO_C& CollisionResults::NextGeometry()
{
    return Touch(geometries, currentDGEONumber, touchedGeometries);
}

CIR_C& CollisionResults::NextCircle()
{
    return Touch(circles, currentCIRNumber, touchedCircles);
}

LNS_C& CollisionResults::NextLineSegment()
{
    return Touch(lineSegments, currentLNSNumber, touchedLineSegments);
}

TMAP_C& CollisionResults::NextTileMap()
{
    return Touch(tileMaps, currentTMAPNumber, touchedTileMaps);
}

namespace
{
// Only slot 0 of a geometry sub-record names an own shape.
template <class Record>
void MarkFirstSlots(Core::Vector<Record>& pool, i32& touched)
{
    for (i32 i = 0; i < touched; ++i)
    {
        pool[static_cast<std::size_t>(i)].myLineSegmentUserId[0] = EmptyUserId;
        pool[static_cast<std::size_t>(i)].myCircleUserId[0] = EmptyUserId;
    }
    touched = 0;
}

template <class Record>
void ClearPoints(Core::Vector<Record>& pool, i32& touched)
{
    for (i32 i = 0; i < touched; ++i)
        pool[static_cast<std::size_t>(i)].ClearPoints();
    touched = 0;
}
} // namespace

void CollisionResults::Reset()
{
    currentBRECTNumber = 0;
    for (i32 i = 0; i < touchedGeometries; ++i)
    {
        DGEO_C& geometry = geometries[static_cast<std::size_t>(i)];
        MarkFirstSlots(geometry.circles, geometry.touchedCircles);
        MarkFirstSlots(geometry.lineSegments, geometry.touchedLineSegments);
        geometry.currentLineSegmentsNumber = 0;
        geometry.currentCirclesNumber = 0;
    }
    touchedGeometries = 0;
    currentDGEONumber = 0;
    ClearPoints(circles, touchedCircles);
    currentCIRNumber = 0;
    ClearPoints(lineSegments, touchedLineSegments);
    currentLNSNumber = 0;
    for (i32 i = 0; i < touchedTileMaps; ++i)
    {
        tileMaps[static_cast<std::size_t>(i)].currentNewIdsNumber = 0;
        tileMaps[static_cast<std::size_t>(i)].currentStaticIdsNumber = 0;
    }
    touchedTileMaps = 0;
    currentTMAPNumber = 0;
}

void CollisionResults::CommitRectangleResult()
{
    Commit(rectangles, currentBRECTNumber, buffer_BRECT, deltaBuffer);
}

void CollisionResults::CommitGeometryResult()
{
    Commit(geometries, currentDGEONumber, buffer_DGEO, deltaBuffer);
}

void CollisionResults::CommitCircleResult()
{
    Commit(circles, currentCIRNumber, buffer_CIR, deltaBuffer);
}

void CollisionResults::CommitLineSegmentResult()
{
    Commit(lineSegments, currentLNSNumber, buffer_LNS, deltaBuffer);
}

void CollisionResults::CommitTileMapResult()
{
    Commit(tileMaps, currentTMAPNumber, buffer_TMAP, deltaBuffer);
}

void CollisionResults::Save(Core::File& file) const
{
    SavePool(file, rectangles, buffer_BRECT, currentBRECTNumber);
    SavePool(file, geometries, buffer_DGEO, currentDGEONumber);
    SavePool(file, circles, buffer_CIR, currentCIRNumber);
    SavePool(file, lineSegments, buffer_LNS, currentLNSNumber);
    SavePool(file, tileMaps, buffer_TMAP, currentTMAPNumber);
    Core::WriteI32(file, deltaBuffer);
    Core::WriteI32(file, buffer_Extra);
}

bool CollisionResults::Load(Core::File& file)
{
    ResultsLoadBudget budget;
    const bool loaded =
        LoadPool(file, rectangles, buffer_BRECT, currentBRECTNumber, RectangleRecordBytes, budget) &&
        LoadPool(file, geometries, buffer_DGEO, currentDGEONumber, GeometryRecordMinimumBytes, budget) &&
        LoadPool(file, circles, buffer_CIR, currentCIRNumber, ContactRecordBytes, budget) &&
        LoadPool(file, lineSegments, buffer_LNS, currentLNSNumber, ContactRecordBytes, budget) &&
        LoadPool(file, tileMaps, buffer_TMAP, currentTMAPNumber, TileMapRecordMinimumBytes, budget) &&
        LoadGrowthStep(file, deltaBuffer) && Core::ReadI32(file, buffer_Extra);
    // Whatever was read may differ from reset records.
    touchedGeometries = static_cast<i32>(geometries.size());
    touchedCircles = static_cast<i32>(circles.size());
    touchedLineSegments = static_cast<i32>(lineSegments.size());
    touchedTileMaps = static_cast<i32>(tileMaps.size());
    return loaded;
}
} // namespace Collision2D
