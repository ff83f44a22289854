#include "core/Core_File.h"
#include "physics/Physics_Globals.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_Stream.h"

namespace Physics2D
{
namespace
{
template <class T>
void WriteReferences(Core::File& file, const T& references)
{
    Core::WriteU32(file, static_cast<u32>(references.size()));
    for (const auto& reference : references)
        file.WriteObject(reference);
}

// Reads a counted list of references of class T; a null entry is refused unless allowNull.
template <class T, class Container>
bool ReadReferences(Core::File& file, Container& references, bool allowNull)
{
    u32 count = 0;
    if (!Core::ReadCount(file, count, 1))
        return false;
    for (u32 i = 0; i < count; ++i)
    {
        Core::RefPtr<T> reference;
        if (!file.ReadObjectInto(reference) || (!reference && !allowNull))
            return false;
        references.push_back(reference);
    }
    return true;
}

// Every free id names an empty slot of the table, once.
bool FreeIdsMatchTable(const Core::Deque<u32>& freeIds, const Core::Vector<Core::RefPtr<RigidBody>>& bodies)
{
    Core::Vector<bool> listed(bodies.size(), false);
    for (u32 id : freeIds)
    {
        if (id == 0 || id > bodies.size() || bodies[id - 1] || listed[id - 1])
            return false;
        listed[id - 1] = true;
    }
    return true;
}
} // namespace

void PhysicsEngine::Save(Core::File& file)
{
    Core::WriteU32(file, StreamMarker);
    file.WriteObject(staticBody);
    WriteIdStack(file, freeIds);
    WriteReferences(file, bodies);
    WriteReferences(file, constrainedBodies);
    WriteReferences(file, joints);
    solver.Save(file);
    Core::WriteU32(file, matchTotal);
    Core::WriteU32(file, matchPerContact);
    for (float value : {Infinity, SimulationStep, SimulationInverseStep, MaximumSimulationStep, Scale, Epsilon})
        Core::WriteF32(file, value);
}

void PhysicsEngine::Load(Core::File& file)
{
    Reset();
    // Bodies and joints write these globals as they load; a stream that fails takes them back.
    const float angularSpeedLimit = AngularSpeedLimit;
    const bool positionPass = PositionPass;
    u32 marker = 0;
    Core::ReadU32(file, marker);

    Core::RefPtr<RigidBody> readStatic;
    Core::Deque<u32> readFreeIds;
    Core::Vector<Core::RefPtr<RigidBody>> readBodies;
    Core::Vector<Core::RefPtr<RigidBody>> readConstrained;
    Core::List<Core::RefPtr<Joint>> readJoints;
    bool valid = file.ReadObjectInto(readStatic) && readStatic && ReadIdStack(file, readFreeIds) &&
                 ReadReferences<RigidBody>(file, readBodies, true) &&
                 ReadReferences<RigidBody>(file, readConstrained, false) &&
                 ReadReferences<Joint>(file, readJoints, false);
    solver.Load(file);
    u32 total = 0;
    u32 perContact = 0;
    Core::ReadU32(file, total);
    Core::ReadU32(file, perContact);
    float globals[6] = {};
    for (float& value : globals)
        Core::ReadF32(file, value);

    valid = valid && !file.Failed() && FreeIdsMatchTable(readFreeIds, readBodies);
    for (const Core::RefPtr<Joint>& joint : readJoints)
        valid = valid && joint->GetBody1() && joint->GetBody2();
    if (!valid)
    {
        // Objects made while reading may have been engines of their own, which claim the global.
        file.SetFailed();
        StaticBody = staticBody;
        AngularSpeedLimit = angularSpeedLimit;
        PositionPass = positionPass;
        return;
    }

    staticBody = readStatic;
    freeIds.swap(readFreeIds);
    bodies.swap(readBodies);
    constrainedBodies.swap(readConstrained);
    joints.swap(readJoints);
    matchTotal = total;
    matchPerContact = perContact;
    Infinity = globals[0];
    SimulationStep = globals[1];
    SimulationInverseStep = globals[2];
    MaximumSimulationStep = globals[3];
    Scale = globals[4];
    Epsilon = globals[5];
    StaticBody = staticBody;
}
} // namespace Physics2D
