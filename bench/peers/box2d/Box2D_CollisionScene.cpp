// Box2D's side of the collision-detection comparison: the field of Collision_PeerScene.cpp (circles
// of radius 6, one per 40 × 40 units, four walls, 2 units per frame), from the same random numbers.
// Box2D is given it in metres, as its manual asks of a game measured in pixels: every length divided
// by PixelsPerMetre, which makes the circles 0.19 m across the 0.1-10 m its tolerances are made for.
// Box2D finds and updates every touching pair in its step; the listener disables each contact before
// it is solved, so the step detects collisions and moves the circles without resolving them.
#include <box2d/box2d.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <random>
#include <time.h>
#include <vector>

namespace
{
// Processor time of this thread: on a shared machine, the time of the work itself, without the
// time the scheduler gives other processes (both sides of the comparison time themselves so).
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The field in pixels, as Morvane's side has it.
constexpr float RadiusPixels = 6.0f;
constexpr float SpeedPixels = 2.0f;
constexpr float SpacingPixels = 40.0f;
constexpr float PixelsPerMetre = 32.0f;
constexpr float Radius = RadiusPixels / PixelsPerMetre;
constexpr float Speed = SpeedPixels / PixelsPerMetre;
constexpr float Frame = 1.0f / 60.0f;

class DetectOnly : public b2ContactListener
{
public:
    void PreSolve(b2Contact* contact, const b2Manifold*) override { contact->SetEnabled(false); }
};

class Field
{
public:
    explicit Field(int64_t count)
        : sidePixels(SpacingPixels * std::sqrt(float(count))), side(sidePixels / PixelsPerMetre),
          world(b2Vec2(0.0f, 0.0f))
    {
        world.SetAllowSleeping(false);
        world.SetContactListener(&listener);
        b2BodyDef wallsDef;
        b2Body* walls = world.CreateBody(&wallsDef);
        const b2Vec2 corners[4] = {{0, 0}, {side, 0}, {side, side}, {0, side}};
        for (int i = 0; i < 4; ++i)
        {
            b2EdgeShape wall;
            wall.SetTwoSided(corners[i], corners[(i + 1) % 4]);
            walls->CreateFixture(&wall, 0.0f);
        }

        b2CircleShape circle;
        circle.m_radius = Radius;
        std::mt19937 random(2024);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        for (int64_t i = 0; i < count; ++i)
        {
            // Drawn in pixels from the same numbers as Morvane's field, then scaled.
            const float x = (RadiusPixels + unit(random) * (sidePixels - 2 * RadiusPixels)) / PixelsPerMetre;
            const float y = (RadiusPixels + unit(random) * (sidePixels - 2 * RadiusPixels)) / PixelsPerMetre;
            const float angle = unit(random) * 6.2831853f;
            b2BodyDef def;
            def.type = b2_dynamicBody;
            def.position.Set(x, y);
            // Per second, so that one step of 1/60 s moves the circle 2 pixels.
            def.linearVelocity.Set(std::cos(angle) * Speed / Frame, std::sin(angle) * Speed / Frame);
            b2Body* body = world.CreateBody(&def);
            body->CreateFixture(&circle, 1.0f);
            bodies.push_back(body);
        }
    }

    // Times one step, then turns back the circles that crossed a wall.
    void Step(benchmark::State& state)
    {
        const double start = ThreadSeconds();
        world.Step(Frame, 8, 3);
        state.SetIterationTime(ThreadSeconds() - start);
        for (b2Body* body : bodies)
        {
            const b2Vec2 p = body->GetPosition();
            b2Vec2 v = body->GetLinearVelocity();
            if (p.x < Radius || p.x > side - Radius)
                v.x = -v.x;
            if (p.y < Radius || p.y > side - Radius)
                v.y = -v.y;
            body->SetLinearVelocity(v);
        }
    }

    int ContactCount() { return world.GetContactCount(); }

private:
    float sidePixels;
    float side;
    DetectOnly listener;
    b2World world;
    std::vector<b2Body*> bodies;
};

void CollisionScene(benchmark::State& state)
{
    Field field(state.range(0));
    for (auto _ : state)
        field.Step(state);
    state.counters["pairs"] = double(field.ContactCount());
    state.counters["bodies"] = double(state.range(0));
}

BENCHMARK(CollisionScene)->Arg(100)->Arg(1000)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond);
} // namespace
