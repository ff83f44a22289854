#include "physics/Physics_Contact.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Globals.h"

#include <cmath>

namespace Physics2D
{
CORE_REGISTER_CLASS(Contact, "Physics2D::Contact")

namespace
{
constexpr u32 ContactRows = 2;
constexpr u8 ContactJointFlag = 1;

// The vector divided by its length unless that is below the math tolerance, as
// Math::Vector2D::Normalize makes it; inline, for every contact of every frame takes it.
Math::Vector2D Unit(Math::Vector2D v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length < Math::Epsilon)
        return v;
    return Math::Vector2D(v.x / length, v.y / length);
}
} // namespace

Contact::Contact() : Joint(KindContact, ContactRows, 0.0f, ContactJointFlag)
{
}

Contact::Contact(const Math::Vector2D& point, const Math::Vector2D& normal, const Math::Vector2D& referencePosition1,
                 const Math::Vector2D& referencePosition2, float depth, float restitution, float friction, u8 flag)
    : Joint(KindContact, ContactRows, 0.0f, ContactJointFlag), point(point), normal(Unit(normal)),
      referencePosition1(referencePosition1), referencePosition2(referencePosition2), depth(depth),
      restitution(restitution), friction(friction), contactFlag(flag)
{
    tangent = Math::Vector2D(-this->normal.y, this->normal.x);
}

void Contact::Prepare()
{
    displacement1 = GetBody1()->GetPosition() - referencePosition1;
    displacement2 = GetBody2()->GetPosition() - referencePosition2;
}

void Contact::FillRows(const RowBlock& block)
{
    using JointRows::Cross;
    const RigidBody* body1 = GetBody1();
    const RigidBody* body2 = GetBody2();

    worldAnchor1 = point + displacement1;
    worldAnchor2 = point + displacement2;
    leverArm1 = worldAnchor1 - body1->GetCenterOfMass();
    leverArm2 = worldAnchor2 - body2->GetCenterOfMass();
    localAnchor1 = Math::TransformPoint(body1->GetInverseMatrix(), worldAnchor1);
    localAnchor2 = Math::TransformPoint(body2->GetInverseMatrix(), worldAnchor2);

    const Math::Vector2D& n = normal;
    const Math::Vector2D& t = tangent;
    const Math::Vector2D& r1 = leverArm1;
    const Math::Vector2D& r2 = leverArm2;
    const float normal[6] = {n.x, n.y, Cross(r1, n), -n.x, -n.y, -Cross(r2, n)};
    JointRows::SetJacobian(block, 0, normal[0], normal[1], normal[2], normal[3], normal[4], normal[5]);
    JointRows::SetJacobian(block, 1, t.x, t.y, Cross(r1, t), -t.x, -t.y, -Cross(r2, t));

    // The normal velocity feeds only the velocity pass's bounce. It reads the normal row from
    // registers, not back from the block just written.
    if (PositionPass)
    {
        block.target[0] = SimulationInverseStep * depth;
    }
    else
    {
        const float motion[6] = {body1->GetVelocity().x,
                                 body1->GetVelocity().y,
                                 body1->GetAngularVelocity() * Math::DegreesToRadians,
                                 body2->GetVelocity().x,
                                 body2->GetVelocity().y,
                                 body2->GetAngularVelocity() * Math::DegreesToRadians};
        float normalVelocity = 0.0f;
        for (int k = 0; k < 6; ++k)
            normalVelocity += normal[k] * motion[k];
        block.target[0] = -restitution * normalVelocity;
    }
    block.target[1] = 0.0f;
    block.regularizer[0] = 0.0f;
    block.regularizer[1] = 0.0f;
    block.lower[0] = 0.0f;
    block.upper[0] = Infinity;
    block.lower[1] = -friction;
    block.upper[1] = friction;
    block.records[1].normalRow = 0;
    block.records[1].friction = std::fabs(friction);
}

float Contact::UpdateDepth()
{
    currentWorldAnchor1 = Math::TransformPoint(GetBody1()->GetMatrix(), localAnchor1);
    currentWorldAnchor2 = Math::TransformPoint(GetBody2()->GetMatrix(), localAnchor2);
    separationAtFill = worldAnchor2 - worldAnchor1;
    currentSeparation = currentWorldAnchor2 - currentWorldAnchor1;
    if (Math::Dot(separationAtFill, currentSeparation) > 0.0f)
    {
        const float remaining = Math::Dot(currentSeparation, normal);
        return remaining >= 0.0f ? remaining : 0.0f;
    }
    return 0.0f;
}

void Contact::Save(Core::File& file)
{
    SaveJoint(file);
    for (const Math::Vector2D* v : {&point, &normal, &tangent, &referencePosition1, &referencePosition2,
                                    &displacement1, &displacement2, &separationAtFill, &currentSeparation,
                                    &reservedVector})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, reserved1);
    Core::WriteF32(file, reserved2);
    for (const Math::Vector2D* v : {&localAnchor1, &localAnchor2, &worldAnchor1, &worldAnchor2, &currentWorldAnchor1,
                                    &currentWorldAnchor2, &leverArm1, &leverArm2})
        Math::WriteVector2D(file, *v);
    Core::WriteF32(file, depth);
    Core::WriteF32(file, restitution);
    Core::WriteF32(file, friction);
    Core::WriteU8(file, contactFlag);
}

void Contact::Load(Core::File& file)
{
    LoadJoint(file);
    for (Math::Vector2D* v : {&point, &normal, &tangent, &referencePosition1, &referencePosition2, &displacement1,
                              &displacement2, &separationAtFill, &currentSeparation, &reservedVector})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, reserved1);
    Core::ReadF32(file, reserved2);
    for (Math::Vector2D* v : {&localAnchor1, &localAnchor2, &worldAnchor1, &worldAnchor2, &currentWorldAnchor1,
                              &currentWorldAnchor2, &leverArm1, &leverArm2})
        Math::ReadVector2D(file, *v);
    Core::ReadF32(file, depth);
    Core::ReadF32(file, restitution);
    Core::ReadF32(file, friction);
    Core::ReadU8(file, contactFlag);
}
} // namespace Physics2D
