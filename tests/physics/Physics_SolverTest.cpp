#include "Physics_TestSupport.h"

#include "core/Core_File.h"
#include "physics/Physics_ConstraintSolver.h"

namespace
{
using namespace Physics2D;
using PhysicsTest::MakeBody;
using Math::Vector2D;

// A solver over two bodies of unit inverse mass, each with its own accumulator slot.
class PhysicsSolver : public PhysicsTest::Fixture
{
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        first = MakeBody(1.0f, 1.0f, Vector2D());
        second = MakeBody(1.0f, 1.0f, Vector2D(1.0f, 0.0f));
        SimulationStep = 0.02f;
        SimulationInverseStep = 50.0f;
    }

    void TearDown() override
    {
        first->SetAccumulator(nullptr);
        second->SetAccumulator(nullptr);
        Fixture::TearDown();
    }

    // Sizes the solver for the rows, all between the two bodies, with unbounded multipliers.
    void Begin(u32 rows)
    {
        solver.Resize(rows, 2);
        for (u32 i = 0; i < rows; ++i)
        {
            solver.GetRecord(i).body1 = first;
            solver.GetRecord(i).body2 = second;
            RowBlock block = solver.GetRowBlock(i);
            block.lower[0] = -Infinity;
            block.upper[0] = Infinity;
        }
        first->SetAccumulator(solver.GetAccumulator(0));
        second->SetAccumulator(solver.GetAccumulator(1));
    }

    void SetRow(u32 row, std::initializer_list<float> jacobian, float target)
    {
        RowBlock block = solver.GetRowBlock(row);
        std::copy(jacobian.begin(), jacobian.end(), block.jacobian);
        block.target[0] = target;
    }

    ConstraintSolver solver;
    Core::RefPtr<RigidBody> first;
    Core::RefPtr<RigidBody> second;
};

TEST_F(PhysicsSolver, OneRowIsSolvedByItsFirstVisit)
{
    solver.SetPositionPass(true);
    EXPECT_TRUE(PositionPass);
    solver.SetIterations(1);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    // b = h⁻¹ c = 50, s = 2, d = 0.5: λ = d × b.
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 25.0f);
    EXPECT_FLOAT_EQ(first->GetAccumulator()[0], 25.0f);
    EXPECT_FLOAT_EQ(second->GetAccumulator()[0], -25.0f);
    solver.SetPositionPass(false);
    EXPECT_FALSE(PositionPass);
}

TEST_F(PhysicsSolver, VelocityPassCancelsTheFreeApproach)
{
    // Bodies approaching at 2 along x; a row holding their relative speed at 0 must cancel it.
    first->SetVelocity(Vector2D(1.0f, 0.0f));
    second->SetVelocity(Vector2D(-1.0f, 0.0f));
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 0.0f);
    solver.Solve();
    const float h = SimulationStep;
    EXPECT_NEAR(first->GetVelocity().x + first->GetAccumulator()[0] * h, 0.0f, 1e-5f);
    EXPECT_NEAR(second->GetVelocity().x + second->GetAccumulator()[0] * h, 0.0f, 1e-5f);
}

TEST_F(PhysicsSolver, FrictionRowIsBoundByItsNormalRow)
{
    solver.SetPositionPass(true);
    Begin(2);
    // Normal row pulling (target below zero) against a bound of [0, ∞): its multiplier stays 0.
    SetRow(0, {1, 0, 0, -1, 0, 0}, -1.0f);
    solver.GetRowBlock(0).lower[0] = 0.0f;
    SetRow(1, {0, 1, 0, 0, -1, 0}, 3.0f);
    solver.GetRecord(1).normalRow = 0;
    solver.GetRecord(1).friction = 0.5f;
    solver.Solve();
    EXPECT_EQ(solver.GetMultiplier(0), 0.0f);
    EXPECT_EQ(solver.GetMultiplier(1), 0.0f);
    EXPECT_EQ(solver.GetUpperBound(1), 0.0f);

    // A pushing normal row with multiplier 4 lets friction reach ±0.5 × 4.
    Begin(2);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 8.0f / 50.0f);
    solver.GetRowBlock(0).lower[0] = 0.0f;
    SetRow(1, {0, 1, 0, 0, -1, 0}, 3.0f);
    solver.GetRecord(1).normalRow = 0;
    solver.GetRecord(1).friction = 0.5f;
    solver.Solve();
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 4.0f);
    EXPECT_FLOAT_EQ(solver.GetMultiplier(1), 2.0f);
    EXPECT_FLOAT_EQ(solver.GetLowerBound(1), -2.0f);
    solver.SetPositionPass(false);
}

TEST_F(PhysicsSolver, MultipliersStartAtZeroWithoutWarmStart)
{
    solver.SetPositionPass(true);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 25.0f);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 0.5f);
    solver.Solve();
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 12.5f);
    EXPECT_FLOAT_EQ(first->GetAccumulator()[0], 12.5f);
    solver.SetPositionPass(false);
}

TEST_F(PhysicsSolver, StorageGrowsExactlyAndNeverShrinks)
{
    solver.SetPositionPass(true);
    Begin(10);
    for (u32 i = 0; i < 10; ++i)
        SetRow(i, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.SetIterations(0);
    solver.Solve();
    EXPECT_EQ(solver.GetRowCapacity(), 10u);

    Begin(12);
    EXPECT_EQ(solver.GetRowCapacity(), 12u);
    for (u32 i = 0; i < 12; ++i)
        EXPECT_EQ(solver.GetMultiplier(i), 0.0f);
    Begin(10);
    EXPECT_EQ(solver.GetRowCapacity(), 12u);
    EXPECT_EQ(solver.GetRowCount(), 10u);
    solver.SetPositionPass(false);
}

TEST_F(PhysicsSolver, NoIterationsLeaveTheAccumulatorsAlone)
{
    solver.SetIterations(0);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    EXPECT_EQ(first->GetAccumulator()[0], 0.0f);
    EXPECT_EQ(second->GetAccumulator()[0], 0.0f);
}

TEST_F(PhysicsSolver, RowBetweenImmovableBodiesNeverMoves)
{
    first->SetMassProperties(MassProperties(0.0f, 0.0f, Vector2D()));
    second->SetMassProperties(MassProperties(0.0f, 0.0f, Vector2D()));
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    EXPECT_EQ(solver.GetMultiplier(0), 0.0f);
    EXPECT_EQ(first->GetAccumulator()[0], 0.0f);
}

TEST_F(PhysicsSolver, LoadedWarmStartCarriesNineTenthsOfTheMultipliers)
{
    // Warm start and relaxation come only from a stream: one sweep, warm start on, relaxation 0.5.
    Core::MemoryFile stream;
    Core::WriteU32(stream, 1);
    Core::WriteU8(stream, 1);
    Core::WriteF32(stream, 0.5f);
    Core::MemoryFile reading(stream.GetData(), stream.GetSize());
    solver.Load(reading);
    ASSERT_FALSE(reading.Failed());
    EXPECT_TRUE(solver.GetWarmStart());
    EXPECT_EQ(solver.GetRelaxation(), 0.5f);

    solver.SetPositionPass(true);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    // d = relaxation / s = 0.25, b = 50.
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 12.5f);

    // Without sweeps the accumulators hold the warm start alone: 0.9 λ × M⁻¹ Jᵀ.
    solver.SetIterations(0);
    Begin(1);
    SetRow(0, {1, 0, 0, -1, 0, 0}, 1.0f);
    solver.Solve();
    EXPECT_FLOAT_EQ(solver.GetMultiplier(0), 0.9f * 12.5f);
    EXPECT_FLOAT_EQ(first->GetAccumulator()[0], 0.9f * 12.5f);
    EXPECT_FLOAT_EQ(second->GetAccumulator()[0], -0.9f * 12.5f);
    solver.SetPositionPass(false);
}

TEST_F(PhysicsSolver, IterationsAreBounded)
{
    solver.SetIterations(0xFFFFFFFFu);
    EXPECT_EQ(solver.GetIterations(), ConstraintSolver::MaximumIterations);
    solver.SetIterations(3);
    EXPECT_EQ(solver.GetIterations(), 3u);
}

TEST_F(PhysicsSolver, EmptyPassReturnsAtOnce)
{
    Begin(0);
    solver.Solve();
    EXPECT_EQ(first->GetAccumulator()[0], 0.0f);
}
} // namespace
