// Particle systems: emission by rate with its remainder, ageing and the death rule, motion under
// gravity and inherited motion, one-shot systems, WarmUp and Reset, the vertex records, the
// emitters' shapes and the saved records.
#include "Framework_GameFixture.h"
#include "Framework_RoundTrip.h"

#include "core/Core_Random.h"
#include "framework/drawables/Vellumar_ParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace FrameworkTest;
using Vellumar::ParticleSystem;

namespace
{
class ParticleTest : public ::testing::Test
{
protected:
    void SetUp() override { Core::SeedRandom(1); }

    // A pool that sends every particle along +x at the given speed with a life of one second.
    static Core::RefPtr<ParticleSystem> MakeSystem(u32 count, f32 rate, f32 speed = 0.0f,
                                                   const Math::Vector2D& gravity = Math::Vector2D())
    {
        Core::RefPtr<ParticleSystem> system(new ParticleSystem("spark.png", count, 64.0f, gravity));
        system->SetEmitter(new Vellumar::PointEmitter(Math::Point2D(), 0.0f, 0.0f));
        system->SetEmissionRate(rate, rate);
        system->SetParticleSpeed(speed, speed);
        return system;
    }

    static u32 Alive(const ParticleSystem& system)
    {
        const auto& particles = system.GetParticles();
        return static_cast<u32>(std::count_if(particles.begin(), particles.end(), [](const auto& p) { return p.alive; }));
    }

    static const f32* Vertex(const ParticleSystem& system, u32 index)
    {
        return system.GetVertexArray() + index * ParticleSystem::VertexFloats;
    }
};
}  // namespace

TEST_F(ParticleTest, RateRemainderAndFreeSlotsDecideHowManyAreEmitted)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(8, 10.0f);
    system->Update(0.05f);
    EXPECT_EQ(Alive(*system), 0u);
    system->Update(0.05f);
    EXPECT_EQ(Alive(*system), 1u);
    EXPECT_EQ(system->GetEmittedCount(), 1u);
    EXPECT_EQ(system->GetParticles()[0].age, 0.05f) << "a new particle ages in the update that emits it";

    // More due than there are dead slots: the rest is dropped, only the fraction carries over.
    const Core::RefPtr<ParticleSystem> small = MakeSystem(3, 110.0f);
    small->Update(0.05f);
    EXPECT_EQ(Alive(*small), 3u);
    small->SetEmissionRate(0.0f, 0.0f);
    small->Update(0.0f);
    EXPECT_EQ(small->GetEmittedCount(), 0u);
}

TEST_F(ParticleTest, ParticlesMoveUnderGravityAndDieOnlyPastTheirLife)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(1, 20.0f, 10.0f, Math::Vector2D(0.0f, -10.0f));
    system->SetParticleLifeTime(0.1f, 0.1f);
    system->SetParticleStartingColor(Math::Color(1.0f, 0.0f, 0.0f, 1.0f), Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
    system->SetParticleEndingColor(Math::Color(0.0f, 0.0f, 1.0f, 0.0f), Math::Color(0.0f, 0.0f, 1.0f, 0.0f));
    system->SetParticleEndingScale(Math::Vector2D(3.0f, 3.0f), Math::Vector2D(3.0f, 3.0f));
    system->Update(0.05f);
    system->Update(0.05f);
    const Vellumar::Particle& particle = system->GetParticles()[0];
    ASSERT_TRUE(particle.alive) << "age equal to the life time is still alive";
    EXPECT_NEAR(particle.position.x, 1.0f, 1e-5f);
    EXPECT_NEAR(particle.position.y, -0.05f, 1e-5f);
    EXPECT_NEAR(particle.rotation, std::atan2(-1.0f, 10.0f) * 57.29578f, 1e-3f);
    const f32* vertex = Vertex(*system, 0);
    EXPECT_NEAR(vertex[0], 1.0f, 1e-5f);
    EXPECT_EQ(vertex[2], 0.0f);
    EXPECT_NEAR(vertex[3], 3.0f, 1e-5f);
    EXPECT_NEAR(vertex[6], 0.0f, 1e-5f);
    EXPECT_NEAR(vertex[8], 1.0f, 1e-5f);

    system->SetEmissionRate(0.0f, 0.0f);
    system->Update(0.05f);
    EXPECT_FALSE(system->GetParticles()[0].alive);
    EXPECT_EQ(system->GetDeadCount(), 1u);
    EXPECT_EQ(vertex[3], 0.0f);
    EXPECT_EQ(vertex[4], 0.0f);
    EXPECT_NEAR(vertex[0], 1.0f, 1e-5f) << "a dead particle's vertex keeps all but its scale";
}

TEST_F(ParticleTest, LivesOfZeroOrLessNeverGiveNaNOrInfinity)
{
    for (f32 life : {0.0f, -1.0f})
    {
        const Core::RefPtr<ParticleSystem> system = MakeSystem(2, 1000.0f, 5.0f);
        system->SetParticleLifeTime(life, life);
        system->Update(0.0f);
        system->Update(0.01f);
        for (u32 i = 0; i < 2 * ParticleSystem::VertexFloats; ++i)
        {
            EXPECT_TRUE(std::isfinite(system->GetVertexArray()[i])) << "life " << life << ", float " << i;
        }
    }
}

TEST_F(ParticleTest, WorldParticlesInheritTheSystemsMotionAndTurn)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(4, 20.0f, 10.0f);
    system->SetUseLocalCoordinates(false);
    system->SetPosition(100.0f, 0.0f);
    system->SetRotationAngle(90.0f);
    system->Update(0.05f);
    const Vellumar::Particle& first = system->GetParticles()[0];
    EXPECT_NEAR(first.startPosition.x, 100.0f, 1e-4f);
    EXPECT_NEAR(first.velocity.x, 0.0f, 1e-4f) << "the first update adds no motion";
    EXPECT_NEAR(first.velocity.y, 10.0f, 1e-4f) << "directions turn with the system";

    system->SetPosition(105.0f, 0.0f);
    system->Update(0.05f);
    const Vellumar::Particle& second = system->GetParticles()[1];
    EXPECT_NEAR(second.velocity.x, 5.0f, 1e-4f);
    EXPECT_NEAR(second.startPosition.x, 105.0f, 1e-4f);

    // After Reset the next update again adds nothing.
    system->Reset();
    EXPECT_EQ(Alive(*system), 0u);
    system->SetPosition(200.0f, 0.0f);
    system->Update(0.05f);
    EXPECT_NEAR(system->GetParticles()[0].velocity.x, 0.0f, 1e-4f);
}

TEST_F(ParticleTest, OneShotSystemsDestroyThemselvesOnceEveryParticleDied)
{
    const Core::RefPtr<ParticleSystem> burst = MakeSystem(2, 1000.0f);
    burst->SetRecycleParticles(false);
    burst->SetParticleLifeTime(0.05f, 0.05f);
    burst->Update(0.05f);
    EXPECT_EQ(burst->GetEmittedCount(), 2u);
    burst->Update(0.05f);
    EXPECT_EQ(burst->GetDeadCount(), 2u);
    EXPECT_FALSE(burst->IsDestroying());
    burst->Update(0.05f);
    EXPECT_TRUE(burst->IsDestroying());
    EXPECT_EQ(Alive(*burst), 0u) << "no particle is emitted a second time";

    const Core::RefPtr<ParticleSystem> kept = MakeSystem(2, 1000.0f);
    kept->SetRecycleParticles(false);
    kept->SetDestroyIfNotRecycling(false);
    kept->SetParticleLifeTime(0.05f, 0.05f);
    for (int i = 0; i < 4; ++i)
    {
        kept->Update(0.05f);
    }
    EXPECT_FALSE(kept->IsDestroying());
    EXPECT_EQ(Alive(*kept), 0u);
}

TEST_F(ParticleTest, WarmUpRunsHundredthSecondUpdatesAndSpinningIgnoresTheFrameTime)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(100, 100.0f);
    system->SetParticleLifeTime(10.0f, 10.0f);
    system->WarmUp(0.0f);
    system->WarmUp(-1.0f);
    EXPECT_EQ(Alive(*system), 0u);
    system->WarmUp(0.5f);
    EXPECT_EQ(Alive(*system), 50u);
    EXPECT_NEAR(system->GetParticles()[0].age, 0.5f, 1e-4f);

    const Core::RefPtr<ParticleSystem> spinning = MakeSystem(1, 1000.0f);
    spinning->SetParticleDirection(ParticleSystem::Spinning);
    spinning->SetParticleRotationSpeed(5.0f, 5.0f);
    spinning->Update(0.001f);
    spinning->Update(0.5f);
    EXPECT_EQ(spinning->GetParticles()[0].rotation, 10.0f);
}

TEST_F(ParticleTest, TheRecordRoundTripsAndAMismatchedCountFailsTheLoad)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(3, 40.0f, 2.0f, Math::Vector2D(0.0f, -1.0f));
    system->SetEmitter(new Vellumar::RectangleEmitter(1.0f, 2.0f, 3.0f, 4.0f));
    system->SetParticleEndingColor(Math::Color(0.5f, 0.5f, 0.5f, 0.0f), Math::Color(1.0f, 1.0f, 1.0f, 0.0f));
    system->SetDstBlendFactor(1);
    system->SetUseLocalCoordinates(false);
    system->Update(0.05f);
    const Core::RefPtr<ParticleSystem> loaded = RoundTrip(system.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetParticleCount(), 3u);
    EXPECT_EQ(Alive(*loaded), Alive(*system));
    EXPECT_EQ(loaded->GetDstBlendFactor(), 1u);
    EXPECT_FALSE(loaded->GetUseLocalCoordinates());
    EXPECT_EQ(std::memcmp(loaded->GetVertexArray(), system->GetVertexArray(), 3 * 10 * sizeof(f32)), 0);
    ASSERT_NE(dynamic_cast<Vellumar::RectangleEmitter*>(loaded->GetEmitter()), nullptr);
    const Core::RefPtr<Vellumar::ParticleSystemBase> base =
        RoundTrip(new Vellumar::ParticleSystemBase("C:\\Elsewhere\\smoke.png", 2, 8.0f));
    ASSERT_TRUE(base);
    EXPECT_EQ(base->GetParticleCount(), 2u);
    EXPECT_EQ(base->GetBoundingSize(), 8.0f);

    // The particle count follows the base's: bounding size, two blend factors, two flags.
    std::vector<u8> bytes = Saved(system.Get());
    const f32 size = 64.0f;
    const u8* sizeBytes = reinterpret_cast<const u8*>(&size);
    const auto found = std::search(bytes.begin(), bytes.end(), sizeBytes, sizeBytes + 4);
    ASSERT_NE(found, bytes.end());
    const size_t countAt = static_cast<size_t>(found - bytes.begin()) + 4 + 8 + 2;
    u32 stored = 0;
    std::memcpy(&stored, &bytes[countAt], 4);
    ASSERT_EQ(stored, 3u);
    for (u32 wrong : {1u, 4u})
    {
        std::memcpy(&bytes[countAt], &wrong, 4);
        Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
        Core::RefPtr<ParticleSystem> refused;
        EXPECT_FALSE(file.ReadObjectInto(refused)) << wrong;
    }
}

TEST_F(ParticleTest, AClonedSystemHasItsOwnVerticesAndEmitter)
{
    const Core::RefPtr<ParticleSystem> system = MakeSystem(2, 1000.0f, 1.0f);
    const Core::RefPtr<ParticleSystem> copy(system->Clone());
    EXPECT_NE(copy->GetVertexArray(), system->GetVertexArray());
    EXPECT_NE(copy->GetEmitter(), system->GetEmitter());
    copy->Update(0.5f);
    EXPECT_EQ(Alive(*system), 0u);
    EXPECT_EQ(Vertex(*system, 0)[0], 0.0f);
}

TEST_F(ParticleTest, ShapeEmittersPlaceAndAimEveryDrawInsideTheirShape)
{
    constexpr int Draws = 4000;
    Math::Point2D p;
    Math::Vector2D d;

    Vellumar::PointEmitter point(Math::Point2D(3.0f, 4.0f), 30.0f, 30.0f);
    for (int i = 0; i < 50; ++i)
    {
        point.GetPositionAndDirection(0.0f, p, d);
        ASSERT_EQ(p.x, 3.0f);
        ASSERT_NEAR(std::atan2(d.y, d.x) * 57.29578f, 30.0f, 1e-3f);
    }

    Vellumar::LineEmitter line(Math::Point2D(0.0f, 0.0f), Math::Point2D(10.0f, 0.0f));
    for (int i = 0; i < Draws; ++i)
    {
        line.GetPositionAndDirection(0.0f, p, d);
        ASSERT_TRUE(p.x >= 0.0f && p.x <= 10.0f && p.y == 0.0f);
        ASSERT_EQ(d.x, 0.0f);
        ASSERT_EQ(d.y, 1.0f) << "the left-hand normal of A to B";
    }
    Vellumar::LineEmitter dot(Math::Point2D(2.0f, 2.0f), Math::Point2D(2.0f, 2.0f));
    dot.GetPositionAndDirection(0.0f, p, d);
    EXPECT_EQ(p.x, 2.0f);
    EXPECT_EQ(d.Length(), 0.0f);

    Vellumar::CircleEmitter circle(Math::Point2D(1.0f, 1.0f), 5.0f);
    Vellumar::DiskEmitter disk(Math::Point2D(1.0f, 1.0f), 5.0f);
    int nearCentre = 0;
    for (int i = 0; i < Draws; ++i)
    {
        circle.GetPositionAndDirection(0.0f, p, d);
        ASSERT_NEAR((p - Math::Point2D(1.0f, 1.0f)).Length(), 5.0f, 1e-4f);
        ASSERT_NEAR((Math::Point2D(1.0f, 1.0f) + d * 5.0f - p).Length(), 0.0f, 1e-4f);
        disk.GetPositionAndDirection(0.0f, p, d);
        const f32 r = (p - Math::Point2D(1.0f, 1.0f)).Length();
        ASSERT_LE(r, 5.0001f);
        nearCentre += r < 2.5f ? 1 : 0;
    }
    // A uniform radius puts half the draws within half the radius (a uniform area a quarter).
    EXPECT_NEAR(nearCentre / static_cast<double>(Draws), 0.5, 0.05);

    Vellumar::RectangleEmitter outline(0.0f, 0.0f, 10.0f, 20.0f);
    int sides[4] = {};
    for (int i = 0; i < Draws; ++i)
    {
        outline.GetPositionAndDirection(0.0f, p, d);
        int side = -1;
        if (d.y == -1.0f && p.y == 0.0f)
            side = 0;
        else if (d.x == 1.0f && p.x == 10.0f)
            side = 1;
        else if (d.y == 1.0f && p.y == 20.0f)
            side = 2;
        else if (d.x == -1.0f && p.x == 0.0f)
            side = 3;
        ASSERT_GE(side, 0) << p.x << ", " << p.y;
        ++sides[side];
    }
    EXPECT_NEAR(sides[0] / static_cast<double>(Draws), 1.0 / 6.0, 0.03);
    EXPECT_NEAR(sides[1] / static_cast<double>(Draws), 1.0 / 3.0, 0.03);
    EXPECT_NEAR(sides[2] / static_cast<double>(Draws), 1.0 / 3.0, 0.03);
    EXPECT_NEAR(sides[3] / static_cast<double>(Draws), 1.0 / 6.0, 0.03);

    Vellumar::FilledRectangleEmitter filled(-5.0f, -5.0f, 10.0f, 20.0f);
    for (int i = 0; i < Draws; ++i)
    {
        filled.GetPositionAndDirection(0.0f, p, d);
        ASSERT_TRUE(p.x >= -5.0f && p.x <= 5.0f && p.y >= -5.0f && p.y <= 15.0f);
        ASSERT_EQ(std::abs(d.x) + std::abs(d.y), 1.0f);
    }

    // A scripted emitter without a running script leaves both as they were.
    Vellumar::ParticleEmitter scripted;
    p = Math::Point2D(7.0f, 7.0f);
    scripted.GetPositionAndDirection(0.0f, p, d);
    EXPECT_EQ(p.x, 7.0f);
}

TEST_F(ParticleTest, EveryEmitterRecordRoundTrips)
{
    const Core::RefPtr<Vellumar::PointEmitter> point(new Vellumar::PointEmitter(Math::Point2D(1.0f, 2.0f), 10.0f, 20.0f));
    point->SetScript("sparks.lua");
    const Core::RefPtr<Vellumar::PointEmitter> loadedPoint = RoundTrip(point.Get());
    ASSERT_TRUE(loadedPoint);
    EXPECT_EQ(loadedPoint->angleMax, 20.0f);
    EXPECT_EQ(loadedPoint->GetScriptName(), "sparks.lua");
    EXPECT_TRUE(RoundTrip(new Vellumar::LineEmitter(Math::Point2D(1.0f, 2.0f), Math::Point2D(3.0f, 4.0f))));
    const Core::RefPtr<Vellumar::CircleEmitter> circle = RoundTrip<Vellumar::CircleEmitter>(new Vellumar::DiskEmitter(Math::Point2D(), 7.0f));
    ASSERT_TRUE(circle);
    EXPECT_NE(dynamic_cast<Vellumar::DiskEmitter*>(circle.Get()), nullptr);
    EXPECT_EQ(circle->radius, 7.0f);
    const Core::RefPtr<Vellumar::RectangleEmitter> filled =
        RoundTrip<Vellumar::RectangleEmitter>(new Vellumar::FilledRectangleEmitter(1.0f, 2.0f, 3.0f, 4.0f));
    ASSERT_TRUE(filled);
    EXPECT_EQ(filled->corners[2].y, 6.0f);
    EXPECT_TRUE(RoundTrip(new Vellumar::ParticleEmitter()));
}
