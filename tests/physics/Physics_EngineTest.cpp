#include "Physics_TestSupport.h"

#include "physics/Physics_Contact.h"
#include "physics/Physics_JointAngularMotor.h"
#include "physics/Physics_JointFixed.h"
#include "physics/Physics_JointNail.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

namespace
{
using namespace Physics2D;
using PhysicsTest::AddBody;
using PhysicsEngineTest = PhysicsTest::Fixture;
using PhysicsTest::MakeBody;
using Math::Vector2D;

Contact* NewContact(const Vector2D& point = Vector2D(), float depth = 0.0f)
{
    return new Contact(point, Vector2D(0.0f, 1.0f), Vector2D(), Vector2D(), depth, 0.3f, 0.5f, 1);
}

// A joint that writes nothing but its one Jacobian row: its target, regulariser and bounds are
// whatever its block held when handed over.
class JacobianOnlyJoint : public Joint
{
    CORE_CLASS(JacobianOnlyJoint)
public:
    JacobianOnlyJoint() : Joint(100, 1, 0.0f, 0) {}
    Object* Clone() const override { return new JacobianOnlyJoint(*this); }
    void FillRows(const RowBlock& block) override
    {
        JointRows::SetJacobian(block, 0, 1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 0.0f);
    }
};
CORE_REGISTER_CLASS(JacobianOnlyJoint, "PhysicsTest::JacobianOnlyJoint")

bool Holds(const Core::Vector<Core::RefPtr<RigidBody>>& list, const RigidBody* body)
{
    return std::find(list.begin(), list.end(), body) != list.end();
}

TEST_F(PhysicsEngineTest, AJointFindsItsRowsClearedWhereContactsFilledThemBefore)
{
    PhysicsEngine engine;
    PhysicsTest::Floor floor;
    floor.Install(engine);
    for (float x : {0.0f, 2.0f, 4.0f})
        floor.ids.push_back(AddBody(engine, 1.0f, 1.0f, Vector2D(x, 0.45f)));
    const u32 free = AddBody(engine, 1.0f, 1.0f, Vector2D(3.0f, 5.0f));
    engine.PostCollisionUpdate(1.0f / 60.0f);
    ASSERT_EQ(engine.GetSolver().GetRowCapacity(), 6u);
    ASSERT_EQ(engine.GetSolver().GetUpperBound(0), Infinity);

    // Fewer rows than before, so the storage is reused, and the joint's row comes first, where a
    // contact's normal row was: left unbounded, it would pull.
    engine.AddJoint(floor.ids[0], free, new JacobianOnlyJoint);
    engine.RemoveRigidBody(floor.ids[1]);
    engine.RemoveRigidBody(floor.ids[2]);
    engine.Update(1.0f / 60.0f);
    ASSERT_EQ(engine.GetSolver().GetRowCount(), 3u);
    EXPECT_EQ(engine.GetSolver().GetLowerBound(0), 0.0f);
    EXPECT_EQ(engine.GetSolver().GetUpperBound(0), 0.0f);
    EXPECT_EQ(engine.GetSolver().GetMultiplier(0), 0.0f);
}

TEST_F(PhysicsEngineTest, StepIsClampedAndItsInverseKept)
{
    PhysicsEngine engine;
    engine.Update(0.05f);
    EXPECT_EQ(engine.GetSimulationStep(), 0.02f);
    EXPECT_EQ(engine.GetSimulationInverseStep(), 1.0f / 0.02f);
    engine.PostCollisionUpdate(0.01f);
    EXPECT_EQ(engine.GetSimulationStep(), 0.01f);
    engine.Update(0.0f);
    EXPECT_EQ(engine.GetSimulationStep(), 0.0f);
    EXPECT_EQ(engine.GetSimulationInverseStep(), 0.0f);
}

TEST_F(PhysicsEngineTest, StaticBodyIsTheGlobalOneAndNeverInTheTable)
{
    PhysicsEngine engine;
    EXPECT_EQ(StaticBody, engine.GetStaticBody());
    EXPECT_EQ(engine.GetStaticBody()->GetMassProperties().GetInverseMass(), 0.0f);
    EXPECT_EQ(engine.GetPlusInfinity(), 3.4028235e38f);
    EXPECT_EQ(engine.GetMinusInfinity(), -3.4028235e38f);
    EXPECT_EQ(engine.GetRigidBodies().size(), 0u);
    EXPECT_EQ(engine.AddRigidBody(nullptr), 0u);
}

TEST_F(PhysicsEngineTest, FreedIdsAreReusedMostRecentFirst)
{
    PhysicsEngine engine;
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 1u);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 2u);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 3u);
    EXPECT_TRUE(engine.RemoveRigidBody(2));
    EXPECT_TRUE(engine.RemoveRigidBody(1));
    EXPECT_FALSE(engine.RemoveRigidBody(1));
    EXPECT_FALSE(engine.RemoveRigidBody(0));
    EXPECT_FALSE(engine.RemoveRigidBody(4));
    EXPECT_EQ(engine.GetRigidBody(1), nullptr);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 1u);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 2u);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 4u);
}

TEST_F(PhysicsEngineTest, IdOperationsNeedABody)
{
    PhysicsEngine engine;
    const u32 id = AddBody(engine, 2, 4, Vector2D(1, 1));
    MassProperties mass;
    Vector2D vector;
    float value = 0.0f;
    EXPECT_FALSE(engine.SetMassProperties(9, MassProperties(1, 1, Vector2D())));
    EXPECT_FALSE(engine.GetMassProperties(0, mass));
    EXPECT_FALSE(engine.SetRigidBodyPosition(9, Vector2D()));
    EXPECT_FALSE(engine.SetRigidBodyOrientation(9, 1.0f));
    EXPECT_FALSE(engine.GetRigidBodyVelocity(9, vector));
    EXPECT_FALSE(engine.GetRigidBodyAngularVelocity(9, value));
    EXPECT_FALSE(engine.GetRigidBodyCenterOfMass(9, vector));

    EXPECT_TRUE(engine.GetMassProperties(id, mass));
    EXPECT_EQ(mass.GetInverseInertia(), 0.25f);
    EXPECT_TRUE(engine.SetRigidBodyOrientation(id, 30.0f));
    EXPECT_TRUE(engine.SetRigidBodyAngularVelocity(id, 90.0f));
    EXPECT_TRUE(engine.GetRigidBodyAngularVelocity(id, value));
    EXPECT_FLOAT_EQ(value, 90.0f);
    EXPECT_TRUE(engine.SetRigidBodyPosition(id, Vector2D(4, 5)));
    EXPECT_TRUE(engine.GetRigidBodyCenterOfMass(id, vector));
    EXPECT_EQ(vector, Vector2D(4, 5));

    // Velocities through the engine are in scaled units.
    engine.SetScale(2.0f);
    EXPECT_TRUE(engine.SetRigidBodyVelocity(id, Vector2D(1, -3)));
    EXPECT_EQ(engine.GetRigidBody(id)->GetVelocity(), Vector2D(2, -6));
    EXPECT_TRUE(engine.GetRigidBodyVelocity(id, vector));
    EXPECT_EQ(vector, Vector2D(1, -3));
}

TEST_F(PhysicsEngineTest, SettingsKeepTheirBounds)
{
    PhysicsEngine engine;
    EXPECT_EQ(engine.GetAccuracy(), 75u);
    engine.SetAccuracy(3);
    EXPECT_EQ(engine.GetAccuracy(), 10u);
    engine.SetAccuracy(40);
    EXPECT_EQ(engine.GetAccuracy(), 40u);
    engine.SetAccuracy(0xFFFFFFFFu);
    EXPECT_EQ(engine.GetAccuracy(), ConstraintSolver::MaximumIterations);
    engine.SetScale(0.0f);
    EXPECT_EQ(engine.GetScale(), 1.0f);
    engine.SetScale(3.0f);
    EXPECT_EQ(engine.GetScale(), 3.0f);
    engine.SetMaximumSimulationStep(-1.0f);
    engine.SetMaximumSimulationStep(0.0f);
    EXPECT_EQ(engine.GetMaximumSimulationStep(), 0.02f);
    engine.SetMaximumSimulationStep(0.05f);
    EXPECT_EQ(engine.GetMaximumSimulationStep(), 0.05f);
    EXPECT_EQ(engine.GetEpsilon(), 1e-10f);
}

TEST_F(PhysicsEngineTest, RemovedBodyHandsItsJointsToTheStaticBodyAndDropsItsContacts)
{
    PhysicsEngine engine;
    for (int i = 0; i < 5; ++i)
        AddBody(engine, 1, 1, Vector2D(float(i), 0));
    Joint* joint = engine.AddJoint(2, 5, new JointFixed());
    ASSERT_NE(joint, nullptr);
    engine.AddContact(2, 3, NewContact());
    engine.AddContact(3, 2, NewContact());
    Contact* kept = engine.AddContact(3, 4, NewContact());
    ASSERT_EQ(engine.GetContacts().size(), 3u);

    const Core::RefPtr<RigidBody> fifth = engine.GetRigidBody(5);
    EXPECT_TRUE(engine.RemoveRigidBody(2));
    EXPECT_EQ(engine.GetJoints().size(), 1u);
    EXPECT_EQ(joint->GetBody1(), engine.GetStaticBody());
    EXPECT_EQ(joint->GetBody2(), fifth.Get());
    ASSERT_EQ(engine.GetContacts().size(), 1u);
    EXPECT_EQ(engine.GetContacts().front(), kept);

    // Re-prepared against the static body at the origin, the weld now holds body 5 where it is.
    for (int i = 0; i < 30; ++i)
        PhysicsTest::Step(engine, 0.02f);
    EXPECT_NEAR(fifth->GetPosition().x, 4.0f, 1e-3f);
}

TEST_F(PhysicsEngineTest, JointsAndContactsNeedAtLeastOneBody)
{
    PhysicsEngine engine;
    AddBody(engine, 1, 1, Vector2D());
    AddBody(engine, 1, 1, Vector2D());
    const u32 third = AddBody(engine, 1, 1, Vector2D(2.0f, 3.0f));

    EXPECT_EQ(engine.AddJoint(0, 7, new JointFixed()), nullptr);
    EXPECT_EQ(engine.AddJoint(1, 2, nullptr), nullptr);
    EXPECT_EQ(engine.AddContact(0, 0, NewContact()), nullptr);
    EXPECT_EQ(engine.GetJoints().size(), 0u);
    EXPECT_EQ(engine.GetContacts().size(), 0u);

    Contact* contact = new Contact(Vector2D(), Vector2D(0, 1), Vector2D(2, 3), Vector2D(9, 9), 0.0f, 0.3f, 0.5f, 0);
    ASSERT_EQ(engine.AddContact(third, 0, contact), contact);
    EXPECT_EQ(contact->GetBody1(), engine.GetRigidBody(third).Get());
    EXPECT_EQ(contact->GetBody2(), engine.GetStaticBody());
    EXPECT_EQ(contact->GetReferencePosition2(), Vector2D());
    EXPECT_EQ(contact->GetDisplacement2(), Vector2D());

    Joint* joint = engine.AddJoint(0, 1, new JointNail());
    ASSERT_NE(joint, nullptr);
    EXPECT_EQ(joint->GetBody1(), engine.GetStaticBody());
    engine.RemoveJoint(joint);
    engine.RemoveJoint(joint);
    EXPECT_EQ(engine.GetJoints().size(), 0u);
    engine.RemoveContact(contact);
    EXPECT_EQ(engine.GetContacts().size(), 0u);
}

TEST_F(PhysicsEngineTest, InactiveJointTakesPartInNeitherPass)
{
    PhysicsEngine engine;
    const u32 id = AddBody(engine, 1, 1, Vector2D(0, 5));
    PhysicsTest::AddGravity(engine, id);
    Joint* weld = engine.AddJoint(id, 0, new JointFixed());
    weld->SetActive(false);
    for (int i = 0; i < 10; ++i)
        PhysicsTest::Step(engine, 0.02f);
    EXPECT_LT(engine.GetRigidBody(id)->GetPosition().y, 4.9f);
    EXPECT_EQ(engine.GetSolver().GetRowCount(), 0u);

    weld->SetActive(true);
    const float before = engine.GetRigidBody(id)->GetPosition().y;
    engine.Update(0.02f);
    EXPECT_EQ(engine.GetSolver().GetRowCount(), 3u);
    EXPECT_GT(engine.GetRigidBody(id)->GetPosition().y, before - 0.02f);
}

TEST_F(PhysicsEngineTest, VelocityPassWithoutRowsIntegratesForcesAlone)
{
    PhysicsEngine engine;
    const u32 id = AddBody(engine, 2, 1, Vector2D());
    PhysicsTest::AddGravity(engine, id);
    engine.Update(0.02f);
    EXPECT_FLOAT_EQ(engine.GetRigidBody(id)->GetVelocity().y, -9.8f * 0.02f);
    EXPECT_TRUE(engine.GetConstrainedBodies().empty());
    engine.PostCollisionUpdate(0.02f);
    EXPECT_FLOAT_EQ(engine.GetRigidBody(id)->GetVelocity().y, -9.8f * 0.02f);
}

struct Reporter
{
    Core::Vector<std::pair<u32, u32>> pairs;
    static void Report(PhysicsEngine* engine, void* data)
    {
        for (const auto& pair : static_cast<Reporter*>(data)->pairs)
            engine->AddContact(pair.first, pair.second, NewContact());
    }
};

TEST_F(PhysicsEngineTest, OldContactsSurviveOnlyWhileSharingABodyWithinTheCaps)
{
    PhysicsEngine engine;
    for (int i = 0; i < 700; ++i)
        AddBody(engine, 1, 1, Vector2D(float(i), 0));
    Reporter reporter;
    engine.SetContactListUpdate(&Reporter::Report);
    engine.SetContactListUpdateData(&reporter);

    // Frame 1: 600 contacts of bodies 1..600 with the floor, plus 40 contacts of body 700.
    for (u32 id = 1; id <= 600; ++id)
        reporter.pairs.push_back({id, 0});
    for (u32 k = 0; k < 40; ++k)
        reporter.pairs.push_back({700, 0});
    engine.PostCollisionUpdate(0.02f);
    ASSERT_EQ(engine.GetContacts().size(), 640u);

    // Frame 2: body 700 first, then the same 600 bodies: each new contact may keep at most 25 old
    // ones, and at most 500 are kept in all.
    reporter.pairs.clear();
    reporter.pairs.push_back({700, 0});
    for (u32 id = 1; id <= 600; ++id)
        reporter.pairs.push_back({id, 0});
    engine.PostCollisionUpdate(0.02f);
    EXPECT_EQ(engine.GetContacts().size(), 601u + 500u);
    u32 keptForLast = 0;
    for (const Core::RefPtr<Contact>& contact : engine.GetContacts())
        keptForLast += contact->GetBody1() == engine.GetRigidBody(700).Get() ? 1 : 0;
    EXPECT_EQ(keptForLast, 1u + 25u);

    // Frame 3: contacts of other bodies keep nothing old.
    reporter.pairs.clear();
    reporter.pairs.push_back({650, 0});
    engine.PostCollisionUpdate(0.02f);
    EXPECT_EQ(engine.GetContacts().size(), 1u);
}

TEST_F(PhysicsEngineTest, KeptContactsFollowTheListOrderRule)
{
    // Many contacts on few bodies, so that both caps bite, each side matches on its own, the static
    // side never matches, and later new contacts find part of their old ones already kept.
    PhysicsEngine engine;
    for (int i = 0; i < 12; ++i)
        AddBody(engine, 1, 1, Vector2D(float(i), 0));
    Reporter reporter;
    engine.SetContactListUpdate(&Reporter::Report);
    engine.SetContactListUpdateData(&reporter);
    u32 seed = 7;
    auto next = [&seed](u32 range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int frame = 0; frame < 12; ++frame)
    {
        Core::Vector<Core::RefPtr<Contact>> previous(engine.GetContacts().begin(), engine.GetContacts().end());
        reporter.pairs.clear();
        const u32 count = 20 + next(180);
        for (u32 k = 0; k < count; ++k)
        {
            const u32 first = next(5) == 0 ? 0 : 1 + next(12);
            reporter.pairs.push_back({first, first == 0 || next(4) != 0 ? 1 + next(12) : 0});
        }
        engine.PostCollisionUpdate(0.02f);

        // The rule, walked as stated: per new contact, the remaining old contacts in list order.
        const auto& now = engine.GetContacts();
        ASSERT_GE(now.size(), count);
        Core::Vector<Contact*> expected;
        auto fresh = now.begin();
        for (u32 k = 0; k < count; ++k, ++fresh)
            expected.push_back(fresh->Get());
        u32 retained = 0;
        for (u32 k = 0; k < count && retained < 500; ++k)
        {
            const RigidBody* body1 = expected[k]->GetBody1();
            const RigidBody* body2 = expected[k]->GetBody2();
            u32 here = 0;
            for (auto old = previous.begin(); old != previous.end() && here < 25 && retained < 500;)
            {
                const bool shares = (body1 != engine.GetStaticBody() && (*old)->GetBody1() == body1) ||
                                    (body2 != engine.GetStaticBody() && (*old)->GetBody2() == body2);
                if (!shares)
                {
                    ++old;
                    continue;
                }
                expected.push_back(old->Get());
                old = previous.erase(old);
                ++here;
                ++retained;
            }
        }
        Core::Vector<Contact*> actual;
        for (const Core::RefPtr<Contact>& contact : now)
            actual.push_back(contact.Get());
        ASSERT_EQ(actual, expected) << "frame " << frame;
    }
}

TEST_F(PhysicsEngineTest, PositionPassSolvesJointsChainedToTouchedBodies)
{
    PhysicsEngine engine;
    const u32 a = AddBody(engine, 1, 1, Vector2D(0, 0));
    const u32 b = AddBody(engine, 1, 1, Vector2D(1, 0));
    const u32 c = AddBody(engine, 1, 1, Vector2D(2, 0));
    const u32 loose1 = AddBody(engine, 1, 1, Vector2D(10, 0));
    const u32 loose2 = AddBody(engine, 1, 1, Vector2D(11, 0));
    // Listed before the joint that reaches them, so the walk must start again to find it.
    engine.AddJoint(b, c, new JointFixed());
    engine.AddJoint(a, b, new JointFixed());
    engine.AddJoint(loose1, loose2, new JointFixed());
    Reporter reporter;
    reporter.pairs.push_back({a, 0});
    engine.SetContactListUpdate(&Reporter::Report);
    engine.SetContactListUpdateData(&reporter);

    engine.PostCollisionUpdate(0.02f);
    const auto& constrained = engine.GetConstrainedBodies();
    EXPECT_TRUE(Holds(constrained, engine.GetRigidBody(a)));
    EXPECT_TRUE(Holds(constrained, engine.GetRigidBody(b)));
    EXPECT_TRUE(Holds(constrained, engine.GetRigidBody(c)));
    EXPECT_TRUE(Holds(constrained, engine.GetStaticBody()));
    EXPECT_FALSE(Holds(constrained, engine.GetRigidBody(loose1)));
    // One contact (2 rows) and two welds (3 rows each).
    EXPECT_EQ(engine.GetSolver().GetRowCount(), 8u);
    EXPECT_FALSE(PositionPass);
}

TEST_F(PhysicsEngineTest, ConstrainedBodiesAreThoseOfTheLastPassAloneAndReleaseTheRest)
{
    PhysicsEngine engine;
    const u32 a = AddBody(engine, 1, 1, Vector2D(0, 0));
    const u32 b = AddBody(engine, 1, 1, Vector2D(1, 0));
    const u32 c = AddBody(engine, 1, 1, Vector2D(2, 0));
    Reporter reporter;
    reporter.pairs = {{b, 0}, {a, c}};
    engine.SetContactListUpdate(&Reporter::Report);
    engine.SetContactListUpdateData(&reporter);
    engine.PostCollisionUpdate(0.02f);
    const Core::RefPtr<RigidBody> removed = engine.GetRigidBody(b);
    const auto listed = [&engine] {
        Core::Vector<RigidBody*> bodies;
        for (const Core::RefPtr<RigidBody>& body : engine.GetConstrainedBodies())
            bodies.push_back(body.Get());
        return bodies;
    };
    ASSERT_EQ(listed(), (Core::Vector<RigidBody*>{removed.Get(), engine.GetStaticBody(), engine.GetRigidBody(a).Get(),
                                                  engine.GetRigidBody(c).Get()}));

    // A pass over fewer bodies, in another order, lists them alone and lets go of the others.
    ASSERT_TRUE(engine.RemoveRigidBody(b));
    reporter.pairs = {{c, a}};
    engine.PostCollisionUpdate(0.02f);
    EXPECT_EQ(listed(), (Core::Vector<RigidBody*>{engine.GetRigidBody(c).Get(), engine.GetRigidBody(a).Get()}));
    EXPECT_EQ(removed->GetReferenceCount(), 1u); // the test's own
}

TEST_F(PhysicsEngineTest, ResetEmptiesTablesButKeepsTheStaticBody)
{
    PhysicsEngine engine;
    const u32 id = AddBody(engine, 1, 1, Vector2D());
    AddBody(engine, 1, 1, Vector2D());
    engine.AddJoint(id, 0, new JointAngularMotor(10.0f, 5.0f));
    engine.AddContact(id, 2, NewContact());
    engine.RemoveRigidBody(2);
    RigidBody* staticBody = engine.GetStaticBody();
    engine.Reset();
    EXPECT_TRUE(engine.GetRigidBodies().empty());
    EXPECT_TRUE(engine.GetFreeIds().empty());
    EXPECT_TRUE(engine.GetJoints().empty());
    EXPECT_TRUE(engine.GetContacts().empty());
    EXPECT_EQ(engine.GetStaticBody(), staticBody);
    EXPECT_EQ(AddBody(engine, 1, 1, Vector2D()), 1u);
}

void CountCalls(RigidBody*, void* data)
{
    ++*static_cast<int*>(data);
}

TEST_F(PhysicsEngineTest, AddingAndCloningPlaceTheBody)
{
    PhysicsEngine engine;
    int placed = 0;
    Core::RefPtr<RigidBody> body =
        new RigidBody(MassProperties(1, 1, Vector2D()), 0, &CountCalls, nullptr, &placed);
    body->SetPosition(Vector2D(3, 4));
    const u32 id = engine.AddRigidBody(body);
    EXPECT_EQ(placed, 1);

    int copyPlaced = 0;
    const u32 copy = engine.CloneRigidBody(id, &copyPlaced);
    EXPECT_EQ(copy, 2u);
    EXPECT_EQ(copyPlaced, 1);
    EXPECT_EQ(engine.GetRigidBody(copy)->GetPosition(), Vector2D(3, 4));
    EXPECT_EQ(engine.CloneRigidBody(9, nullptr), 0u);
}

TEST_F(PhysicsEngineTest, DestroyedEngineLeavesNoDanglingStaticBody)
{
    {
        PhysicsEngine engine;
        EXPECT_NE(StaticBody, nullptr);
    }
    EXPECT_EQ(StaticBody, nullptr);
}
// A pile of discs that knock into each other, the floor and two walls, with every integrator kind,
// an off-centre body, a nail and a weld, and one body removed half-way: the engine's floats are pinned
// bit for bit, frame by frame, so that a faster pass cannot change what the game simulates.
struct Pile
{
    static constexpr float Radius = 0.5f;
    static constexpr float Wall = 4.0f;
    PhysicsEngine engine;
    Core::Vector<u32> ids;

    explicit Pile(u32 accuracy)
    {
        engine.SetAccuracy(accuracy);
        std::mt19937 random(77);
        auto uniform = [&](float low, float high) { return std::uniform_real_distribution<float>(low, high)(random); };
        for (u32 i = 0; i < 40; ++i)
        {
            const u32 kind = i % 4 == 2 ? RigidBody::IntegratorHeun
                             : i % 4 == 3 ? RigidBody::IntegratorRungeKutta
                                          : RigidBody::IntegratorEuler;
            const float inertia = i % 5 == 0 ? 0.0f : 0.125f;
            const Vector2D center = i == 7 ? Vector2D(0.1f, -0.05f) : Vector2D();
            Core::RefPtr<RigidBody> body = MakeBody(1.0f + 0.1f * float(i % 3), inertia,
                                                    Vector2D(uniform(-3.5f, 3.5f), Radius + 1.1f * float(i / 8)),
                                                    kind, center);
            body->SetVelocity(Vector2D(uniform(-2, 2), uniform(-1, 1)));
            body->SetAngularVelocity(uniform(-90, 90));
            ids.push_back(engine.AddRigidBody(body));
            PhysicsTest::AddGravity(engine, ids.back());
        }
        engine.AddJoint(ids[1], ids[2], new JointNail(Vector2D(), Vector2D(), Vector2D(1, 0), 0, 0, 30, 0.5f));
        engine.AddJoint(ids[9], 0, new JointFixed());
        engine.SetContactListUpdate(&Pile::Report);
        engine.SetContactListUpdateData(this);
    }

    static void Report(PhysicsEngine* engine, void* data)
    {
        const Pile& pile = *static_cast<const Pile*>(data);
        for (std::size_t a = 0; a < pile.ids.size(); ++a)
        {
            Core::RefPtr<RigidBody> first = engine->GetRigidBody(pile.ids[a]);
            if (!first)
                continue;
            const Vector2D p = first->GetPosition();
            for (std::size_t b = a + 1; b < pile.ids.size(); ++b)
            {
                Core::RefPtr<RigidBody> second = engine->GetRigidBody(pile.ids[b]);
                if (!second)
                    continue;
                const Vector2D q = second->GetPosition();
                const Vector2D apart = p - q;
                const float distance = std::sqrt(Math::Dot(apart, apart));
                if (distance > 2.0f * Radius + 1e-3f || distance == 0.0f)
                    continue;
                engine->AddContact(pile.ids[a], pile.ids[b],
                                   new Contact((p + q) * 0.5f, apart, p, q, std::max(0.0f, 2.0f * Radius - distance),
                                               0.3f, 0.5f, 1));
            }
            const struct
            {
                float gap;
                Vector2D normal;
                Vector2D point;
            } sides[3] = {{p.y - Radius, Vector2D(0, 1), Vector2D(p.x, 0)},
                          {p.x + Wall - Radius, Vector2D(1, 0), Vector2D(-Wall, p.y)},
                          {Wall - p.x - Radius, Vector2D(-1, 0), Vector2D(Wall, p.y)}};
            for (const auto& side : sides)
            {
                if (side.gap <= 1e-3f)
                    engine->AddContact(pile.ids[a], 0,
                                       new Contact(side.point, side.normal, p, Vector2D(), std::max(0.0f, -side.gap),
                                                   0.2f, 0.6f, 0));
            }
        }
    }
};

void Mix(u64& hash, float value)
{
    u32 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int k = 0; k < 4; ++k)
    {
        hash ^= (bits >> (8 * k)) & 0xFF;
        hash *= 1099511628211ull;
    }
}

u64 RunPile(u32 accuracy)
{
    Pile pile(accuracy);
    u64 hash = 14695981039346656037ull;
    for (int frame = 0; frame < 240; ++frame)
    {
        if (frame == 120)
            pile.engine.RemoveRigidBody(pile.ids[20]);
        PhysicsTest::Step(pile.engine, 1.0f / 60.0f);
        for (const Core::RefPtr<RigidBody>& body : pile.engine.GetRigidBodies())
        {
            if (!body)
                continue;
            for (float value : {body->GetPosition().x, body->GetPosition().y, body->GetOrientationRadians(),
                                body->GetVelocity().x, body->GetVelocity().y, body->GetAngularVelocityRadians(),
                                body->GetCenterOfMass().x, body->GetCenterOfMass().y})
                Mix(hash, value);
            for (float value : body->GetMatrix().m)
                Mix(hash, value);
            for (float value : body->GetInverseMatrix().m)
                Mix(hash, value);
            for (float value : body->GetPoseIntegrator()->GetState())
                Mix(hash, value);
            for (float value : body->GetVelocityIntegrator()->GetState())
                Mix(hash, value);
        }
        for (const Core::RefPtr<Contact>& contact : pile.engine.GetContacts())
        {
            for (float value : {contact->GetDepth(), contact->GetWorldAnchor1().x, contact->GetWorldAnchor1().y,
                                contact->GetWorldAnchor2().x, contact->GetWorldAnchor2().y})
                Mix(hash, value);
        }
        const ConstraintSolver& solver = pile.engine.GetSolver();
        for (u32 row = 0; row < solver.GetRowCount(); ++row)
            Mix(hash, solver.GetMultiplier(row));
    }
    return hash;
}

TEST_F(PhysicsEngineTest, APileOfDiscsStepsToTheSameBitsAsEver)
{
    EXPECT_EQ(RunPile(10), 0x9bc21c1548d24d96ull);
    EXPECT_EQ(RunPile(ConstraintSolver::DefaultIterations), 0x37fe0282204f6e8eull);
}

TEST_F(PhysicsEngineTest, APileOfDiscsStepsToTheSameBitsWithAndWithoutWideVectors)
{
    ConstraintSweeps::SetWideVectors(false);
    EXPECT_FALSE(ConstraintSweeps::GetWideVectors());
    const u64 plain10 = RunPile(10);
    const u64 plain75 = RunPile(ConstraintSolver::DefaultIterations);
    ConstraintSweeps::SetWideVectors(true);
    EXPECT_EQ(plain10, 0x9bc21c1548d24d96ull);
    EXPECT_EQ(plain75, 0x37fe0282204f6e8eull);
    EXPECT_EQ(RunPile(10), 0x9bc21c1548d24d96ull);
    EXPECT_EQ(RunPile(ConstraintSolver::DefaultIterations), 0x37fe0282204f6e8eull);
}

} // namespace
