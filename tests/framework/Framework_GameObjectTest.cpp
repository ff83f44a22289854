// Game objects: life time, mounting, copies, the render transform, the collision object and rigid
// body they carry, and their saved-game record.
#include "Framework_GameFixture.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "core/Core_File.h"
#include "math/Math_Matrix4x4.h"
#include "physics/Physics_PhysicsEngine.h"

using namespace FrameworkTest;
using Vellumar::GameObject;
using Vellumar::Layer;

namespace
{
class GameObjectTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        MakeGame();
        layer = new Layer(0.0f);
        actor = new Collision2D::CollisionActor();
        Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
        frame.AddCircle({0.0f, 0.0f}, 5.0f, 1, true);
        game->AddCollisionAssets(actor);
    }

    void TearDown() override
    {
        layer->Cleanup();
        layer = nullptr;
        GameFixture::TearDown();
    }

    // A dynamic circle body for the object, in the layer's collision layer.
    void GiveBody(GameObject& object)
    {
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        object.AddCollision(body, layer->GetCollisionId());
    }

    static Physics2D::MassProperties UnitMass() { return Physics2D::MassProperties(1.0f, 1.0f, Math::Vector2D()); }

    Core::RefPtr<Layer> layer;
    Collision2D::CollisionActor* actor = nullptr;
};

void ExpectNear(const Math::Vector2D& actual, f32 x, f32 y)
{
    EXPECT_NEAR(actual.x, x, 1e-4f);
    EXPECT_NEAR(actual.y, y, 1e-4f);
}
}  // namespace

TEST_F(GameObjectTest, LifeEndsInTheFrameItsAgeExceedsTheLifeTime)
{
    auto* object = new LoggingObject(log, "spark");
    object->SetLifeTime(2.0f);
    layer->AddGameObject(object);
    const Core::RefPtr<LoggingObject> hold(object);
    for (int frame = 1; frame <= 4; ++frame)
    {
        layer->Update(0.5f);
    }
    // Age 2.0 is not beyond 2.0: four updates ran.
    EXPECT_EQ(Entries("spark.Update").size(), 4u);
    EXPECT_FALSE(object->IsDestroying());
    layer->Update(0.5f);
    EXPECT_EQ(object->GetAge(), 2.5f);
    EXPECT_TRUE(object->IsDestroying());
    EXPECT_EQ(Entries("spark.Update").size(), 4u);
    layer->Update(0.5f);
    EXPECT_TRUE(object->IsDestroyed());
    EXPECT_EQ(layer->GetGameObjectsCount(), 0u);
}

TEST_F(GameObjectTest, AZeroLifeTimeNeverEndsAndKeepsTheAge)
{
    auto* object = new LoggingObject(log, "rock");
    layer->AddGameObject(object);
    for (int frame = 0; frame < 10; ++frame)
    {
        layer->Update(1.0f);
    }
    EXPECT_EQ(object->GetAge(), 0.0f);
    EXPECT_FALSE(object->IsDestroying());
}

TEST_F(GameObjectTest, MountedObjectsTurnAboutTheirSupport)
{
    const Core::RefPtr<GameObject> support(new GameObject());
    const Core::RefPtr<GameObject> child(new GameObject());
    const Core::RefPtr<GameObject> grandchild(new GameObject());
    support->SetPosition(100.0f, 50.0f);
    child->SetPosition(110.0f, 50.0f);
    grandchild->SetPosition(120.0f, 50.0f);
    support->Mount(child.Get());
    child->Mount(grandchild.Get());
    support->SetRotationAngle(90.0f);
    ExpectNear(child->GetPosition(), 100.0f, 60.0f);
    EXPECT_FLOAT_EQ(child->GetRotationAngle(), 90.0f);
    // The grandchild turns about the same support point, not about its own support.
    ExpectNear(grandchild->GetPosition(), 100.0f, 70.0f);
    EXPECT_FLOAT_EQ(grandchild->GetRotationAngle(), 90.0f);
    support->SetPosition(0.0f, 0.0f);
    ExpectNear(child->GetPosition(), 0.0f, 10.0f);
    ExpectNear(grandchild->GetPosition(), 0.0f, 20.0f);
}

TEST_F(GameObjectTest, MountingRefusesCyclesLeavesTheOldSupportAndIgnoresRepeats)
{
    const Core::RefPtr<GameObject> a(new GameObject());
    const Core::RefPtr<GameObject> b(new GameObject());
    const Core::RefPtr<GameObject> c(new GameObject());
    a->Mount(b.Get());
    b->Mount(c.Get());
    c->Mount(a.Get());
    EXPECT_EQ(a->GetMount(), nullptr);
    EXPECT_TRUE(c->GetMountedObjects().empty());
    a->Mount(a.Get());
    EXPECT_EQ(a->GetMountedObjects().size(), 1u);
    a->Mount(b.Get());
    EXPECT_EQ(a->GetMountedObjects().size(), 1u);
    // Re-mounting c on a takes it off b first.
    a->Mount(c.Get());
    EXPECT_TRUE(b->GetMountedObjects().empty());
    EXPECT_EQ(c->GetMount(), a.Get());
    EXPECT_EQ(a->GetMountedObjects().size(), 2u);
    // Moving b no longer carries c.
    b->SetPosition(5.0f, 5.0f);
    ExpectNear(c->GetPosition(), 0.0f, 0.0f);
    a->UnMount(c.Get());
    EXPECT_EQ(c->GetMount(), nullptr);
    // A cleaned-up object leaves its support and lets its own mounted objects go.
    b->Cleanup();
    EXPECT_TRUE(a->GetMountedObjects().empty());
}

TEST_F(GameObjectTest, AnObjectWithoutCollisionHasANullResultsHandleAndFiltersNothing)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    EXPECT_TRUE(object->GetCollisionObject().IsNull());
    Core::Vector<u32> list{7};
    EXPECT_FALSE(object->FilterTileMapNewEntries_UsingBoundingRectangle(-1, -1, -1, 0, 0, list, 0));
    EXPECT_FALSE(object->FilterTileMapStaticEntries_UsingBoundingRectangle(-1, -1, -1, 0, 0, list, 0));
    EXPECT_FALSE(object->FilterTileMapNewEntries_UsingHotSpot(-1, -1, -1, -1, 0, 0, list, 0));
    EXPECT_FALSE(object->FilterTileMapStaticEntries_UsingHotSpot(-1, -1, -1, -1, 0, list, 0));
    EXPECT_EQ(list, Core::Vector<u32>{7}) << "untouched";
}

TEST_F(GameObjectTest, ACopyKeepsTheNameTakesTheNextIdAndIsInNoLayer)
{
    auto* enemy = new LoggingObject(log, "enemy");
    enemy->SetPosition(3.0f, 4.0f);
    enemy->SetRotationAngle(30.0f);
    enemy->SetScale(2.0f, 3.0f);
    enemy->SetLifeTime(5.0f);
    enemy->SetVisible(false);
    layer->AddGameObject(enemy);
    const Core::RefPtr<GameObject> other(new GameObject());
    other->Mount(enemy);
    const Core::RefPtr<GameObject> copy(enemy->Clone());
    EXPECT_EQ(copy->GetName(), "enemy");
    EXPECT_EQ(copy->GetID(), other->GetID() + 1);
    EXPECT_EQ(copy->GetLayer(), nullptr);
    EXPECT_EQ(copy->GetMount(), nullptr);
    EXPECT_EQ(copy->GetPosition(), enemy->GetPosition());
    EXPECT_EQ(copy->GetRotationAngle(), 30.0f);
    EXPECT_EQ(copy->GetScaleY(), 3.0f);
    EXPECT_EQ(copy->GetLifeTime(), 5.0f);
    EXPECT_FALSE(copy->GetVisible());
    EXPECT_NE(copy->GetRenderNode(), enemy->GetRenderNode());
    EXPECT_NE(dynamic_cast<LoggingObject*>(copy.Get()), nullptr);
}

TEST_F(GameObjectTest, ACopyGetsCopiesOfTheBodiesButACleanedUpPrototypeGivesNone)
{
    const Core::RefPtr<GameObject> prototype(new GameObject());
    prototype->SetPosition(10.0f, 0.0f);
    GiveBody(*prototype);
    ASSERT_TRUE(prototype->AddPhysicalProperties(UnitMass(), 0));
    const Core::RefPtr<GameObject> copy(prototype->Clone());
    EXPECT_NE(copy->GetCollisionId(), 0u);
    EXPECT_NE(copy->GetCollisionId(), prototype->GetCollisionId());
    EXPECT_NE(copy->GetPhysicsId(), 0u);
    ASSERT_NE(copy->GetRegisteredObject(), nullptr);
    EXPECT_EQ(copy->GetRegisteredObject()->GetUserData(), copy.Get());
    EXPECT_EQ(game->GetPhysicsEngine()->GetRigidBody(copy->GetPhysicsId())->GetCallbackData(), copy.Get());

    prototype->Cleanup();
    EXPECT_EQ(prototype->GetPhysicsId(), 0u);
    EXPECT_NE(prototype->GetCollisionId(), 0u);
    // The prototype's old slot is taken by a new object: a copy must not clone that one.
    const Core::RefPtr<GameObject> newcomer(new GameObject());
    GiveBody(*newcomer);
    ASSERT_EQ(newcomer->GetCollisionId(), prototype->GetCollisionId());
    const u32 bodies = static_cast<u32>(game->GetPhysicsEngine()->GetRigidBodies().size());
    const Core::RefPtr<GameObject> late(prototype->Clone());
    EXPECT_EQ(late->GetCollisionId(), 0u);
    EXPECT_EQ(late->GetPhysicsId(), 0u);
    EXPECT_EQ(game->GetPhysicsEngine()->GetRigidBodies().size(), bodies);
}

TEST_F(GameObjectTest, StaleCollisionIdsNameNothing)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    EXPECT_EQ(object->GetRegisteredObject(), nullptr);
    EXPECT_EQ(object->GetTileMapCollisionObject(), nullptr);
    EXPECT_FALSE(object->ObjectInCollision());
    GiveBody(*object);
    ASSERT_NE(object->GetRegisteredObject(), nullptr);
    const u32 id = object->GetCollisionId();
    object->Cleanup();
    EXPECT_EQ(object->GetCollisionId(), id);
    EXPECT_EQ(object->GetRegisteredObject(), nullptr);
    const Core::RefPtr<GameObject> newcomer(new GameObject());
    GiveBody(*newcomer);
    ASSERT_EQ(newcomer->GetCollisionId(), id);
    EXPECT_EQ(object->GetRegisteredObject(), nullptr);
}

TEST_F(GameObjectTest, AnObjectOutlivingItsCollisionLayerLeavesTheNextOccupantAlone)
{
    Core::RefPtr<GameObject> old(new GameObject());
    GiveBody(*old);
    // The collision world is reset under the object, as a level switch does, and a new object
    // takes the same id.
    game->GetCollisionEngine()->RemoveAllLayers();
    const Core::RefPtr<Layer> next(new Layer(0.0f));
    ASSERT_EQ(next->GetCollisionId(), 0);
    const Core::RefPtr<GameObject> newcomer(new GameObject());
    auto* body = new Collision2D::DynamicObject();
    body->AddCollisionData(actor, 0, 0);
    newcomer->AddCollision(body, next->GetCollisionId());
    ASSERT_EQ(newcomer->GetCollisionId(), old->GetCollisionId());
    old = nullptr;
    EXPECT_NE(newcomer->GetRegisteredObject(), nullptr);
    next->Cleanup();
}

TEST_F(GameObjectTest, DestroyingAnObjectInNoLayerOnlyMarksIt)
{
    const Core::RefPtr<GameObject> loose(new GameObject());
    loose->Destroy();
    EXPECT_TRUE(loose->IsDestroying());
    EXPECT_FALSE(loose->IsDestroyed());
}

TEST_F(GameObjectTest, PoseSettersCarryTheCollisionObjectAndTheBody)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    GiveBody(*object);
    ASSERT_TRUE(object->AddPhysicalProperties(UnitMass(), 0));
    EXPECT_FALSE(object->AddPhysicalProperties(UnitMass(), 0));
    object->SetPosition(7.0f, 8.0f);
    object->SetRotationAngle(45.0f);
    const Core::RefPtr<Physics2D::RigidBody> body = game->GetPhysicsEngine()->GetRigidBody(object->GetPhysicsId());
    ExpectNear(body->GetPosition(), 7.0f, 8.0f);
    EXPECT_NEAR(body->GetOrientation(), 45.0f, 1e-3f);
    EXPECT_EQ(object->GetRegisteredObject()->GetOrientation(), 45.0f);
    // SetOldPosition moves the object itself too.
    object->SetOldPosition(1.0f, 2.0f);
    ExpectNear(object->GetPosition(), 1.0f, 2.0f);
    ExpectNear(body->GetPosition(), 1.0f, 2.0f);
    EXPECT_TRUE(object->SetVelocity(Math::Vector2D(3.0f, 4.0f)));
    EXPECT_TRUE(object->SetSpeed(10.0f));
    Math::Vector2D velocity;
    game->GetPhysicsEngine()->GetRigidBodyVelocity(object->GetPhysicsId(), velocity);
    ExpectNear(velocity, 6.0f, 8.0f);
    EXPECT_TRUE(object->SetVelocityDirection(0.0f, -2.0f));
    game->GetPhysicsEngine()->GetRigidBodyVelocity(object->GetPhysicsId(), velocity);
    ExpectNear(velocity, 0.0f, -10.0f);
    object->Cleanup();
    EXPECT_EQ(object->GetPhysicsId(), 0u);
    EXPECT_FALSE(object->SetSpeed(1.0f));
}

TEST_F(GameObjectTest, DirectionsFollowTheRotation)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    object->SetDirection(0.0f, 2.0f);
    EXPECT_NEAR(object->GetRotationAngle(), 90.0f, 1e-4f);
    ExpectNear(object->GetDirection(), 0.0f, 1.0f);
    object->SetDirectionX(-1.0f);
    EXPECT_NEAR(object->GetRotationAngle(), 135.0f, 1e-3f);
}

TEST_F(GameObjectTest, TheRenderTransformTurnsAndScalesAboutTheCentre)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    object->SetCenter(Math::Vector2D(10.0f, 0.0f));
    object->SetScale(2.0f, 1.0f);
    object->SetZOrder(3.0f);
    object->SetPosition(100.0f, 50.0f);
    object->SetRotationAngle(90.0f);
    const Math::Matrix4x4& m = object->GetRenderNode()->GetTransform();
    // The local point the scaling maps onto the centre, (5, 0), lands on the position.
    Math::Vector3D p = Math::TransformPoint(m, Math::Vector3D(5.0f, 0.0f, 0.0f));
    EXPECT_NEAR(p.x, 100.0f, 1e-4f);
    EXPECT_NEAR(p.y, 50.0f, 1e-4f);
    // (0, 0) scales to (0, 0), 10 left of the centre; turned by 90 degrees it is 10 below.
    p = Math::TransformPoint(m, Math::Vector3D(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(p.x, 100.0f, 1e-4f);
    EXPECT_NEAR(p.y, 40.0f, 1e-4f);
    EXPECT_EQ(p.z, 3.0f);
    // Without transform sync the matrix stays.
    object->SetTransformSync(false);
    object->SetPosition(0.0f, 0.0f);
    EXPECT_NEAR(Math::TransformPoint(object->GetRenderNode()->GetTransform(), Math::Vector3D(5.0f, 0.0f, 0.0f)).x,
                100.0f, 1e-4f);
}

TEST_F(GameObjectTest, TheSavedRecordRestoresTheObject)
{
    auto* support = new GameObject();
    auto* object = new GameObject();
    support->SetName("support");
    object->SetName("saved");
    support->Mount(object);
    object->SetPosition(1.0f, 2.0f);
    object->SetCenter(Math::Vector2D(3.0f, 4.0f));
    object->SetRotationAngle(5.0f);
    object->SetScale(6.0f, 7.0f);
    object->SetOpacity(0.5f);
    object->SetModulationColor(Math::Color(0.1f, 0.2f, 0.3f, 0.4f));
    object->SetVisible(false);
    object->SetLifeTime(9.0f);
    object->SetZOrder(-2.0f);
    layer->AddGameObject(support);
    layer->AddGameObject(object);
    layer->Update(0.25f);

    Core::MemoryFile file;
    file.WriteObject(layer.Get());
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<Layer> loaded;
    ASSERT_TRUE(readBack.ReadObjectInto(loaded));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    Core::Vector<GameObject*> found;
    loaded->GetGameObjectsByName("saved", found);
    ASSERT_EQ(found.size(), 1u);
    GameObject* copy = found[0];
    EXPECT_EQ(copy->GetID(), object->GetID());
    EXPECT_EQ(copy->GetLayer(), loaded.Get());
    ASSERT_NE(copy->GetMount(), nullptr);
    EXPECT_EQ(copy->GetMount()->GetName(), "support");
    EXPECT_EQ(copy->GetMount()->GetMountedObjects().size(), 1u);
    EXPECT_EQ(copy->GetPosition(), object->GetPosition());
    EXPECT_EQ(copy->GetCenter(), object->GetCenter());
    EXPECT_EQ(copy->GetRotationAngle(), 5.0f);
    EXPECT_EQ(copy->GetScaleX(), 6.0f);
    EXPECT_EQ(copy->GetOpacity(), 0.5f);
    EXPECT_EQ(copy->GetModulationColor().b, 0.3f);
    EXPECT_FALSE(copy->GetVisible());
    EXPECT_EQ(copy->GetLifeTime(), 9.0f);
    EXPECT_EQ(copy->GetAge(), 0.25f);
    EXPECT_EQ(copy->GetZOrder(), -2.0f);
    EXPECT_EQ(loaded->GetZOrder(), 0.0f);
    EXPECT_EQ(loaded->GetGameObjectsCount(), 2u);
    EXPECT_EQ(copy->GetRenderNode()->GetParent(), loaded->GetSceneGroup());
    // The loaded layer shares the collision layer it was saved with; its cleanup is the original's.
    loaded = nullptr;
}

TEST_F(GameObjectTest, ARecordThatNamesAnObjectOfAnotherClassFailsTheStream)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    Core::MemoryFile file;
    object->Save(file);
    // Point the layer reference (after pose, no mounted objects and a null support) at a level.
    Core::MemoryFile tampered;
    tampered.Write(file.GetData(), 24);
    const Core::RefPtr<Vellumar::Level> level(new Vellumar::Level());
    tampered.WriteObject(level.Get());
    Core::MemoryFile readBack(tampered.GetData(), tampered.GetSize());
    const Core::RefPtr<GameObject> copy(new GameObject());
    copy->Load(readBack);
    EXPECT_TRUE(readBack.Failed());
    EXPECT_EQ(copy->GetLayer(), nullptr);
}

namespace
{
// Writes the game-object record with mount links of the test's choosing, as a hostile saved game
// could hold them.
class LinkedObject : public GameObject
{
public:
    void Save(Core::File& file) override
    {
        Math::WriteVector2D(file, GetPosition());
        Math::WriteVector2D(file, GetCenter());
        Core::WriteF32(file, 0.0f);
        Core::WriteU32(file, static_cast<u32>(mounted.size()));
        for (GameObject* object : mounted)
        {
            file.WriteObject(object);
        }
        file.WriteObject(support);
        file.WriteObject(nullptr);
        Core::WriteString(file, GetName());
        for (f32 value : {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f})
        {
            Core::WriteF32(file, value);
        }
        Core::WriteU8(file, 1);
        for (f32 value : {0.0f, 0.0f, 0.0f})
        {
            Core::WriteF32(file, value);
        }
        for (u32 value : {GetID(), 0u, 0u})
        {
            Core::WriteU32(file, value);
        }
        for (u8 value : {0, 0, 1, 0, 0})
        {
            Core::WriteU8(file, value);
        }
        Core::WriteString(file, Core::String());
        Core::WriteU8(file, 0);
        Core::WriteU8(file, 0);
    }

    std::vector<GameObject*> mounted;
    GameObject* support = nullptr;
};
}  // namespace

TEST_F(GameObjectTest, MountLinksReadFromAStreamAreMadeConsistentAndAcyclic)
{
    // x and y each carry the other; z claims x as its support, which x does not list.
    const Core::RefPtr<LinkedObject> x(new LinkedObject());
    const Core::RefPtr<LinkedObject> y(new LinkedObject());
    const Core::RefPtr<LinkedObject> z(new LinkedObject());
    x->mounted = {y.Get()};
    x->support = y.Get();
    y->mounted = {x.Get()};
    y->support = x.Get();
    z->support = x.Get();
    Core::MemoryFile file;
    file.WriteObject(x.Get());
    file.WriteObject(z.Get());
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<GameObject> lx;
    Core::RefPtr<GameObject> lz;
    ASSERT_TRUE(readBack.ReadObjectInto(lx));
    ASSERT_TRUE(readBack.ReadObjectInto(lz));
    ASSERT_EQ(lx->GetMountedObjects().size(), 1u);
    const Core::RefPtr<GameObject> ly(lx->GetMountedObjects()[0]);
    ASSERT_EQ(lx->GetMount(), ly.Get());
    ASSERT_EQ(ly->GetMount(), lx.Get());

    GameObject::RepairMounts(Core::Vector<GameObject*>{lx.Get(), lz.Get()});
    EXPECT_EQ(lz->GetMount(), nullptr);
    EXPECT_TRUE(lx->GetMount() == nullptr || ly->GetMount() == nullptr);
    for (GameObject* object : {lx.Get(), ly.Get()})
    {
        for (GameObject* mounted : object->GetMountedObjects())
        {
            EXPECT_EQ(mounted->GetMount(), object);
        }
    }
    // Moves and turns end.
    lx->SetPosition(50.0f, 50.0f);
    ly->SetRotationAngle(45.0f);
    lx->Cleanup();
    ly->Cleanup();
}

TEST_F(GameObjectTest, AnObjectFreedAfterAStreamIsReadLeavesNoMountLinkToItself)
{
    // x lists y, whose own record names z as its support.
    const Core::RefPtr<LinkedObject> x(new LinkedObject());
    const Core::RefPtr<LinkedObject> y(new LinkedObject());
    const Core::RefPtr<LinkedObject> z(new LinkedObject());
    x->mounted = {y.Get()};
    y->support = z.Get();
    Core::MemoryFile file;
    file.WriteObject(x.Get());
    Core::RefPtr<GameObject> lx;
    {
        Core::MemoryFile readBack(file.GetData(), file.GetSize());
        ASSERT_TRUE(readBack.ReadObjectInto(lx));
        ASSERT_EQ(lx->GetMountedObjects().size(), 1u);
        EXPECT_EQ(lx->GetMountedObjects()[0]->GetMount(), lx.Get());
        // Nothing else holds it: it goes with the stream.
    }
    EXPECT_TRUE(lx->GetMountedObjects().empty());
    lx->SetPosition(5.0f, 5.0f);
    lx->Cleanup();
}

TEST_F(GameObjectTest, ObjectsOnlyARefusedRecordNamesGoWithIt)
{
    // x carries y and names z as its support; nothing else holds y or z, and x is read where a
    // layer belongs.
    const Core::RefPtr<LinkedObject> x(new LinkedObject());
    const Core::RefPtr<LinkedObject> y(new LinkedObject());
    const Core::RefPtr<LinkedObject> z(new LinkedObject());
    x->mounted = {y.Get()};
    x->support = z.Get();
    Core::MemoryFile file;
    file.WriteObject(x.Get());
    const auto objectsInUse = [] {
        Core::MemoryLock lock;
        const Core::PoolAllocator& pool = Core::PoolAllocator::Instance();
        return pool.GetChunkCount(sizeof(GameObject)) * Core::PoolAllocator::ElementsPerChunk -
               pool.GetFreeCount(sizeof(GameObject));
    };
    const u32 before = objectsInUse();
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    Core::RefPtr<Layer> wrong;
    EXPECT_FALSE(readBack.ReadObjectInto(wrong));
    EXPECT_EQ(objectsInUse(), before) << "the stream still lives, yet what only x named is gone";
}

TEST_F(GameObjectTest, TheRenderTransformIsTheProductOfItsFiveFactors)
{
    const Core::RefPtr<GameObject> object(new GameObject());
    object->SetCenter(Math::Vector2D(-3.0f, 7.5f));
    object->SetScale(0.5f, -2.0f);
    object->SetZOrder(-4.0f);
    object->SetPosition(12.25f, -30.0f);
    object->SetRotationAngle(-137.0f);
    const Math::Vector2D c = object->GetCenter();
    const Math::Matrix4x4 product = Math::Matrix4x4::Translation(12.25f - c.x, -30.0f - c.y, -4.0f) *
                                    Math::Matrix4x4::Translation(c.x, c.y, 0.0f) *
                                    Math::Matrix4x4::RotationZ(-137.0f) *
                                    Math::Matrix4x4::Translation(-c.x, -c.y, 0.0f) *
                                    Math::Matrix4x4::Scaling(0.5f, -2.0f, 1.0f);
    const Math::Matrix4x4& matrix = object->GetRenderNode()->GetTransform();
    for (int i = 0; i < 16; ++i)
    {
        EXPECT_NEAR(matrix.e[i], product.e[i], 1e-4f) << "element " << i;
    }
}
