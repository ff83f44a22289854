#include "Physics_TestSupport.h"

#include "core/Core_Object.h"
#include "physics/Physics_ODESolver.h"

#include <cmath>

namespace
{
using namespace Physics2D;
using PhysicsTest::Fixture;

void ConstantSlope(float, const float*, float* derivative, u32 count, void* user)
{
    const float* slope = static_cast<const float*>(user);
    for (u32 i = 0; i < count; ++i)
        derivative[i] = slope[i];
}

// x' = x, reading the state it is given (unlike the bodies' derivatives).
void Growth(float, const float* state, float* derivative, u32 count, void*)
{
    for (u32 i = 0; i < count; ++i)
        derivative[i] = state[i];
}

Core::Vector<float> Values(std::initializer_list<float> values)
{
    return Core::Vector<float>(values);
}

TEST(PhysicsIntegrators, EulerTakesOneSlopeStep)
{
    float slope[3] = {1.0f, 1.0f, 1.0f};
    ODESolverEuler euler(&ConstantSlope, Values({1.0f, 2.0f, 3.0f}), slope);
    euler.Step(0.5f);
    EXPECT_EQ(euler.GetState(), Values({1.5f, 2.5f, 3.5f}));
    EXPECT_FLOAT_EQ(euler.GetTime(), 0.5f);
}

TEST(PhysicsIntegrators, HeunWithConstantSlopeIsExact)
{
    float slope[2] = {4.0f, -2.0f};
    ODESolverHeun heun(&ConstantSlope, Values({1.0f, 1.0f}), slope);
    heun.Step(0.25f);
    EXPECT_FLOAT_EQ(heun.GetState()[0], 2.0f);
    EXPECT_FLOAT_EQ(heun.GetState()[1], 0.5f);
}

TEST(PhysicsIntegrators, RungeKuttaUsesTheSinglePrecisionWeight)
{
    float slope[1] = {3.0f};
    ODESolverRungeKuttaN4 rk(&ConstantSlope, Values({0.0f}), slope);
    const float h = 0.1f;
    rk.Step(h);
    const float weight = h * 0.166667f;
    EXPECT_EQ(rk.GetState()[0], (3.0f + 2.0f * 3.0f + 2.0f * 3.0f + 3.0f) * weight);
    // Slightly more than h × slope: the weight is not 1/6.
    EXPECT_GT(rk.GetState()[0], h * 3.0f);
    EXPECT_NEAR(rk.GetState()[0] / (h * 3.0f), 1.000002, 1e-6);
    EXPECT_FLOAT_EQ(rk.GetTime(), h);
}

TEST(PhysicsIntegrators, HigherOrdersTrackExponentialGrowthCloser)
{
    ODESolverEuler euler(&Growth, Values({1.0f}), nullptr);
    ODESolverHeun heun(&Growth, Values({1.0f}), nullptr);
    ODESolverRungeKuttaN4 rk(&Growth, Values({1.0f}), nullptr);
    for (int i = 0; i < 10; ++i)
    {
        euler.Step(0.1f);
        heun.Step(0.1f);
        rk.Step(0.1f);
    }
    const double exact = std::exp(1.0);
    const double eulerError = std::fabs(euler.GetState()[0] - exact);
    const double heunError = std::fabs(heun.GetState()[0] - exact);
    const double rkError = std::fabs(rk.GetState()[0] - exact);
    EXPECT_LT(heunError, eulerError / 10.0);
    EXPECT_LT(rkError, heunError / 10.0);
    EXPECT_LT(rkError, 1e-4);
}

TEST(PhysicsIntegrators, WithoutDerivativeTheStateStays)
{
    Core::RefPtr<Core::Object> made(Core::CreateObjectByName("Physics2D::ODESolverRungeKuttaN4"));
    ASSERT_TRUE(dynamic_cast<ODESolverRungeKuttaN4*>(made.Get()));
    ODESolverHeun heun(nullptr, Values({2.0f, 3.0f}), nullptr);
    heun.Step(1.0f);
    EXPECT_EQ(heun.GetState(), Values({2.0f, 3.0f}));
}

// A body dropped from rest under gravity, stepped at a fixed h, against the closed form of the
// scheme: the velocity integrator gains g·h·c per step and the pose integrator follows the new
// velocity, so v_n = -g h c n and y_n = y0 - g h² c² n(n+1)/2, where c is 1 for Euler and Heun and
// 6 × 0.166667 for the single-precision Runge-Kutta weight.
class PhysicsFalling : public Fixture, public ::testing::WithParamInterface<u32>
{
};

TEST_P(PhysicsFalling, BodyUnderGravityFollowsTheClosedForm)
{
    const u32 kind = GetParam();
    PhysicsEngine engine;
    const float y0 = 100.0f;
    const u32 id = PhysicsTest::AddBody(engine, 2.0f, 1.0f, Math::Vector2D(3.0f, y0), kind);
    PhysicsTest::AddGravity(engine, id);

    const double g = 9.8;
    const double h = 1.0 / 60.0;
    const double c = kind == RigidBody::IntegratorRungeKutta ? 6.0 * double(0.166667f) : 1.0;
    const int steps = 120;
    for (int n = 1; n <= steps; ++n)
    {
        PhysicsTest::Step(engine, float(h));
        const Core::RefPtr<RigidBody> body = engine.GetRigidBody(id);
        const double v = -g * h * c * n;
        const double y = y0 - g * h * h * c * c * n * (n + 1) / 2.0;
        ASSERT_NEAR(body->GetVelocity().y, v, 1e-4 * std::fabs(v) + 1e-5) << "step " << n;
        ASSERT_NEAR(body->GetPosition().y, y, 2e-4 * (y0 - y) + 1e-4) << "step " << n;
        ASSERT_EQ(body->GetPosition().x, 3.0f);
    }
    // Two seconds of free fall, whatever the scheme.
    EXPECT_NEAR(engine.GetRigidBody(id)->GetPosition().y, y0 - 0.5 * g * 4.0, 0.5);
}

INSTANTIATE_TEST_SUITE_P(EachIntegrator, PhysicsFalling,
                         ::testing::Values(RigidBody::IntegratorEuler, RigidBody::IntegratorHeun,
                                           RigidBody::IntegratorRungeKutta),
                         [](const ::testing::TestParamInfo<u32>& info) {
                             return info.param == RigidBody::IntegratorEuler  ? std::string("Euler")
                                    : info.param == RigidBody::IntegratorHeun ? std::string("Heun")
                                                                              : std::string("RungeKutta");
                         });
} // namespace
