// Object-graph streams: any registered class may be named, so one stream reaches every class's
// Load. Seeds are a scene tree, a physics world and a sprite as their own writers save them.
#include "fuzz/Fuzz_Target.h"

#include "core/Core_File.h"
#include "engine/Engine_Group.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_TransformationGroup.h"
#include "physics/Physics_Force.h"
#include "physics/Physics_Globals.h"
#include "physics/Physics_JointAngularMotor.h"
#include "physics/Physics_JointFixed.h"
#include "physics/Physics_JointNail.h"
#include "physics/Physics_JointSlider.h"
#include "physics/Physics_PhysicsEngine.h"

#include <algorithm>

namespace
{
using Math::Vector2D;
using namespace Physics2D;

bool Read(const u8* data, std::size_t size)
{
    ResetGlobals();
    Core::MemoryFile file(data, static_cast<u32>(size));
    // Objects are kept until the stream is done, as a reader keeps what it read: a later
    // reference may name any of them.
    Core::Vector<Core::RefPtr<Core::Object>> objects;
    while (file.GetRemaining() > 0 && !file.Failed())
        objects.emplace_back(file.ReadObject());
    const bool accepted = !objects.empty() && std::all_of(objects.begin(), objects.end(), [](const auto& object) { return object.Get() != nullptr; });
    objects.clear();
    ResetGlobals();
    return accepted && !file.Failed();
}

Fuzz::Bytes Saved(Core::Object* object)
{
    Core::MemoryFile file;
    file.WriteObject(object);
    return Fuzz::Bytes(file.GetData(), file.GetData() + file.GetSize());
}

Fuzz::Bytes SceneTree()
{
    const Core::RefPtr<Engine::Group> root(new Engine::Group());
    root->SetName("root");
    const Core::RefPtr<Engine::TransformationGroup> layer(new Engine::TransformationGroup());
    layer->SetName("layer");
    layer->SetTransform(Math::Matrix4x4::Translation(0.0f, 40.0f, 0.0f));
    root->AttachChild(layer);
    for (const char* name : {"a", "b"})
    {
        Core::RefPtr<Engine::Node> leaf(new Engine::Node());
        leaf->SetName(name);
        layer->AttachChild(leaf);
    }
    const Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite());
    sprite->SetName("sprite");
    root->AttachChild(sprite);
    return Saved(root);
}

u32 AddBody(PhysicsEngine& engine, float mass, const Vector2D& position, u32 integrator)
{
    Core::RefPtr<RigidBody> body(new RigidBody(MassProperties(mass, mass * 0.5f, Vector2D()), integrator, nullptr, nullptr, nullptr));
    body->SetPosition(position);
    return engine.AddRigidBody(body);
}

Fuzz::Bytes PhysicsWorld()
{
    ResetGlobals();
    const Core::RefPtr<PhysicsEngine> engine(new PhysicsEngine());
    const u32 euler = AddBody(*engine, 1.0f, Vector2D(0.0f, 0.5f), RigidBody::IntegratorEuler);
    const u32 heun = AddBody(*engine, 2.0f, Vector2D(3.0f, 2.0f), RigidBody::IntegratorHeun);
    const u32 rk = AddBody(*engine, 1.5f, Vector2D(-2.0f, 3.0f), RigidBody::IntegratorRungeKutta);
    const u32 still = AddBody(*engine, 3.0f, Vector2D(6.0f, 1.0f), RigidBody::IntegratorNone);
    u32 forceId = 0;
    engine->AddRigidBodyForce(euler, new GravityForce(Vector2D(0.0f, -1.0f), 9.8f), forceId);
    engine->AddRigidBodyForce(heun, new DragForce(0.1f, 0.01f), forceId);
    engine->AddRigidBodyForce(rk, new ConstantForce(Vector2D(-2.0f, 3.5f), Vector2D(2.0f, 0.0f), 0.5f), forceId);
    engine->AddJoint(heun, 0, new JointNail(Vector2D(3.0f, 4.0f), Vector2D(3.0f, 4.0f), Vector2D(1, 0), 0, 0, 45.0f, 0.2f));
    engine->AddJoint(heun, rk, new JointHinge(Vector2D(1.0f, 2.0f), Vector2D(1.0f, 2.0f), Vector2D(1, 0), 0, 0, JointNail::NoAngleLimit, 0.3f));
    engine->AddJoint(rk, 0, new JointSpring(Vector2D(-2.0f, 3.0f), Vector2D(-2.0f, 5.0f), Vector2D(0, 1), 50.0f, 2.0f, JointNail::NoAngleLimit, 0.2f));
    engine->AddJoint(0, still, new JointSlider(Vector2D(1.0f, 1.0f), 0.2f));
    engine->AddJoint(euler, still, new JointFixed());
    engine->AddJoint(euler, heun, new JointAngularMotor(30.0f, 2.0f));
    for (int i = 0; i < 5; ++i)
    {
        engine->Update(1.0f / 60.0f);
        engine->PostCollisionUpdate(1.0f / 60.0f);
    }
    Fuzz::Bytes bytes = Saved(engine);
    ResetGlobals();
    return bytes;
}

void WriteSeeds(Fuzz::Seeds& seeds)
{
    seeds.emplace_back("scene-tree", SceneTree());
    seeds.emplace_back("physics-world", PhysicsWorld());
}

const Fuzz::Registration registration("ObjectStream", Read, WriteSeeds);
}  // namespace
