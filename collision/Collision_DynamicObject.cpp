#include "collision/Collision_DynamicObject.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_Ids.h"
#include "collision/Collision_Stream.h"
#include "core/Core_File.h"

#include <algorithm>

namespace Collision2D
{
DynamicObject::DynamicObject() : MainCollisionObject(KindDynamicObject)
{
    candidates.reserve(CandidateGrowth);
}

DynamicObject::DynamicObject(const DynamicObject& other)
    : MainCollisionObject(other), zCollision(other.zCollision), oldPosition(other.oldPosition),
      position(other.position), subStepPosition(other.subStepPosition), offset(other.offset),
      oldOrientation(other.oldOrientation), orientation(other.orientation), sparePosition(other.sparePosition),
      spareOrientation(other.spareOrientation), deltaPosition(other.deltaPosition),
      deltaOrientation(other.deltaOrientation), stepDeltaPosition(other.stepDeltaPosition),
      stepDeltaOrientation(other.stepDeltaOrientation), updateOnIdle(other.updateOnIdle), moved(other.moved),
      steps(other.steps), cellRange(other.cellRange), candidates(other.candidates),
      candidateCapacity(other.candidateCapacity), collisionType(other.collisionType),
      collisionThickness(other.collisionThickness),
      boundingRectangleCheckingTileMap(other.boundingRectangleCheckingTileMap)
{
    std::copy(std::begin(other.canCollid), std::end(other.canCollid), std::begin(canCollid));
    if (other.actor)
    {
        AddCollisionData(other.actor, 0, 0);
        currentAnimation = other.currentAnimation;
        currentFrameIndex = other.currentFrameIndex;
        horizontalFlip = other.horizontalFlip;
        verticalFlip = other.verticalFlip;
    }
}

DynamicObject::~DynamicObject()
{
    ClearCollisionData();
}

DynamicObject* DynamicObject::Clone() const
{
    return new (__FILE__, __LINE__) DynamicObject(*this);
}

void DynamicObject::SetOffset(const Math::Vector2D& newOffset)
{
    position = position + offset - newOffset;
    offset = newOffset;
}

u32 DynamicObject::GetObjectId(u8 layer) const
{
    return MakeObjectId(DynamicObjectBase + static_cast<u32>(slot), layer, zCollision);
}

Math::Vector2D DynamicObject::GetCurrentHotSpot(u32 index) const
{
    if (index >= frameHotSpots.size() || index >= currentHotSpots.size())
        return {};
    return currentHotSpots[index];
}

void DynamicObject::ClearCollisionData()
{
    for (auto* list : {&oldLineSegments, &currentLineSegments, &contactLineSegments})
        list->clear();
    for (auto* list : {&oldCircles, &currentCircles, &contactCircles})
        list->clear();
    for (auto* list : {&oldHotSpots, &currentHotSpots, &contactHotSpots})
        list->clear();
    frameLineSegments.clear();
    frameCircles.clear();
    frameHotSpots.clear();
    selectedFrame = nullptr;
    actor = nullptr;
    currentFrame = nullptr;
}

void DynamicObject::AddCollisionData(const CollisionActor* newActor, i32 animation, i32 frame)
{
    actor = newActor;
    currentFrame = nullptr;
    if (!actor)
        return;
    if (animation >= 0 && frame >= 0)
        currentFrame = actor->GetFrame(static_cast<u32>(animation), static_cast<u32>(frame));
    if (currentFrame)
    {
        oldWorldRectangle = currentFrame->boundingRectangles[NoFlip];
        currentWorldRectangle = oldWorldRectangle;
        sweepRectangle = oldWorldRectangle;
        subStepRectangle = oldWorldRectangle;
    }
    const CollisionActor::LargestFrames largest = actor->FindLargestFrames();
    if (largest.lineSegments)
    {
        for (const DynamicCollisionLineSegment& shape : largest.lineSegments->lineSegments)
            for (auto* list : {&oldLineSegments, &currentLineSegments, &contactLineSegments})
                list->push_back(shape.variants[NoFlip]);
    }
    if (largest.circles)
    {
        for (const DynamicCollisionCircle& shape : largest.circles->circles)
            for (auto* list : {&oldCircles, &currentCircles, &contactCircles})
                list->push_back(shape.variants[NoFlip]);
    }
    if (largest.hotSpots)
    {
        for (const DynamicCollisionHotSpot& shape : largest.hotSpots->hotSpots)
            for (auto* list : {&oldHotSpots, &currentHotSpots, &contactHotSpots})
                list->push_back(shape.variants[NoFlip]);
    }
}

void DynamicObject::SetCollisionActor(const CollisionActor* newActor, i32 animation, i32 frame)
{
    ClearCollisionData();
    AddCollisionData(newActor, animation, frame);
}

void DynamicObject::SetCurrentCollisionFrame(i32 animation, i32 frame, bool hFlip, bool vFlip)
{
    currentAnimation = static_cast<u32>(animation);
    currentFrameIndex = static_cast<u32>(frame);
    horizontalFlip = hFlip ? 1 : 0;
    verticalFlip = vFlip ? 1 : 0;
}

void DynamicObject::AddCandidate(u32 candidateSlot)
{
    if (std::find(candidates.begin(), candidates.end(), candidateSlot) != candidates.end())
        return;
    candidates.push_back(candidateSlot);
    if (candidates.size() >= candidateCapacity)
        candidateCapacity += CandidateGrowth;
}

Math::Vector2D DynamicObject::TransformForward(const Math::Vector2D& p, f32 t) const
{
    return RotateDegrees(p, t * deltaOrientation) + deltaPosition * t;
}

Math::Vector2D DynamicObject::TransformBackward(const Math::Vector2D& p, f32 t) const
{
    return RotateDegrees(p, -(t * deltaOrientation)) - deltaPosition * t;
}

namespace
{
// Values a record may hold: sub-steps are bounded so that a record cannot make a frame's tests run
// without end; the local list lengths are at most what a frame could hold in a stream of that size.
constexpr u32 MaximumStreamedInterpolation = 10000;
constexpr u32 MaximumLocalListLength = 1u << 20;
constexpr u32 MaximumCandidateCapacity = 1u << 20;
} // namespace

void DynamicObject::Save(Core::File& file) const
{
    SaveKind(file);
    Core::WriteU32(file, currentAnimation);
    Core::WriteU32(file, currentFrameIndex);
    Core::WriteU32(file, static_cast<u32>(MaximumInterpolationValue));
    Core::WriteU32(file, static_cast<u32>(slot));
    Core::WriteU8(file, zCollision);
    Stream::WriteVector(file, oldPosition);
    Stream::WriteVector(file, position);
    Stream::WriteVector(file, subStepPosition);
    Core::WriteF32(file, oldOrientation);
    Core::WriteF32(file, orientation);
    Stream::WriteVector(file, sparePosition);
    Core::WriteF32(file, spareOrientation);
    Stream::WriteVector(file, deltaPosition);
    Core::WriteF32(file, deltaOrientation);
    Stream::WriteVector(file, stepDeltaPosition);
    Core::WriteF32(file, stepDeltaOrientation);
    Core::WriteU8(file, updateOnIdle);
    for (u32 length : localListLengths)
        Core::WriteU32(file, length);
    boundingRectangle.Save(file);
    Core::WriteU8(file, horizontalFlip);
    Core::WriteU8(file, verticalFlip);
    Core::WriteU8(file, moved);
    Core::WriteU32(file, static_cast<u32>(steps));
    file.Write(canCollid, StreamedCanCollidEntries);
    Core::WriteI32(file, cellRange.firstColumn);
    Core::WriteI32(file, cellRange.lastColumn);
    Core::WriteI32(file, cellRange.firstRow);
    Core::WriteI32(file, cellRange.lastRow);
    Core::WriteU32(file, candidateCapacity);
    Core::WriteU32(file, static_cast<u32>(candidates.size()));
    for (u32 candidate : candidates)
        Core::WriteU32(file, candidate);
    Core::WriteU8(file, collisionType);
    Core::WriteF32(file, collisionThickness);
    results.Save(file);
    Core::WriteU8(file, boundingRectangleCheckingTileMap);
}

bool DynamicObject::Load(Core::File& file)
{
    u32 interpolation = 0;
    u32 readSlot = 0;
    u32 readSteps = 0;
    if (!LoadKind(file) || !Core::ReadU32(file, currentAnimation) || !Core::ReadU32(file, currentFrameIndex) ||
        !Core::ReadU32(file, interpolation) || !Core::ReadU32(file, readSlot) || !Core::ReadU8(file, zCollision))
        return false;
    if (interpolation < 2 || interpolation > MaximumStreamedInterpolation || readSlot > MaximumDynamicObjects ||
        zCollision == 255)
        return Stream::Reject(file);
    MaximumInterpolationValue = static_cast<i32>(interpolation);
    slot = static_cast<i32>(readSlot);
    if (!Stream::ReadVector(file, oldPosition) || !Stream::ReadVector(file, position) ||
        !Stream::ReadVector(file, subStepPosition) || !Core::ReadF32(file, oldOrientation) ||
        !Core::ReadF32(file, orientation) || !Stream::ReadVector(file, sparePosition) ||
        !Core::ReadF32(file, spareOrientation) || !Stream::ReadVector(file, deltaPosition) ||
        !Core::ReadF32(file, deltaOrientation) || !Stream::ReadVector(file, stepDeltaPosition) ||
        !Core::ReadF32(file, stepDeltaOrientation) || !Core::ReadU8(file, updateOnIdle))
        return false;
    for (u32& length : localListLengths)
    {
        if (!Core::ReadU32(file, length))
            return false;
        if (length > MaximumLocalListLength)
            return Stream::Reject(file);
    }
    if (!boundingRectangle.Load(file) || !Core::ReadU8(file, horizontalFlip) || !Core::ReadU8(file, verticalFlip) ||
        !Core::ReadU8(file, moved) || !Core::ReadU32(file, readSteps))
        return false;
    if (readSteps < 1 || readSteps > MaximumStreamedInterpolation)
        return Stream::Reject(file);
    steps = static_cast<i32>(readSteps);
    if (!file.CanRead(StreamedCanCollidEntries))
        return false;
    file.Read(canCollid, StreamedCanCollidEntries);
    u32 capacity = 0;
    u32 count = 0;
    if (!Core::ReadI32(file, cellRange.firstColumn) || !Core::ReadI32(file, cellRange.lastColumn) ||
        !Core::ReadI32(file, cellRange.firstRow) || !Core::ReadI32(file, cellRange.lastRow) ||
        !Core::ReadU32(file, capacity) || !Core::ReadCount(file, count, 4))
        return false;
    if (capacity > MaximumCandidateCapacity || count > capacity)
        return Stream::Reject(file);
    candidates.assign(count, 0);
    for (u32& candidate : candidates)
    {
        if (!Core::ReadU32(file, candidate))
            return false;
    }
    candidateCapacity = capacity;
    return Core::ReadU8(file, collisionType) && Core::ReadF32(file, collisionThickness) && results.Load(file) &&
           Core::ReadU8(file, boundingRectangleCheckingTileMap);
}
} // namespace Collision2D
