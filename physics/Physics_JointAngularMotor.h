#pragma once

#include "physics/Physics_Joint.h"

namespace Physics2D
{
// Drives the angular velocity of body 1 minus that of body 2 towards a speed, with a multiplier
// (an angular acceleration) bounded by ±maximum.
class JointAngularMotor : public Joint
{
    CORE_CLASS(JointAngularMotor)
public:
    JointAngularMotor();
    JointAngularMotor(float degreesPerSecond, float maximum);

    Object* Clone() const override { return new JointAngularMotor(*this); }
    void FillRows(const RowBlock& block) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    float GetSpeed() const { return speed; }
    float GetMaximum() const { return maximum; }

protected:
    const char* GetScriptTypeName() const override { return "JointAngularMotor"; }

private:
    float speed;   // radians per second
    float maximum;
};
} // namespace Physics2D
