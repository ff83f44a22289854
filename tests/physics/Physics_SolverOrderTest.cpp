#include "Physics_TestSupport.h"

#include "core/Core_File.h"
#include "physics/Physics_ConstraintSolver.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

// The solver may visit rows in any order that gives the same floats as the row order. These tests
// hold it to a plain row-order sweep written from the algorithm, bit for bit, on problems whose rows
// share bodies (the static body most of all), refer to normal rows before and after them, and meet
// their bounds.
namespace
{
using namespace Physics2D;
using Math::Vector2D;

struct Problem
{
    struct Row
    {
        u32 body1;
        u32 body2;
        float jacobian[6];
        float target;
        float regularizer;
        float lower;
        float upper;
        i32 normal;
        float friction;
    };
    std::vector<Core::RefPtr<RigidBody>> bodies; // body 0 is immovable
    std::vector<Row> rows;
};

Problem MakeProblem(unsigned seed, u32 bodyCount, u32 rowCount)
{
    std::mt19937 random(seed);
    auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
    Problem problem;
    for (u32 k = 0; k < bodyCount; ++k)
    {
        // Some bodies never move, some never turn (their rows add nothing to their angle).
        const bool immovable = k == 0 || k % 7 == 3;
        const bool turns = !immovable && k % 5 != 1;
        auto body = PhysicsTest::MakeBody(immovable ? 0.0f : uniform(0.5f, 3.0f), turns ? uniform(0.2f, 2.0f) : 0.0f,
                                          Vector2D(uniform(-5, 5), uniform(-5, 5)));
        body->SetVelocity(Vector2D(uniform(-2, 2), uniform(-2, 2)));
        body->SetAngularVelocity(uniform(-90, 90));
        body->AccumulateForces(0.02f);
        problem.bodies.push_back(body);
    }
    // Runs of rows on one pair, as kept contacts make them, most pairs against body 0.
    while (problem.rows.size() < rowCount)
    {
        const u32 body1 = 1 + u32(uniform(0, float(bodyCount - 1)));
        const u32 body2 = uniform(0, 1) < 0.5f ? 0 : u32(uniform(0, float(bodyCount)));
        const u32 copies = 1 + u32(uniform(0, 4));
        for (u32 c = 0; c < copies; ++c)
        {
            for (u32 r = 0; r < 2; ++r)
            {
                Problem::Row row{};
                row.body1 = body1;
                row.body2 = body2 == body1 ? 0 : body2;
                for (float& entry : row.jacobian)
                    entry = uniform(-1, 1);
                row.target = uniform(-1, 1);
                row.regularizer = uniform(0, 1) < 0.2f ? uniform(0, 0.1f) : 0.0f;
                row.lower = r == 0 ? 0.0f : -Infinity;
                row.upper = Infinity;
                // A friction row follows its normal row; now and then a row names a later one.
                row.normal = r == 1 ? i32(problem.rows.size()) - 1 : -1;
                if (r == 0 && uniform(0, 1) < 0.05f)
                    row.normal = i32(problem.rows.size()) + 3;
                row.friction = uniform(0, 1);
                problem.rows.push_back(row);
            }
        }
    }
    problem.rows.resize(rowCount);
    return problem;
}

// Fills the solver with the problem and attaches the accumulators.
void Load(ConstraintSolver& solver, Problem& problem)
{
    solver.Resize(u32(problem.rows.size()), u32(problem.bodies.size()));
    for (u32 i = 0; i < problem.rows.size(); ++i)
    {
        const Problem::Row& row = problem.rows[i];
        RowBlock block = solver.GetRowBlock(i);
        std::copy(row.jacobian, row.jacobian + 6, block.jacobian);
        block.target[0] = row.target;
        block.regularizer[0] = row.regularizer;
        block.lower[0] = row.lower;
        block.upper[0] = row.upper;
        block.records[0].body1 = problem.bodies[row.body1];
        block.records[0].body2 = problem.bodies[row.body2];
        block.records[0].normalRow = row.normal;
        block.records[0].friction = row.friction;
    }
    for (u32 k = 0; k < problem.bodies.size(); ++k)
        problem.bodies[k]->SetAccumulator(solver.GetAccumulator(k));
}

// The algorithm's sweeps in row order, from the same rows and settings; warm holds the multipliers
// a warm start begins from (none without a warm start).
struct Reference
{
    std::vector<float> lambda;
    std::vector<float> lower;
    std::vector<float> upper;
    std::vector<float> accumulators;
};

Reference SweepInRowOrder(const Problem& problem, const std::vector<float>* warm, float relaxation, u32 iterations,
                          bool positionPass)
{
    const u32 n = u32(problem.rows.size());
    const float h = SimulationInverseStep;
    Reference out;
    out.accumulators.assign(3 * problem.bodies.size(), 0.0f);
    auto slot = [&](u32 row, int side) {
        return &out.accumulators[3 * (side == 0 ? problem.rows[row].body1 : problem.rows[row].body2)];
    };
    std::vector<float> j(6 * n), b(6 * n), rhs(n), reg(n), diagonal(n);
    for (u32 i = 0; i < n; ++i)
    {
        const Problem::Row& row = problem.rows[i];
        out.lower.push_back(row.lower);
        out.upper.push_back(row.upper);
        const RigidBody* bodies[2] = {problem.bodies[row.body1], problem.bodies[row.body2]};
        float free[6];
        float pattern[6];
        for (int side = 0; side < 2; ++side)
        {
            const RigidBody& body = *bodies[side];
            const MassProperties& mass = body.GetMassProperties();
            free[3 * side] = mass.GetInverseMass() * body.GetForceSum().x + h * body.GetVelocity().x;
            free[3 * side + 1] = mass.GetInverseMass() * body.GetForceSum().y + h * body.GetVelocity().y;
            free[3 * side + 2] = mass.GetInverseInertia() * body.GetTorqueSum() + h * body.GetAngularVelocityRadians();
            pattern[3 * side] = pattern[3 * side + 1] = mass.GetInverseMass();
            pattern[3 * side + 2] = mass.GetInverseInertia();
        }
        float dot = 0.0f;
        for (int k = 0; k < 6; ++k)
            dot += row.jacobian[k] * free[k];
        rhs[i] = positionPass ? h * row.target : h * row.target - dot;
        reg[i] = h * row.regularizer;
        for (int k = 0; k < 6; ++k)
            b[6 * i + k] = pattern[k] * row.jacobian[k];
    }
    out.lambda.assign(n, 0.0f);
    if (warm)
    {
        for (u32 i = 0; i < n; ++i)
            out.lambda[i] = 0.9f * (*warm)[i];
        for (u32 i = 0; i < n; ++i)
        {
            for (int k = 0; k < 3; ++k)
            {
                slot(i, 0)[k] += out.lambda[i] * b[6 * i + k];
                slot(i, 1)[k] += out.lambda[i] * b[6 * i + 3 + k];
            }
        }
    }
    for (u32 i = 0; i < n; ++i)
    {
        float s = 0.0f;
        for (int k = 0; k < 6; ++k)
            s += problem.rows[i].jacobian[k] * b[6 * i + k];
        s = s + reg[i];
        const float d = s == 0.0f ? 0.0f : relaxation / s;
        for (int k = 0; k < 6; ++k)
            j[6 * i + k] = d * problem.rows[i].jacobian[k];
        rhs[i] = d * rhs[i];
        diagonal[i] = reg[i] * d;
    }
    std::vector<float>& lambda = out.lambda;
    std::vector<float>& lower = out.lower;
    std::vector<float>& upper = out.upper;
    for (u32 iteration = 0; iteration < iterations; ++iteration)
    {
        for (u32 i = 0; i < n; ++i)
        {
            const float* ji = &j[6 * i];
            float* a1 = slot(i, 0);
            float* a2 = slot(i, 1);
            float delta = rhs[i] - lambda[i] * diagonal[i];
            delta = delta - (ji[0] * a1[0] + ji[1] * a1[1] + ji[2] * a1[2]);
            delta = delta - (ji[3] * a2[0] + ji[4] * a2[1] + ji[5] * a2[2]);
            const i32 normal = problem.rows[i].normal;
            if (normal >= 0 && u32(normal) < n)
            {
                upper[i] = lambda[normal] * problem.rows[i].friction;
                lower[i] = -upper[i];
            }
            const float candidate = lambda[i] + delta;
            if (candidate < lower[i])
            {
                delta = lower[i] - lambda[i];
                lambda[i] = lower[i];
            }
            else if (candidate > upper[i])
            {
                delta = upper[i] - lambda[i];
                lambda[i] = upper[i];
            }
            else
            {
                lambda[i] = candidate;
            }
            for (int k = 0; k < 3; ++k)
            {
                a1[k] += delta * b[6 * i + k];
                a2[k] += delta * b[6 * i + 3 + k];
            }
        }
    }
    return out;
}

u32 Bits(float value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class PhysicsSolverOrder : public PhysicsTest::Fixture
{
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        SimulationStep = 0.02f;
        SimulationInverseStep = 50.0f;
    }

    // Solves the problem (after a first solve that leaves multipliers for a warm start, when set)
    // and compares every multiplier, bound and accumulator with the row-order sweeps.
    void Check(Problem problem, u32 iterations, bool positionPass, bool warm)
    {
        ConstraintSolver solver;
        Core::MemoryFile stream;
        Core::WriteU32(stream, iterations);
        Core::WriteU8(stream, warm ? 1 : 0);
        Core::WriteF32(stream, warm ? 0.8f : 1.0f);
        Core::MemoryFile reading(stream.GetData(), stream.GetSize());
        solver.Load(reading);
        solver.SetPositionPass(positionPass);

        std::vector<float> start(problem.rows.size(), 0.0f);
        if (warm)
        {
            Load(solver, problem);
            solver.Solve();
            for (u32 i = 0; i < start.size(); ++i)
                start[i] = solver.GetMultiplier(i);
        }
        Load(solver, problem);
        solver.Solve();

        const Reference reference =
            SweepInRowOrder(problem, warm ? &start : nullptr, warm ? 0.8f : 1.0f, iterations, positionPass);
        Compare(solver, problem, reference);
        solver.SetPositionPass(false);
    }

    // Every multiplier, bound and accumulator of the solver against the row-order sweeps; detaches
    // the bodies.
    static void Compare(ConstraintSolver& solver, Problem& problem, const Reference& reference)
    {
        for (u32 i = 0; i < problem.rows.size(); ++i)
        {
            ASSERT_EQ(Bits(solver.GetMultiplier(i)), Bits(reference.lambda[i])) << "row " << i;
            ASSERT_EQ(Bits(solver.GetLowerBound(i)), Bits(reference.lower[i])) << "row " << i;
            ASSERT_EQ(Bits(solver.GetUpperBound(i)), Bits(reference.upper[i])) << "row " << i;
        }
        for (u32 k = 0; k < problem.bodies.size(); ++k)
        {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(Bits(solver.GetAccumulator(k)[c]), Bits(reference.accumulators[3 * k + c])) << "body " << k;
            problem.bodies[k]->SetAccumulator(nullptr);
        }
    }
};
} // namespace

TEST_F(PhysicsSolverOrder, SweepsMatchTheRowOrderBitForBit)
{
    for (unsigned seed = 1; seed <= 6; ++seed)
    {
        SCOPED_TRACE(seed);
        Check(MakeProblem(seed, 2 + 7 * seed, 40 * seed), 10 + seed, seed % 2 == 0, seed % 3 == 0);
    }
}

TEST_F(PhysicsSolverOrder, SweepsWithoutWideVectorsMatchTheRowOrderBitForBit)
{
    ConstraintSweeps::SetWideVectors(false);
    for (unsigned seed = 1; seed <= 6; ++seed)
    {
        SCOPED_TRACE(seed);
        Check(MakeProblem(seed, 2 + 7 * seed, 40 * seed), 10 + seed, seed % 2 == 0, seed % 3 == 0);
    }
    Problem problem = MakeProblem(5, 12, 60);
    problem.rows[6].body2 = 0;
    problem.rows[6].normal = -1;
    problem.rows[6].target = std::numeric_limits<float>::infinity();
    problem.rows[6].upper = std::numeric_limits<float>::infinity();
    Check(problem, 4, true, false);
    ConstraintSweeps::SetWideVectors(true);
}

TEST_F(PhysicsSolverOrder, ManyRowsOnTheStaticBodyMatchTheRowOrder)
{
    // Every row against body 0, which never moves: the rows wait for nothing but their own body.
    Problem problem = MakeProblem(11, 30, 400);
    for (Problem::Row& row : problem.rows)
        row.body2 = 0;
    Check(problem, 20, false, true);
}

TEST_F(PhysicsSolverOrder, AStepThatIsNotFiniteSpoilsTheStaticBodyAsTheRowOrderDoes)
{
    // An infinite target makes the step infinite: its product with the static side's zero is NaN,
    // which the row order adds into the static body's accumulator and every later row reads.
    Problem problem = MakeProblem(5, 12, 60);
    Problem::Row& row = problem.rows[6];
    row.body2 = 0;
    row.normal = -1;
    row.target = std::numeric_limits<float>::infinity();
    row.upper = std::numeric_limits<float>::infinity();
    Check(problem, 4, true, false);
}

TEST_F(PhysicsSolverOrder, ARowOnOneBodyTwiceMatchesTheRowOrder)
{
    Problem problem = MakeProblem(8, 9, 80);
    problem.rows[10].body2 = problem.rows[10].body1;
    Check(problem, 6, false, false);
}

TEST_F(PhysicsSolverOrder, OrderIsNotKeptForRowsThatChanged)
{
    // The same number of rows and bodies, other pairs: the second solve must not sweep in the
    // first one's order.
    ConstraintSolver solver;
    solver.SetIterations(8);
    Problem first = MakeProblem(21, 15, 120);
    Load(solver, first);
    solver.Solve();
    for (const Core::RefPtr<RigidBody>& body : first.bodies)
        body->SetAccumulator(nullptr);
    Problem second = MakeProblem(22, 15, 120);
    Load(solver, second);
    solver.Solve();
    Compare(solver, second, SweepInRowOrder(second, nullptr, 1.0f, 8, false));
}

TEST_F(PhysicsSolverOrder, PassesOfChangingRowCountsMatchTheRowOrder)
{
    // Rows are prepared straight into the places of the pass before: fewer rows, more rows and the
    // same rows again must each still give the row order's floats.
    ConstraintSolver solver;
    solver.SetIterations(7);
    for (const auto& [seed, rows] : {std::pair{31u, 120u}, {32u, 80u}, {31u, 120u}, {31u, 120u}, {33u, 160u}})
    {
        SCOPED_TRACE(seed);
        Problem problem = MakeProblem(seed, 15, rows);
        Load(solver, problem);
        solver.Solve();
        Compare(solver, problem, SweepInRowOrder(problem, nullptr, 1.0f, 7, false));
    }
}

TEST_F(PhysicsSolverOrder, AChainOnFewBodiesMatchesTheRowOrderWhateverTheIterations)
{
    // Few bodies for many rows: levels of one or two rows, whose iterations the sweeps overlap.
    // Some normal rows come after the friction rows that read them.
    for (u32 iterations : {1u, 2u, 3u, 75u})
    {
        SCOPED_TRACE(iterations);
        Problem problem = MakeProblem(40 + iterations, 4, 240);
        for (u32 i = 1; i + 4 < problem.rows.size(); i += 9)
            problem.rows[i].normal = i32(i + 4);
        Check(problem, iterations, iterations % 2 == 1, iterations > 2);
    }
}

TEST_F(PhysicsSolverOrder, TheSameRowsUnderAnotherIterationCountMatchTheRowOrder)
{
    ConstraintSolver solver;
    Problem problem = MakeProblem(51, 5, 150);
    for (u32 iterations : {10u, 75u, 10u, 11u})
    {
        SCOPED_TRACE(iterations);
        solver.SetIterations(iterations);
        Load(solver, problem);
        solver.Solve();
        Compare(solver, problem, SweepInRowOrder(problem, nullptr, 1.0f, iterations, false));
    }
}

TEST_F(PhysicsSolverOrder, TheSameRowsPassAfterPassMatchTheRowOrder)
{
    // Passes whose order stands take their normal rows' places and their copies of an immovable
    // body as the rows are staged: every pass, warm or not, must still give the row order's floats.
    ConstraintSolver solver;
    solver.SetIterations(9);
    Problem problem = MakeProblem(12, 20, 200);
    for (u32 i = 0; i < problem.rows.size(); i += 3)
        problem.rows[i].body2 = 0;
    for (int pass = 0; pass < 3; ++pass)
    {
        SCOPED_TRACE(pass);
        Load(solver, problem);
        solver.Solve();
        Compare(solver, problem, SweepInRowOrder(problem, nullptr, 1.0f, 9, false));
    }
}
