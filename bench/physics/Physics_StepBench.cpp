#include "physics/Physics_Force.h"
#include "physics/Physics_PhysicsEngine.h"

#include <benchmark/benchmark.h>

namespace
{
using namespace Physics2D;
using Math::Vector2D;

constexpr float Radius = 0.5f;
constexpr u32 ColumnHeight = 10;

// Discs stacked in columns of ten on a floor at height 0, each touching the disc below it (the
// bottom one touching the floor). Each position pass reports every pair of neighbours that touch, as
// the collision engine would.
struct Stacks
{
    PhysicsEngine engine;
    Core::Vector<u32> ids; // column by column, bottom up

    explicit Stacks(u32 count)
    {
        for (u32 i = 0; i < count; ++i)
        {
            const float x = float(i / ColumnHeight) * 3.0f * Radius;
            const float y = Radius + float(i % ColumnHeight) * 2.0f * Radius;
            Core::RefPtr<RigidBody> body =
                new RigidBody(MassProperties(1.0f, 0.0f, Vector2D()), RigidBody::IntegratorEuler, nullptr, nullptr, nullptr);
            body->SetPosition(Vector2D(x, y));
            body->AddForce(new GravityForce(Vector2D(0.0f, -1.0f), 9.8f));
            ids.push_back(engine.AddRigidBody(body));
        }
        engine.SetContactListUpdate(&Stacks::Report);
        engine.SetContactListUpdateData(this);
    }

    static void Report(PhysicsEngine* engine, void* data)
    {
        const Stacks& stacks = *static_cast<Stacks*>(data);
        for (std::size_t i = 0; i < stacks.ids.size(); ++i)
        {
            const u32 id = stacks.ids[i];
            const Vector2D above = engine->GetRigidBody(id)->GetPosition();
            const bool onFloor = i % ColumnHeight == 0;
            const u32 belowId = onFloor ? 0 : stacks.ids[i - 1];
            const Vector2D below = onFloor ? Vector2D(above.x, -Radius) : engine->GetRigidBody(belowId)->GetPosition();
            const float overlap = 2.0f * Radius - (above.y - below.y);
            if (overlap < -1e-3f)
                continue;
            const float depth = overlap > 0.0f ? overlap : 0.0f;
            const Vector2D point(above.x, (above.y + below.y) * 0.5f);
            engine->AddContact(id, belowId,
                               new Contact(point, Vector2D(0.0f, 1.0f), above + Vector2D(0.0f, depth * 0.5f),
                                           onFloor ? Vector2D() : below - Vector2D(0.0f, depth * 0.5f), depth, 0.3f,
                                           0.5f, onFloor ? 0 : 1));
        }
    }
};

// One frame: the velocity pass and the position pass with the neighbours' contacts; the second
// argument is the solver's iteration count. The "rows" counter is the rows the two passes solved in
// the last frame, so that the time per row can be set beside the time per frame.
void PhysicsStep(benchmark::State& state)
{
    Stacks stacks(u32(state.range(0)));
    stacks.engine.SetAccuracy(u32(state.range(1)));
    const float frame = 1.0f / 60.0f;
    // Settle first, so the timed frames see the steady set of contacts.
    for (int i = 0; i < 30; ++i)
    {
        stacks.engine.Update(frame);
        stacks.engine.PostCollisionUpdate(frame);
    }
    u32 rows = 0;
    for (auto _ : state)
    {
        stacks.engine.Update(frame);
        rows = stacks.engine.GetSolver().GetRowCount();
        stacks.engine.PostCollisionUpdate(frame);
        rows += stacks.engine.GetSolver().GetRowCount();
    }
    state.counters["rows"] = double(rows);
    state.counters["contacts"] = double(stacks.engine.GetContacts().size());
    state.counters["bodies"] = double(state.range(0));
}

BENCHMARK(PhysicsStep)
    ->ArgsProduct({{100, 1000, 5000}, {10, ConstraintSolver::DefaultIterations}})
    ->ArgNames({"discs", "iterations"})
    ->Unit(benchmark::kMillisecond);
} // namespace
