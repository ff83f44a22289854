#include "physics/Physics_Forces.h"

#include "core/Core_File.h"
#include "physics/Physics_Stream.h"

namespace Physics2D
{
Forces::~Forces()
{
    for (Core::RefPtr<Force>& slot : forces)
        Release(slot);
}

void Forces::Release(Core::RefPtr<Force>& slot)
{
    if (slot && slot->GetBody() == body)
        slot->AttachLoaded(nullptr);
    slot.Reset();
}

u32 Forces::AddForce(Force* force)
{
    if (!force)
        return NoForce;
    force->SetBody(body);
    if (!freeIds.empty())
    {
        const u32 id = freeIds.back();
        freeIds.pop_back();
        forces[id] = force;
        return id;
    }
    forces.emplace_back(force);
    return static_cast<u32>(forces.size() - 1);
}

bool Forces::RemoveForce(u32 id)
{
    if (id >= forces.size() || !forces[id])
        return false;
    Release(forces[id]);
    freeIds.push_back(id);
    return true;
}

bool Forces::RemoveAllForces()
{
    for (u32 id = 0; id < forces.size(); ++id)
    {
        if (!forces[id])
            continue;
        Release(forces[id]);
        freeIds.push_back(id);
    }
    return true;
}

void Forces::Update(float dt, Math::Vector2D& forceSum, float& torqueSum)
{
    for (u32 id = 0; id < forces.size(); ++id)
    {
        Force* force = forces[id];
        if (!force)
            continue;
        const bool alive = force->Update(dt);
        forceSum += force->GetEvaluatedForce();
        torqueSum += force->GetEvaluatedTorque();
        if (!alive)
            RemoveForce(id);
    }
}

Force* Forces::GetForce(u32 id) const
{
    return id < forces.size() ? forces[id].Get() : nullptr;
}

u32 Forces::GetForceCount() const
{
    u32 count = 0;
    for (const Core::RefPtr<Force>& slot : forces)
        count += slot ? 1 : 0;
    return count;
}

void Forces::Save(Core::File& file) const
{
    WriteIdStack(file, freeIds);
    Core::WriteU32(file, static_cast<u32>(forces.size()));
    for (const Core::RefPtr<Force>& slot : forces)
        file.WriteObject(slot);
}

void Forces::Load(Core::File& file)
{
    for (Core::RefPtr<Force>& slot : forces)
        Release(slot);
    forces.clear();
    freeIds.clear();

    Core::Deque<u32> readIds;
    Core::Vector<Core::RefPtr<Force>> readForces;
    u32 count = 0;
    bool valid = ReadIdStack(file, readIds) && Core::ReadCount(file, count, 1);
    for (u32 i = 0; valid && i < count; ++i)
    {
        Core::RefPtr<Force> force;
        valid = file.ReadObjectInto(force);
        readForces.push_back(force);
    }
    Core::Vector<bool> listed(readForces.size(), false);
    for (u32 id : readIds)
    {
        if (!valid || id >= readForces.size() || readForces[id] || listed[id])
        {
            valid = false;
            break;
        }
        listed[id] = true;
    }
    if (!valid)
    {
        file.SetFailed();
        return;
    }
    forces.swap(readForces);
    freeIds.swap(readIds);
    for (Core::RefPtr<Force>& slot : forces)
    {
        if (slot)
            slot->AttachLoaded(body);
    }
}
} // namespace Physics2D
