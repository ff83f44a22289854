#pragma once

#include "math/Math_Vector2D.h"
#include "physics/Physics_Joint.h"

namespace Physics2D
{
// Welds body 2 to body 1: their offset (in body 1's frame) and relative angle stay as prepared.
class JointFixed : public Joint
{
    CORE_CLASS(JointFixed)
public:
    static constexpr float DefaultCorrectionFactor = 0.7f;

    // β clamped to [0, 1].
    explicit JointFixed(float correctionFactor = DefaultCorrectionFactor);

    Object* Clone() const override { return new JointFixed(*this); }
    void Prepare() override;
    void FillRows(const RowBlock& block) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    float GetRestAngle() const { return restAngle; }
    const Math::Vector2D& GetLocalOffset() const { return localOffset; }

protected:
    const char* GetScriptTypeName() const override { return "JointFixed"; }

private:
    Math::Vector2D localOffset;
    Math::Vector2D offset;
    Math::Vector2D offsetError; // the rotated offset while filling, then the error
    float restAngle = 0.0f;     // degrees
};
} // namespace Physics2D
