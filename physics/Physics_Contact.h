#pragma once

#include "math/Math_Vector2D.h"
#include "physics/Physics_Joint.h"

namespace Physics2D
{
// A touching point between two bodies found by the collision engine, solved as two rows: along the
// normal (no pulling; a bounce by the restitution in the velocity pass, the penetration depth in the
// position pass) and along the tangent (friction bounded by the normal multiplier). The normal
// points from body 2 towards body 1.
class Contact : public Joint
{
    CORE_CLASS(Contact)
public:
    // Read from a stream: every vector zero.
    Contact();
    // The reference positions are the bodies' positions when the contact was found; the flag is only
    // stored (1 between two objects' bodies, 0 against static geometry).
    Contact(const Math::Vector2D& point, const Math::Vector2D& normal, const Math::Vector2D& referencePosition1,
            const Math::Vector2D& referencePosition2, float depth, float restitution, float friction, u8 flag);

    Object* Clone() const override { return new Contact(*this); }
    // Displacement of each body since the contact was found.
    void Prepare() override;
    void FillRows(const RowBlock& block) override;
    bool FillsWholeBlock() const override { return true; }
    // The remaining overlap along the normal after the bodies moved, never negative; 0 once the
    // anchors have passed each other.
    float UpdateDepth();
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    const Math::Vector2D& GetPoint() const { return point; }
    const Math::Vector2D& GetNormal() const { return normal; }
    const Math::Vector2D& GetTangent() const { return tangent; }
    const Math::Vector2D& GetReferencePosition1() const { return referencePosition1; }
    const Math::Vector2D& GetReferencePosition2() const { return referencePosition2; }
    void SetReferencePosition1(const Math::Vector2D& value) { referencePosition1 = value; }
    void SetReferencePosition2(const Math::Vector2D& value) { referencePosition2 = value; }
    const Math::Vector2D& GetDisplacement1() const { return displacement1; }
    const Math::Vector2D& GetDisplacement2() const { return displacement2; }
    const Math::Vector2D& GetWorldAnchor1() const { return worldAnchor1; }
    const Math::Vector2D& GetWorldAnchor2() const { return worldAnchor2; }
    float GetDepth() const { return depth; }
    void SetDepth(float value) { depth = value; }
    float GetRestitution() const { return restitution; }
    float GetFriction() const { return friction; }
    u8 GetContactFlag() const { return contactFlag; }

protected:
    const char* GetScriptTypeName() const override { return "Contact"; }

private:
    Math::Vector2D point;
    Math::Vector2D normal;
    Math::Vector2D tangent;
    Math::Vector2D referencePosition1;
    Math::Vector2D referencePosition2;
    Math::Vector2D displacement1;
    Math::Vector2D displacement2;
    Math::Vector2D separationAtFill;
    Math::Vector2D currentSeparation;
    Math::Vector2D reservedVector; // carried by the stream form only
    float reserved1 = 0.0f;
    float reserved2 = 0.0f;
    Math::Vector2D localAnchor1;
    Math::Vector2D localAnchor2;
    Math::Vector2D worldAnchor1;
    Math::Vector2D worldAnchor2;
    Math::Vector2D currentWorldAnchor1;
    Math::Vector2D currentWorldAnchor2;
    Math::Vector2D leverArm1;
    Math::Vector2D leverArm2;
    float depth = 0.0f;
    float restitution = 0.0f;
    float friction = 0.0f;
    u8 contactFlag = 0;
};
} // namespace Physics2D
