// Box2D's side of the stacked-discs comparison: the scene of Morvane's physics benchmark (discs of
// radius 0.5 and mass 1 stacked ten high in columns 1.5 apart on a floor at height 0, gravity 9.8,
// restitution 0.3, friction 0.5, no rotation), stepped at 1/60 s with sleeping off. That scene is in
// metres already (discs 1 m across under 9.8 m/s², inside the 0.1-10 m Box2D's tolerances are made
// for), so Box2D takes its lengths as they are.
//
// Rows: each touching point is two rows of Box2D's velocity solver (normal and friction) and one of
// its position solver; the "rows" counter is their sum per step, to set beside the rows of Morvane's
// two passes.
#include <box2d/box2d.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace
{
constexpr float Radius = 0.5f;
constexpr int ColumnHeight = 10;
constexpr float Frame = 1.0f / 60.0f;
constexpr int VelocityIterations = 8;
constexpr int PositionIterations = 3;

std::unique_ptr<b2World> MakeStacks(int count)
{
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, -9.8f));
    world->SetAllowSleeping(false);

    const int columns = (count + ColumnHeight - 1) / ColumnHeight;
    b2BodyDef groundDef;
    b2Body* ground = world->CreateBody(&groundDef);
    b2EdgeShape floor;
    floor.SetTwoSided(b2Vec2(-2.0f * Radius, 0.0f), b2Vec2(float(columns) * 3.0f * Radius + 2.0f * Radius, 0.0f));
    ground->CreateFixture(&floor, 0.0f);

    b2CircleShape disc;
    disc.m_radius = Radius;
    b2FixtureDef fixture;
    fixture.shape = &disc;
    fixture.density = 1.0f / (b2_pi * Radius * Radius);
    fixture.friction = 0.5f;
    fixture.restitution = 0.3f;
    for (int i = 0; i < count; ++i)
    {
        b2BodyDef def;
        def.type = b2_dynamicBody;
        def.fixedRotation = true;
        def.position.Set(float(i / ColumnHeight) * 3.0f * Radius, Radius + float(i % ColumnHeight) * 2.0f * Radius);
        world->CreateBody(&def)->CreateFixture(&fixture);
    }
    return world;
}

void StackedDiscs(benchmark::State& state)
{
    std::unique_ptr<b2World> world = MakeStacks(int(state.range(0)));
    for (int i = 0; i < 30; ++i)
        world->Step(Frame, VelocityIterations, PositionIterations);
    for (auto _ : state)
        world->Step(Frame, VelocityIterations, PositionIterations);
    int points = 0;
    for (b2Contact* contact = world->GetContactList(); contact; contact = contact->GetNext())
    {
        if (contact->IsTouching() && contact->IsEnabled())
            points += contact->GetManifold()->pointCount;
    }
    state.counters["contacts"] = double(world->GetContactCount());
    state.counters["rows"] = double(3 * points);
    state.counters["bodies"] = double(state.range(0));
}

BENCHMARK(StackedDiscs)->Arg(100)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
} // namespace
