#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "math/Math_Vector2D.h"
#include "physics/Physics_Force.h"

namespace Core
{
class File;
}

namespace Physics2D
{
class RigidBody;

// The forces acting on one body. A force's id is its slot index (from 0); a removed force leaves an
// empty slot whose id goes on the free-id stack, and the most recently freed id is reused first.
// Every held force is linked to this container's body.
class Forces : public Core::Base
{
public:
    static constexpr u32 NoForce = 0xFFFFFFFFu;

    Forces() = default;
    Forces(const Forces&) = delete;
    Forces& operator=(const Forces&) = delete;
    ~Forces() override;

    void SetBody(RigidBody* owner) { body = owner; }
    RigidBody* GetBody() const { return body; }

    // Links the force to the body and stores it; NoForce for a null force.
    u32 AddForce(Force* force);
    bool RemoveForce(u32 id);
    bool RemoveAllForces();
    // Adds every force's contribution for dt; forces that finish in this step still count and
    // are removed afterwards.
    void Update(float dt, Math::Vector2D& forceSum, float& torqueSum);

    // Null for an empty slot or an id past the end.
    Force* GetForce(u32 id) const;
    u32 GetSlotCount() const { return static_cast<u32>(forces.size()); }
    u32 GetForceCount() const;
    const Core::Deque<u32>& GetFreeIds() const { return freeIds; }

    // Stream form: the free ids (back to front), then a count and one reference per slot.
    void Save(Core::File& file) const;
    // A free id that is not an empty slot, or a slot that is not a force, fails the stream and
    // leaves the container empty.
    void Load(Core::File& file);

protected:
    const char* GetScriptTypeName() const override { return "Forces"; }

private:
    // Drops the container's hold on a slot; the force no longer points at the body.
    void Release(Core::RefPtr<Force>& slot);

    Core::Vector<Core::RefPtr<Force>> forces;
    Core::Deque<u32> freeIds;
    RigidBody* body = nullptr;
};
} // namespace Physics2D
