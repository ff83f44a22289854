#pragma once

#include "core/Core_Object.h"
#include "physics/Physics_ConstraintSolver.h"
#include "physics/Physics_Globals.h"
#include "physics/Physics_RigidBody.h"

namespace Core
{
class File;
}

namespace Physics2D
{
// A constraint between two bodies, solved as a few scalar rows. The engine binds the bodies,
// prepares the joint (capturing its rest configuration), and in each pass asks for the row count and
// has the rows filled. FillRows writes exactly GetRows() rows. Inside an engine both bodies are
// always set (a removed body is replaced by the engine's static body).
class Joint : public Core::Object
{
public:
    static constexpr u32 KindNail = 1;
    static constexpr u32 KindHinge = 2;
    static constexpr u32 KindSpring = 3;
    static constexpr u32 KindSlider = 4;
    static constexpr u32 KindFixed = 5;
    static constexpr u32 KindAngularMotor = 6;
    static constexpr u32 KindContact = 7;

    bool IsActive() const { return active; }
    void SetActive(bool value) { active = value; }
    RigidBody* GetBody1() const { return body1; }
    RigidBody* GetBody2() const { return body2; }
    u32 GetKind() const { return kind; }
    u32 GetDeclaredRows() const { return declaredRows; }
    u32 GetRows() const { return rows; }
    float GetCorrectionFactor() const { return correctionFactor; }
    u8 GetFlag() const { return flag; }

    // Captures the rest configuration from the bodies' current placement.
    virtual void Prepare() {}
    // Fixes and returns the rows of the current pass.
    virtual u32 GetRowCount();
    virtual void FillRows(const RowBlock& block) = 0;
    // True when FillRows writes every Jacobian entry, target, regulariser and bound of its rows, so
    // that its block need not be cleared before.
    virtual bool FillsWholeBlock() const { return false; }

protected:
    Joint(u32 kind, u32 declaredRows, float correctionFactor, u8 flag);
    Joint(const Joint&) = default;

    const char* GetScriptTypeName() const override { return "Joint"; }

    // The joint fields of every stream form: kind, declared rows, rows, active, correction factor,
    // the position-pass flag, the joint flag, body 1 and body 2.
    void SaveJoint(Core::File& file);
    // A kind or declared row count other than this class's own fails the stream: the rows this class
    // writes must fit the rows the engine gives it.
    void LoadJoint(Core::File& file);

    // k_β = h⁻¹ × β.
    float CorrectionRate() const;
    // The bodies' orientations in degrees, as the bodies report them.
    float RelativeAngle() const { return body2->GetOrientation() - body1->GetOrientation(); }
    static bool IsStatic(const RigidBody* body) { return body == StaticBody; }

    u32 rows = 0;

private:
    friend class PhysicsEngine;

    void SetBodies(RigidBody* first, RigidBody* second);
    void SetBody1(RigidBody* body) { body1 = body; }
    void SetBody2(RigidBody* body) { body2 = body; }

    u32 kind;
    u32 declaredRows;
    bool active = true;
    float correctionFactor;
    u8 flag;
    Core::RefPtr<RigidBody> body1;
    Core::RefPtr<RigidBody> body2;
    u32 stepMark = 0; // membership mark of the engine's step list
};

// β clamped to [0, 1].
float ClampCorrectionFactor(float factor);

// Helpers shared by the joint kinds.
namespace JointRows
{
// Writes row r's six Jacobian entries.
inline void SetJacobian(const RowBlock& block, u32 row, float a, float b, float c, float d, float e, float f)
{
    float* j = block.jacobian + 6 * std::size_t(row);
    j[0] = a;
    j[1] = b;
    j[2] = c;
    j[3] = d;
    j[4] = e;
    j[5] = f;
}
// The first count rows become rigid and unbounded: regulariser 0, multiplier in [-Infinity, +Infinity].
void SetRigidUnbounded(const RowBlock& block, u32 count);
// a × b = a.x b.y − a.y b.x
inline float Cross(const Math::Vector2D& a, const Math::Vector2D& b)
{
    return a.x * b.y - a.y * b.x;
}
} // namespace JointRows
} // namespace Physics2D
