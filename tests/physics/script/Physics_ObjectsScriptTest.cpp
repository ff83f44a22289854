#include "tests/support/Support_ScriptTest.h"

#include "script/Lua_Stack.h"
#include "physics/Physics_Contact.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_Forces.h"
#include "physics/Physics_JointNail.h"
#include "physics/Physics_MassProperties.h"
#include "physics/Physics_PhysicsEngine.h"
#include "physics/Physics_RigidBody.h"

namespace
{
using namespace Physics2D;
using Math::Vector2D;

RigidBody* NewBody()
{
    return new RigidBody(MassProperties(2, 3, Vector2D(0.5f, 0)), 0, nullptr, nullptr, nullptr);
}

TEST_F(ScriptTest, ScriptsDriveThePhysicsEngineItsBodiesJointsAndForces)
{
    Core::RefPtr<PhysicsEngine> engine = new PhysicsEngine();
    Core::RefPtr<RigidBody> body = NewBody();
    Core::RefPtr<RigidBody> other = NewBody();
    Core::RefPtr<RigidBody> newBody = NewBody();
    const u32 bodyId = engine->AddRigidBody(body);
    const u32 otherId = engine->AddRigidBody(other);
    Core::RefPtr<Joint> joint = new JointNail(Vector2D(), Vector2D(), Vector2D(1, 0), 0, 0, JointNail::NoAngleLimit, 0.5f);
    Core::RefPtr<Contact> contact = new Contact(Vector2D(), Vector2D(0, 1), Vector2D(), Vector2D(), 0, 0.3f, 0.5f, 1);
    Core::RefPtr<Force> force = new ConstantForce(Vector2D(), Vector2D(1, 0), -1, ConstantForce::ModeForce);
    Forces forces;
    MassProperties mass(5, 6, Vector2D(0.5f, 0));

    for (auto [name, object] : {std::pair<const char*, Core::Base*>{"engine", engine.Get()},
                                {"body", body.Get()},
                                {"newBody", newBody.Get()},
                                {"joint", joint.Get()},
                                {"contact", contact.Get()},
                                {"force", force.Get()},
                                {"forces", &forces},
                                {"mass", &mass}})
    {
        Lua::PushObject(master, object);
        SetGlobalFromTop(name);
    }
    SetGlobalNumber("bodyId", bodyId);
    SetGlobalNumber("otherId", otherId);
    SetGlobalNumber("expected_body_count", 3);

    // The natives the script's calls are checked against, on a twin engine.
    Core::RefPtr<PhysicsEngine> twin = new PhysicsEngine();
    Core::RefPtr<RigidBody> twinBody = NewBody();
    const u32 twinId = twin->AddRigidBody(twinBody);
    twin->SetRigidBodyVelocity(twinId, Vector2D(3, 4));
    Vector2D velocity;
    twin->GetRigidBodyVelocity(twinId, velocity);
    SetGlobalNumber("expected_vx", velocity.x);
    SetGlobalNumber("expected_vy", velocity.y);
    twin->SetRigidBodyOrientation(twinId, 90);
    Vector2D center;
    twin->GetRigidBodyCenterOfMass(twinId, center);
    SetGlobalNumber("expected_center_x", center.x);
    SetGlobalNumber("expected_plus_infinity", twin->GetPlusInfinity());
    SetGlobalNumber("expected_minus_infinity", twin->GetMinusInfinity());
    // The step is the one process-wide value, read when the script asks.
    lua_register(master, "expected_step", [](lua_State* state) {
        lua_pushnumber(state, Core::RefPtr<PhysicsEngine>(new PhysicsEngine())->GetSimulationStep());
        return 1;
    });
    lua_register(master, "expected_inverse_step", [](lua_State* state) {
        lua_pushnumber(state, Core::RefPtr<PhysicsEngine>(new PhysicsEngine())->GetSimulationInverseStep());
        return 1;
    });
    SetGlobalNumber("expected_epsilon", twin->GetEpsilon());
    twinBody->SetPosition(Vector2D(10, -5));
    twinBody->SetOrientation(45);
    SetGlobalNumber("expected_m1", twinBody->GetMatrix().m[0]);
    Core::RefPtr<Force> twinForce = new ConstantForce(Vector2D(), Vector2D(1, 0), -1, ConstantForce::ModeForce);
    SetGlobalNumber("expected_force_id", twinBody->AddForce(twinForce));
    twinForce->SetBody(twinBody);
    twinForce->SetPosition(Vector2D(10, -5));
    twinForce->Evaluate(0.1f);
    SetGlobalNumber("expected_evaluated_x", twinForce->GetEvaluatedForce().x);
    Forces twinForces;
    SetGlobalNumber("expected_forces_id", twinForces.AddForce(new ConstantForce(Vector2D(), Vector2D(1, 0), -1)));

    EXPECT_EQ(RunFile("Physics_Objects.lua"), "");
    EXPECT_EQ(mass.GetMass(), 4.0f);
    EXPECT_EQ(engine->GetAccuracy(), 27u);
}
} // namespace
