#pragma once

#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "math/Math_Vector2D.h"
#include "physics/Physics_ConstraintSolver.h"
#include "physics/Physics_Contact.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_Joint.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_RigidBody.h"

namespace Core
{
class File;
}

namespace Physics2D
{
// Owns the simulated bodies, the joints between them and the contacts of the frame, and advances
// them in two passes per frame: Update (velocities: joints and last frame's contacts, then
// integration) and PostCollisionUpdate (positions: the new contacts push the bodies apart).
//
// A body's id is its table index + 1; 0 names no body; a removed body leaves an empty slot whose
// id goes on the free-id stack, the most recently freed id being reused first. The static body is
// never in the table: it stands in for "no body" on either side of a joint or contact. Between
// passes the step, previous-contact and kept-contact lists are empty.
class PhysicsEngine : public Core::Object
{
    CORE_CLASS(PhysicsEngine)
public:
    // Fills the current contact list through AddContact, once per position pass.
    using ContactListUpdate = void (*)(PhysicsEngine* engine, void* data);

    static constexpr u32 MinimumAccuracy = 10;
    static constexpr u32 DefaultMatchTotal = 500;
    static constexpr u32 DefaultMatchPerContact = 25;
    static constexpr u32 StreamMarker = 245;
    static constexpr u32 NoContact = 0xFFFFFFFFu;

    // Sets Infinity and points StaticBody at the new engine's static body.
    PhysicsEngine();
    ~PhysicsEngine() override;
    PhysicsEngine(const PhysicsEngine&) = delete;
    PhysicsEngine& operator=(const PhysicsEngine&) = delete;

    void SetContactListUpdate(ContactListUpdate callback) { contactListUpdate = callback; }
    ContactListUpdate GetContactListUpdate() const { return contactListUpdate; }
    void SetContactListUpdateData(void* data) { contactListUpdateData = data; }
    void* GetContactListUpdateData() const { return contactListUpdateData; }

    // The new id, or 0 for a null body. Runs the body's placement callback.
    u32 AddRigidBody(RigidBody* body);
    // Joints that used the body fall back to the static body; contacts that used it are dropped.
    bool RemoveRigidBody(u32 id);
    // A copy of the body carrying the given data, added under a new id; 0 when the id names no body.
    u32 CloneRigidBody(u32 id, void* data);
    Core::RefPtr<RigidBody> GetRigidBody(u32 id) const;
    RigidBody* GetStaticBody() const { return staticBody; }
    const Core::Vector<Core::RefPtr<RigidBody>>& GetRigidBodies() const { return bodies; }
    const Core::Deque<u32>& GetFreeIds() const { return freeIds; }

    // A side whose id names no body gets the static body; with neither side a body the joint or
    // contact is refused (null), and released when nothing else holds it.
    Joint* AddJoint(u32 id1, u32 id2, Joint* joint);
    void RemoveJoint(Joint* joint);
    Contact* AddContact(u32 id1, u32 id2, Contact* contact);
    void RemoveContact(Contact* contact);
    const Core::List<Core::RefPtr<Joint>>& GetJoints() const { return joints; }
    const Core::Vector<Core::RefPtr<Contact>>& GetContacts() const { return contacts; }
    const Core::Vector<Core::RefPtr<RigidBody>>& GetConstrainedBodies() const { return constrainedBodies; }

    // Empties the body table and every list; the static body, the solver and the settings stay.
    void Reset();

    // Operations on a body by id; false when the id names no body. Angles in degrees, velocities in
    // scaled units (set ones are multiplied by Scale, read ones divided by it).
    bool SetMassProperties(u32 id, const MassProperties& massProperties);
    bool GetMassProperties(u32 id, MassProperties& massProperties) const;
    bool SetRigidBodyPosition(u32 id, const Math::Vector2D& position);
    bool SetRigidBodyOrientation(u32 id, float degrees);
    bool SetRigidBodyVelocity(u32 id, const Math::Vector2D& velocity);
    bool GetRigidBodyVelocity(u32 id, Math::Vector2D& velocity) const;
    bool SetRigidBodyAngularVelocity(u32 id, float degreesPerSecond);
    bool GetRigidBodyAngularVelocity(u32 id, float& degreesPerSecond) const;
    bool GetRigidBodyCenterOfMass(u32 id, Math::Vector2D& center) const;
    // Without a body the force is released (when nothing else holds it) and false returned.
    bool AddRigidBodyForce(u32 id, Force* force, u32& forceId);
    bool RemoveRigidBodyForce(u32 id, u32 forceId);
    bool RemoveAllRigidBodyForces(u32 id);

    // The solver's iteration count, at least MinimumAccuracy (and at most the solver's maximum).
    void SetAccuracy(u32 iterations);
    u32 GetAccuracy() const { return solver.GetIterations(); }
    // 0 leaves the scale unchanged.
    void SetScale(float scale);
    // Only a positive step is taken.
    void SetMaximumSimulationStep(float step);
    float GetScale() const;
    float GetMaximumSimulationStep() const;
    float GetSimulationStep() const;
    float GetSimulationInverseStep() const;
    float GetEpsilon() const;
    float GetPlusInfinity() const;
    float GetMinusInfinity() const;
    const ConstraintSolver& GetSolver() const { return solver; }

    // The velocity pass.
    void Update(float dt);
    // The position pass: takes the new contacts, keeps the old ones that share a body with them, and
    // moves the bodies out of each other without touching their velocities.
    void PostCollisionUpdate(float dt);

    // Bodies, joints, solver settings and the globals; contacts are not stored.
    void Save(Core::File& file) override;
    // A stream that fails or does not describe a consistent engine (a null static body or joint, a
    // joint without bodies, a free id that is not an empty slot) fails, and leaves the engine without
    // bodies, joints or contacts and the globals as they were.
    void Load(Core::File& file) override;

protected:
    const char* GetScriptTypeName() const override { return "PhysicsEngine"; }

private:
    RigidBody* FindBody(u32 id) const;
    RigidBody* BodyOrStatic(u32 id) const;
    // Takes a fresh mark for one list's membership tests.
    u32 NextMark();

    static void SetStep(float dt);
    void BuildStepList(bool positionForm);
    u32 CollectConstrainedBodies();
    // Row counts and solver sizing for the step list.
    void PrepareRows();
    // Every entry's records get its bodies, it fills its block, and normal-row indices become global.
    void FillRows();
    void AttachAccumulators();
    void DetachAccumulators();
    void MatchPreviousContacts();

    ContactListUpdate contactListUpdate = nullptr;
    void* contactListUpdateData = nullptr;
    Core::RefPtr<RigidBody> staticBody;
    Core::Vector<Core::RefPtr<RigidBody>> bodies;
    Core::Deque<u32> freeIds;
    Core::Vector<Core::RefPtr<RigidBody>> constrainedBodies;
    Core::List<Core::RefPtr<Joint>> joints;
    // Vectors, so that a frame's contacts reuse the storage of the frame before.
    Core::Vector<Core::RefPtr<Contact>> contacts;
    Core::Vector<Core::RefPtr<Contact>> previousContacts;
    // The joints and contacts of the pass, held by the joint and contact lists while it runs.
    Core::Vector<Joint*> stepList;
    Core::Vector<RigidBody*> touchedBodies;
    Core::Vector<Core::RefPtr<Contact>> keptContacts;
    // Matching work: the previous contacts by position, and per position the next one with the same
    // body 1 and with the same body 2 (NoContact ends a chain), and whether it was kept.
    Core::Vector<Contact*> previousByPosition;
    Core::Vector<u32> nextWithBody1;
    Core::Vector<u32> nextWithBody2;
    Core::Vector<u8> kept;
    ConstraintSolver solver;
    u32 matchTotal = DefaultMatchTotal;
    u32 matchPerContact = DefaultMatchPerContact;
    u32 mark = 0;
};
} // namespace Physics2D
