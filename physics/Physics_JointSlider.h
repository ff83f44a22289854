#pragma once

#include "math/Math_Vector2D.h"
#include "physics/Physics_Joint.h"

namespace Physics2D
{
// Lets body 2 slide relative to body 1 along an axis fixed in body 1, keeping their relative angle
// and their offset across the axis.
class JointSlider : public Joint
{
    CORE_CLASS(JointSlider)
public:
    JointSlider();
    // The axis is a world direction at the time the joint is added; β is clamped to [0, 1].
    JointSlider(const Math::Vector2D& worldAxis, float correctionFactor);

    Object* Clone() const override { return new JointSlider(*this); }
    void Prepare() override;
    void FillRows(const RowBlock& block) override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    float GetRestAngle() const { return restAngle; }
    const Math::Vector2D& GetLocalOffset() const { return localOffset; }

protected:
    const char* GetScriptTypeName() const override { return "JointSlider"; }

private:
    Math::Vector2D localAxis;
    Math::Vector2D worldAxis; // the setup axis; the axis in the world as of the last fill
    Math::Vector2D localOffset;
    Math::Vector2D halfOffset;
    Math::Vector2D offsetError;
    float restAngle = 0.0f; // degrees
};
} // namespace Physics2D
