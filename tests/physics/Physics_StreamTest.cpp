#include "Physics_TestSupport.h"

#include "core/Core_File.h"
#include "core/Core_String.h"
#include "math/Math_Matrix3x3.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_JointAngularMotor.h"
#include "physics/Physics_JointFixed.h"
#include "physics/Physics_JointNail.h"
#include "physics/Physics_JointSlider.h"

#include <cstring>

namespace
{
using namespace Physics2D;
using PhysicsTest::AddBody;
using PhysicsStream = PhysicsTest::Fixture;
using PhysicsTest::MakeBody;
using Math::Vector2D;

using Bytes = std::vector<u8>;

Bytes BytesOf(const Core::MemoryFile& file)
{
    return Bytes(file.GetData(), file.GetData() + file.GetSize());
}

Bytes Saved(Core::Object* object)
{
    Core::MemoryFile file;
    file.WriteObject(object);
    return BytesOf(file);
}

// Reads one object of class T back from the bytes of a stream.
template <class T = PhysicsEngine>
Core::RefPtr<T> Loaded(const Bytes& saved, bool* failed = nullptr)
{
    Core::MemoryFile file(saved.data(), u32(saved.size()));
    Core::RefPtr<T> object;
    file.ReadObjectInto(object);
    if (failed)
        *failed = file.Failed();
    return object;
}

// An engine with a body of every integrator kind, forces of every kind (with a freed force id),
// every joint kind, two freed body ids, contacts on a floor and a few frames behind it. Its constant
// forces act at their point, the one mode the stream form brings back.
struct World
{
    PhysicsEngine engine;
    PhysicsTest::Floor floor;

    explicit World(bool withFloor)
    {
        const u32 euler = AddBody(engine, 1.0f, 0.5f, Vector2D(0.0f, 0.5f), RigidBody::IntegratorEuler);
        const u32 doomed = AddBody(engine, 1.0f, 0.5f, Vector2D(9.0f, 9.0f));
        const u32 heun = AddBody(engine, 2.0f, 1.0f, Vector2D(3.0f, 2.0f), RigidBody::IntegratorHeun);
        const u32 alsoDoomed = AddBody(engine, 1.0f, 0.5f, Vector2D(9.0f, 9.0f));
        const u32 rk = AddBody(engine, 1.5f, 0.7f, Vector2D(-2.0f, 3.0f), RigidBody::IntegratorRungeKutta);
        const u32 still = engine.AddRigidBody(new RigidBody(MassProperties(3.0f, 3.0f, Vector2D(0.1f, 0.0f)),
                                                            RigidBody::IntegratorNone, nullptr, nullptr, nullptr));
        const u32 spare = AddBody(engine, 1.0f, 0.5f, Vector2D(6.0f, 1.0f));
        engine.RemoveRigidBody(alsoDoomed);
        engine.RemoveRigidBody(doomed);

        for (u32 id : {euler, heun, rk, spare})
            PhysicsTest::AddGravity(engine, id);
        u32 forceId = 0;
        engine.AddRigidBodyForce(heun, new DragForce(0.1f, 0.01f), forceId);
        engine.AddRigidBodyForce(heun, new ConstantForce(Vector2D(3.5f, 2.0f), Vector2D(0.0f, 5.0f), 0.0f), forceId);
        engine.AddRigidBodyForce(heun, new ConstantForce(Vector2D(), Vector2D(1.0f, 0.0f), 0.0f), forceId);
        engine.RemoveRigidBodyForce(heun, 2);
        engine.AddRigidBodyForce(rk, new ConstantForce(Vector2D(-2.0f, 3.5f), Vector2D(2.0f, 0.0f), 0.5f), forceId);

        engine.AddJoint(heun, 0, new JointNail(Vector2D(3.0f, 4.0f), Vector2D(3.0f, 4.0f), Vector2D(1, 0), 0, 0, 45.0f, 0.2f));
        engine.AddJoint(heun, rk, new JointHinge(Vector2D(1.0f, 2.0f), Vector2D(1.0f, 2.0f), Vector2D(1, 0), 0, 0,
                                                 JointNail::NoAngleLimit, 0.3f));
        engine.AddJoint(rk, 0, new JointSpring(Vector2D(-2.0f, 3.0f), Vector2D(-2.0f, 5.0f), Vector2D(0, 1), 50.0f, 2.0f,
                                               JointNail::NoAngleLimit, 0.2f));
        engine.AddJoint(0, spare, new JointSlider(Vector2D(1.0f, 1.0f), 0.2f));
        engine.AddJoint(still, spare, new JointFixed());
        engine.AddJoint(euler, still, new JointAngularMotor(30.0f, 2.0f));

        if (withFloor)
        {
            floor.ids.push_back(euler);
            floor.Install(engine);
        }
        for (int i = 0; i < 20; ++i)
            PhysicsTest::Step(engine, 1.0f / 60.0f);
    }
};

TEST_F(PhysicsStream, SaveLoadSaveIsByteEqual)
{
    World world(true);
    ASSERT_FALSE(world.engine.GetContacts().empty());
    const Bytes first = Saved(&world.engine);
    bool failed = true;
    Core::RefPtr<PhysicsEngine> loaded = Loaded(first, &failed);
    ASSERT_FALSE(failed);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->GetContacts().empty());
    EXPECT_EQ(loaded->GetJoints().size(), 6u);
    EXPECT_EQ(StaticBody, loaded->GetStaticBody());
    const Bytes second = Saved(loaded);
    EXPECT_TRUE(first == second);
}

TEST_F(PhysicsStream, LoadedEngineGoesOnAsTheSavedOne)
{
    World world(false);
    const Bytes saved = Saved(&world.engine);
    const Vector2D savedAt = world.engine.GetRigidBody(3)->GetPosition();
    for (int i = 0; i < 60; ++i)
        PhysicsTest::Step(world.engine, 1.0f / 60.0f);
    const Bytes original = Saved(&world.engine);

    Core::RefPtr<PhysicsEngine> loaded = Loaded(saved);
    ASSERT_NE(loaded, nullptr);
    for (int i = 0; i < 60; ++i)
        PhysicsTest::Step(*loaded, 1.0f / 60.0f);
    EXPECT_TRUE(original == Saved(loaded));
    // The bodies moved: their integrators were bound to them while loading.
    EXPECT_NE(loaded->GetRigidBody(3)->GetPosition(), savedAt);
}

TEST_F(PhysicsStream, FreedIdsComeBackInTheOrderTheyWereFreed)
{
    PhysicsEngine engine;
    for (int i = 0; i < 4; ++i)
        AddBody(engine, 1, 1, Vector2D());
    engine.RemoveRigidBody(2);
    engine.RemoveRigidBody(4);
    engine.RemoveRigidBody(1);
    Core::RefPtr<RigidBody> forceHolder = engine.GetRigidBody(3);
    for (int i = 0; i < 4; ++i)
        forceHolder->AddForce(new DragForce());
    forceHolder->RemoveForce(2);
    forceHolder->RemoveForce(0);

    Core::RefPtr<PhysicsEngine> loaded = Loaded(Saved(&engine));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(loaded->GetRigidBodies().size(), 4u);
    EXPECT_EQ(loaded->GetRigidBodies()[1], nullptr);
    for (u32 expected : {1u, 4u, 2u, 5u})
        EXPECT_EQ(AddBody(*loaded, 1, 1, Vector2D()), expected);
    Core::RefPtr<RigidBody> reloadedHolder = loaded->GetRigidBody(3);
    EXPECT_EQ(reloadedHolder->AddForce(new DragForce()), 0u);
    EXPECT_EQ(reloadedHolder->AddForce(new DragForce()), 2u);
    EXPECT_EQ(reloadedHolder->GetForces().GetForce(1)->GetBody(), reloadedHolder.Get());
}

TEST_F(PhysicsStream, LoadingRestoresTheGlobals)
{
    PhysicsEngine engine;
    engine.SetMaximumSimulationStep(0.03f);
    engine.SetScale(2.0f);
    Epsilon = 1e-6f;
    AngularSpeedLimit = 3.0f;
    AddBody(engine, 1, 1, Vector2D());
    engine.Update(0.01f);
    const Bytes saved = Saved(&engine);
    ResetGlobals();
    Core::RefPtr<PhysicsEngine> loaded = Loaded(saved);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(MaximumSimulationStep, 0.03f);
    EXPECT_EQ(Scale, 2.0f);
    EXPECT_EQ(Epsilon, 1e-6f);
    EXPECT_EQ(AngularSpeedLimit, 3.0f);
    EXPECT_EQ(SimulationStep, 0.01f);
    EXPECT_EQ(SimulationInverseStep, 100.0f);
}

TEST_F(PhysicsStream, ConstantForceReloadsWithItsResultsButNotItsMode)
{
    Core::RefPtr<RigidBody> body = MakeBody(1, 1, Vector2D(1, 1));
    body->AddForce(new ConstantForce(Vector2D(), Vector2D(3.0f, 4.0f), 0.0f, ConstantForce::ModeTorque));
    body->AccumulateForces(0.02f);
    bool failed = true;
    Core::RefPtr<RigidBody> loaded = Loaded<RigidBody>(Saved(body), &failed);
    ASSERT_FALSE(failed);
    const ConstantForce* force = dynamic_cast<const ConstantForce*>(loaded->GetForces().GetForce(0));
    ASSERT_NE(force, nullptr);
    EXPECT_EQ(force->GetMode(), ConstantForce::ModeForceAtPoint);
    EXPECT_EQ(force->GetEvaluatedTorque(), 3.0f);
    EXPECT_EQ(force->GetTime(), 0.02f);
    EXPECT_EQ(force->GetBody(), loaded.Get());
}

TEST_F(PhysicsStream, RegisteredNamesMakeTheirClasses)
{
    for (const char* name :
         {"Physics2D::ConstantForce", "Physics2D::GravityForce", "Physics2D::DragForce", "Physics2D::PhysicsEngine",
          "Physics2D::JointNail", "Physics2D::JointHinge", "Physics2D::JointSpring", "Physics2D::JointSlider",
          "Physics2D::JointFixed", "Physics2D::JointAngularMotor", "Physics2D::Contact", "Physics2D::RigidBody",
          "Physics2D::ODESolverEuler", "Physics2D::ODESolverHeun", "Physics2D::ODESolverRungeKuttaN4"})
    {
        Core::RefPtr<Core::Object> made(Core::CreateObjectByName(name));
        ASSERT_NE(made, nullptr) << name;
        EXPECT_STREQ(made->GetClassName(), name);
    }
}

// Writes an object record by hand: presence, class name, id, then the object's own payload. Hand ids
// start high so that they never meet the ids the stream gives the objects written inside.
void WriteRecord(Core::File& file, const char* name, u32 id)
{
    Core::WriteU8(file, 1);
    Core::WriteString(file, Core::String(name));
    Core::WriteU32(file, id);
}

void WriteBodyRecord(Core::File& file, RigidBody& body, u32 id)
{
    WriteRecord(file, "Physics2D::RigidBody", id);
    body.Save(file);
}

// An engine record with a static body and one body, whose free ids and iteration count are given.
Bytes EngineStream(std::initializer_list<u32> freeIds, u32 bodyCount, u32 iterations = 75)
{
    Core::MemoryFile file;
    Core::RefPtr<RigidBody> staticBody = MakeBody(0, 0, Vector2D());
    Core::RefPtr<RigidBody> body = MakeBody(1, 1, Vector2D(1, 2));
    WriteRecord(file, "Physics2D::PhysicsEngine", 1000);
    Core::WriteU32(file, 245);
    WriteBodyRecord(file, *staticBody, 1001);
    Core::WriteU32(file, static_cast<u32>(freeIds.size()));
    for (u32 id : freeIds)
        Core::WriteU32(file, id);
    Core::WriteU32(file, bodyCount);
    if (bodyCount > 0 && bodyCount < 100)
    {
        WriteBodyRecord(file, *body, 1002);
        for (u32 i = 1; i < bodyCount; ++i)
            Core::WriteU8(file, 0);
    }
    Core::WriteU32(file, 0);
    Core::WriteU32(file, 0);
    Core::WriteU32(file, iterations);
    Core::WriteU8(file, 0);
    Core::WriteF32(file, 1.0f);
    Core::WriteU32(file, 500);
    Core::WriteU32(file, 25);
    for (float value : {Infinity, 0.0f, 0.0f, 0.02f, 1.0f, 1e-10f})
        Core::WriteF32(file, value);
    return BytesOf(file);
}

TEST_F(PhysicsStream, HandWrittenEngineStreamLoads)
{
    bool failed = true;
    Core::RefPtr<PhysicsEngine> loaded = Loaded(EngineStream({2}, 2), &failed);
    EXPECT_FALSE(failed);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetRigidBody(1)->GetPosition(), Vector2D(1, 2));
    EXPECT_EQ(AddBody(*loaded, 1, 1, Vector2D()), 2u);
}

TEST_F(PhysicsStream, HostileEngineStreamsFailCleanly)
{
    const double before = MaximumSimulationStep;
    // A free id naming a body, past the table, twice, or 0; a body count beyond the stream. The
    // bodies inside carry another angular speed limit, which a failed load does not keep.
    AngularSpeedLimit = 3.0f;
    const Bytes streams[] = {EngineStream({1}, 1), EngineStream({3}, 2), EngineStream({2, 2}, 2),
                             EngineStream({0}, 1), EngineStream({}, 0xFFFFFFFFu)};
    AngularSpeedLimit = 6.2831855f;
    for (const Bytes& stream : streams)
    {
        bool failed = false;
        Core::RefPtr<PhysicsEngine> loaded = Loaded(stream, &failed);
        EXPECT_TRUE(failed);
        if (loaded)
        {
            EXPECT_TRUE(loaded->GetRigidBodies().empty());
        }
    }
    EXPECT_EQ(MaximumSimulationStep, before);
    EXPECT_EQ(AngularSpeedLimit, 6.2831855f);

    // An iteration count no pass could finish is bounded.
    bool failed = true;
    Core::RefPtr<PhysicsEngine> slow = Loaded(EngineStream({}, 1, 0xFFFFFFFFu), &failed);
    EXPECT_FALSE(failed);
    ASSERT_NE(slow, nullptr);
    EXPECT_EQ(slow->GetAccuracy(), ConstraintSolver::MaximumIterations);
}

TEST_F(PhysicsStream, ObjectsOfTheWrongClassAreRefused)
{
    // A force where the body table expects a body.
    Core::MemoryFile file;
    Core::RefPtr<RigidBody> staticBody = MakeBody(0, 0, Vector2D());
    DragForce drag;
    WriteRecord(file, "Physics2D::PhysicsEngine", 1000);
    Core::WriteU32(file, 245);
    WriteBodyRecord(file, *staticBody, 1001);
    Core::WriteU32(file, 0);
    Core::WriteU32(file, 1);
    WriteRecord(file, "Physics2D::DragForce", 1002);
    drag.Save(file);
    bool failed = false;
    Loaded(BytesOf(file), &failed);
    EXPECT_TRUE(failed);

    // An engine where a body belongs: made and dropped while reading, it leaves the global static
    // body to the engine being read.
    Core::MemoryFile nested;
    WriteRecord(nested, "Physics2D::PhysicsEngine", 1000);
    Core::WriteU32(nested, 245);
    WriteBodyRecord(nested, *staticBody, 1001);
    Core::WriteU32(nested, 0);
    Core::WriteU32(nested, 1);
    WriteRecord(nested, "Physics2D::PhysicsEngine", 1002);
    Core::RefPtr<PhysicsEngine> outer = Loaded(BytesOf(nested), &failed);
    EXPECT_TRUE(failed);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(StaticBody, outer->GetStaticBody());
}

TEST_F(PhysicsStream, BodyWithAnIntegratorOfTheWrongSizeFails)
{
    Core::RefPtr<RigidBody> body = MakeBody(1, 1, Vector2D());
    ODESolverEuler narrow(nullptr, Core::Vector<float>{1.0f, 2.0f}, nullptr);
    Core::MemoryFile file;
    WriteRecord(file, "Physics2D::RigidBody", 1000);
    MassProperties(1, 1, Vector2D()).Save(file);
    Forces().Save(file);
    // Force and torque sums, velocity, angular velocity, position, orientation.
    for (int i = 0; i < 9; ++i)
        Core::WriteF32(file, 0.0f);
    for (int i = 0; i < 3; ++i)
        Math::Matrix3x3().Save(file);
    Math::WriteVector2D(file, Vector2D());
    Core::WriteF32(file, AngularSpeedLimit);
    Core::WriteU32(file, 0);
    WriteRecord(file, "Physics2D::ODESolverEuler", 1001);
    narrow.Save(file);
    Core::WriteU8(file, 0);

    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<RigidBody> loaded;
    EXPECT_FALSE(reading.ReadObjectInto(loaded));
    EXPECT_TRUE(reading.Failed());
    if (loaded)
    {
        EXPECT_EQ(loaded->GetVelocityIntegrator(), nullptr);
        loaded->SetVelocity(Vector2D(1, 1));
        loaded->Integrate(0.1f);
    }
}

TEST_F(PhysicsStream, JointOfAnotherShapeFails)
{
    // A fixed joint claiming one row would write three into a block of one.
    Core::RefPtr<RigidBody> body1 = MakeBody(1, 1, Vector2D());
    Core::RefPtr<RigidBody> body2 = MakeBody(1, 1, Vector2D(1, 0));
    Core::MemoryFile file;
    WriteRecord(file, "Physics2D::JointFixed", 1000);
    Core::WriteU32(file, Joint::KindFixed);
    Core::WriteU32(file, 1);
    Core::WriteU32(file, 1);
    Core::WriteU8(file, 1);
    Core::WriteF32(file, 0.7f);
    Core::WriteU8(file, 0);
    Core::WriteU8(file, 0);
    file.WriteObject(body1);
    file.WriteObject(body2);
    for (int i = 0; i < 7; ++i)
        Core::WriteF32(file, 0.0f);
    Core::MemoryFile reading(file.GetData(), file.GetSize());
    Core::RefPtr<JointFixed> joint;
    reading.ReadObjectInto(joint);
    EXPECT_TRUE(reading.Failed());
}

TEST_F(PhysicsStream, ForcesNamingALiveSlotAsFreeFail)
{
    Core::RefPtr<RigidBody> body = MakeBody(1, 1, Vector2D());
    body->AddForce(new DragForce());
    Bytes bytes = Saved(body);
    // The free-id count follows the mass properties (24 bytes) after the record header.
    const u32 header = 1 + 4 + u32(std::strlen("Physics2D::RigidBody")) + 4;
    const u32 at = header + 24;
    ASSERT_EQ(bytes[at], 0);
    // One free id, 0, which the one force occupies: the 4-byte id goes in place of nothing, so the
    // stream is rebuilt with it inserted.
    bytes[at] = 1;
    bytes.insert(bytes.begin() + at + 4, {0, 0, 0, 0});
    bool failed = false;
    Core::RefPtr<RigidBody> loaded = Loaded<RigidBody>(bytes, &failed);
    EXPECT_TRUE(failed);
    if (loaded)
    {
        EXPECT_EQ(loaded->GetForces().GetForceCount(), 0u);
    }
}

TEST_F(PhysicsStream, EveryTruncatedStreamFailsWithoutHarm)
{
    World world(true);
    const Bytes saved = Saved(&world.engine);
    for (u32 length = 0; length < saved.size(); length += 7)
    {
        Core::MemoryFile cut(saved.data(), length);
        Core::RefPtr<PhysicsEngine> loaded;
        cut.ReadObjectInto(loaded);
        ASSERT_TRUE(cut.Failed() || !loaded) << "length " << length;
        if (loaded)
        {
            EXPECT_TRUE(loaded->GetRigidBodies().empty());
            PhysicsTest::Step(*loaded, 0.02f);
        }
    }
}
} // namespace
