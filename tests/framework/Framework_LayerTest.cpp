// Layers: additions and removals at the next update with their hooks in order, the update order,
// the name index, and the static collision file.
#include "Framework_GameFixture.h"

#include "collision/Collision_Engine.h"
#include "collision/Collision_Layer.h"
#include "collision/Collision_StaticShapes.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"
#include "tests/support/Support_Scratch.h"

using namespace FrameworkTest;
using Vellumar::GameObject;
using Vellumar::Layer;

namespace
{
class LayerTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        MakeGame();
        layer = new Layer(2.0f);
    }

    void TearDown() override
    {
        layer->Cleanup();
        layer = nullptr;
        GameFixture::TearDown();
    }

    LoggingObject* Add(const char* name)
    {
        auto* object = new LoggingObject(log, name);
        layer->AddGameObject(object);
        return object;
    }

    std::vector<std::string> Names()
    {
        Core::Vector<GameObject*> objects;
        layer->GetGameObjects(objects);
        std::vector<std::string> names;
        for (GameObject* object : objects)
        {
            names.push_back(object->GetName().c_str());
        }
        return names;
    }

    Core::RefPtr<Layer> layer;
};
}  // namespace

TEST_F(LayerTest, AdditionsAndRemovalsTakeEffectAtTheNextUpdateWithTheirHooksInOrder)
{
    LoggingObject* a = Add("a");
    EXPECT_EQ(a->GetLayer(), layer.Get());
    EXPECT_EQ(layer->GetGameObjectsCount(), 0u);
    EXPECT_EQ(a->GetRenderNode()->GetParent(), nullptr);
    layer->Update(0.1f);
    EXPECT_EQ(log, (Log{"a.OnStart", "a.Update"}));
    EXPECT_EQ(layer->GetGameObjectsCount(), 1u);
    EXPECT_EQ(a->GetRenderNode()->GetParent(), layer->GetSceneGroup());

    log.clear();
    const Core::RefPtr<LoggingObject> hold(a);
    a->Destroy();
    a->Destroy();
    EXPECT_EQ(layer->GetGameObjectsCount(), 1u);
    layer->Update(0.1f);
    EXPECT_EQ(log, (Log{"a.OnEnd", "a.Cleanup"}));
    EXPECT_EQ(layer->GetGameObjectsCount(), 0u);
    EXPECT_EQ(a->GetRenderNode()->GetParent(), nullptr);
    EXPECT_TRUE(a->IsDestroyed());
    EXPECT_EQ(a->GetLayer(), nullptr);
}

TEST_F(LayerTest, AnObjectAddedByOnStartStartsInTheSamePassOneAddedByUpdateTheNextFrame)
{
    LoggingObject* a = Add("a");
    a->onStart = [this] { Add("fromStart"); };
    a->onUpdate = [this, a] {
        a->onUpdate = nullptr;
        Add("fromUpdate");
    };
    layer->Update(0.1f);
    EXPECT_EQ(log, (Log{"a.OnStart", "fromStart.OnStart", "a.Update", "fromStart.Update"}));
    log.clear();
    layer->Update(0.1f);
    EXPECT_EQ(log, (Log{"fromUpdate.OnStart", "a.Update", "fromStart.Update", "fromUpdate.Update"}));
}

TEST_F(LayerTest, ObjectsUpdateInIdOrderWhateverTheOrderOfAdding)
{
    auto* first = new LoggingObject(log, "first");
    auto* second = new LoggingObject(log, "second");
    auto* third = new LoggingObject(log, "third");
    layer->AddGameObject(third);
    layer->AddGameObject(first);
    layer->AddGameObject(second);
    layer->Update(0.1f);
    EXPECT_EQ(Names(), (std::vector<std::string>{"first", "second", "third"}));
    log.clear();
    layer->Update(0.1f);
    EXPECT_EQ(log, (Log{"first.Update", "second.Update", "third.Update"}));
}

TEST_F(LayerTest, IdsBeyondSixteenBitsOrderAndFindObjects)
{
    GameObject::SetIdCounter(65535);
    LoggingObject* low = Add("low");
    LoggingObject* high = Add("high");
    layer->Update(0.1f);
    EXPECT_EQ(low->GetID(), 65535u);
    EXPECT_EQ(high->GetID(), 65536u);
    EXPECT_EQ(layer->GetGameObject(65536u), high);
    EXPECT_EQ(layer->GetGameObject(0u), nullptr);
    high->Destroy();
    layer->Update(0.1f);
    EXPECT_EQ(layer->GetGameObject(65536u), nullptr);
    EXPECT_EQ(layer->GetGameObject(65535u), low);
}

TEST_F(LayerTest, RenamingMovesTheObjectToTheEndOfItsNewNameList)
{
    LoggingObject* a = Add("enemy");
    LoggingObject* b = Add("tower");
    LoggingObject* c = Add("tower");
    layer->Update(0.1f);
    a->SetName("tower");
    Core::Vector<GameObject*> found;
    layer->GetGameObjectsByName("tower", found);
    EXPECT_EQ(found, (Core::Vector<GameObject*>{b, c, a}));
    layer->GetGameObjectsByName("enemy", found);
    EXPECT_TRUE(found.empty());
    layer->GetGameObjectsByName("nothing", found);
    EXPECT_TRUE(found.empty());
    // A destroyed object leaves the name index at once, the id index at the next update.
    b->Destroy();
    layer->GetGameObjectsByName("tower", found);
    EXPECT_EQ(found, (Core::Vector<GameObject*>{c, a}));
}

TEST_F(LayerTest, NullDestroyedAndPlacedObjectsAreNotAdded)
{
    layer->AddGameObject(nullptr);
    LoggingObject* a = Add("a");
    const Core::RefPtr<Layer> other(new Layer(0.0f));
    other->AddGameObject(a);
    const Core::RefPtr<LoggingObject> gone(new LoggingObject(log, "gone"));
    gone->Cleanup();
    layer->AddGameObject(gone.Get());
    layer->Update(0.1f);
    other->Update(0.1f);
    EXPECT_EQ(layer->GetGameObjectsCount(), 1u);
    EXPECT_EQ(other->GetGameObjectsCount(), 0u);
    other->Cleanup();
}

TEST_F(LayerTest, ObjectsOutlivingTheirLayerNoLongerNameIt)
{
    const Core::RefPtr<LoggingObject> entered(Add("entered"));
    layer->Update(0.1f);
    const Core::RefPtr<LoggingObject> waiting(Add("waiting"));
    layer = nullptr;
    EXPECT_EQ(entered->GetLayer(), nullptr);
    EXPECT_EQ(waiting->GetLayer(), nullptr);
    layer = new Layer(0.0f);
}

TEST_F(LayerTest, TheSceneGroupCarriesTheLayersTransform)
{
    layer->SetScale(2.0f, 3.0f);
    layer->SetRotation(90.0f);
    const Math::Matrix4x4& m = layer->GetSceneGroup()->GetTransform();
    // A point (1, 0) scaled to (2, 0), turned to (0, 2), at the layer's depth 2.
    const Math::Vector3D p = Math::TransformPoint(m, Math::Vector3D(1.0f, 0.0f, 0.0f));
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 2.0f, 1e-5f);
    EXPECT_EQ(p.z, 2.0f);
}

namespace
{
class StaticCollisionFileTest : public LayerTest
{
protected:
    void Read(const std::string& text)
    {
        const std::string path = scratch.Write("level0_layer0.txt", std::vector<u8>(text.begin(), text.end()));
        layer->ReadStaticCollision(path.c_str());
    }

    const Collision2D::CollisionLayer& Collision() const
    {
        return *game->GetCollisionEngine()->GetLayer(layer->GetCollisionId());
    }

    u32 Segments() const { return static_cast<u32>(Collision().GetLineSegmentsNumber() - 1); }
    u32 Circles() const { return static_cast<u32>(Collision().GetCirclesNumber() - 1); }

    TestSupport::ScratchFolder scratch{"layer-collision"};
};
}  // namespace

TEST_F(StaticCollisionFileTest, AValidFileAddsItsSegmentsThenItsCircles)
{
    Read("Segments and circles of level 0, layer 1\n"
         "2\n"
         "0,0,1024,0,0,1\n"
         "1024 ; 0 ,1024,768,258,2 trailing words\n"
         "1\n"
         "512,384,40,2.9,7\n");
    ASSERT_EQ(Segments(), 2u);
    ASSERT_EQ(Circles(), 1u);
    const Collision2D::StaticCollisionLineSegment* second = Collision().GetStaticLineSegment(2);
    EXPECT_EQ(second->GetUserId(), 2u);
    EXPECT_EQ(second->GetZCollision(), 2);
    const Collision2D::StaticCollisionCircle* circle = Collision().GetStaticCircle(1);
    EXPECT_EQ(circle->GetUserId(), 7u);
    EXPECT_EQ(circle->GetZCollision(), 2);
}

TEST_F(StaticCollisionFileTest, ZLevelsKeepTheLowEightBitsOfTheirIntegerPart)
{
    Read("header\n0\n1\n0,0,1,-1,3\n");
    ASSERT_EQ(Circles(), 1u);
    EXPECT_EQ(Collision().GetStaticCircle(1)->GetZCollision(), 255);
    EXPECT_EQ(Segments(), 0u);
}

TEST_F(StaticCollisionFileTest, MissingAndEmptyFilesAddNothing)
{
    layer->ReadStaticCollision("/nonexistent/level9_layer9.txt");
    Read("");
    Read("only a header\n");
    EXPECT_EQ(Segments(), 0u);
    EXPECT_EQ(Circles(), 0u);
}

TEST_F(StaticCollisionFileTest, ReadingStopsAtTheFirstValueItCannotRead)
{
    // The second record has a blank where a separator belongs; nothing after it is added, and the
    // huge counts are never walked past the data.
    Read("h\n3\n0,0,1,1,0,1\n0 0,2,2,0,2\n5,5,6,6,0,3\n1\n1,1,1,0,9\n");
    EXPECT_EQ(Segments(), 1u);
    EXPECT_EQ(Circles(), 0u);
    Read("h\n2000000000\n0,0,1,1,0,1\n");
    EXPECT_EQ(Segments(), 2u);
    Read("h\n0\n2000000000\n1,1,1,0,9\n1,1,x\n");
    EXPECT_EQ(Circles(), 1u);
}

TEST_F(StaticCollisionFileTest, TheLayersCleanupDeletesItsStaticShapes)
{
    Read("h\n1\n0,0,1,1,0,1\n1\n1,1,1,0,9\n");
    ASSERT_EQ(Segments(), 1u);
    layer->Cleanup();
    EXPECT_EQ(Collision().GetStaticLineSegment(1), nullptr);
    EXPECT_EQ(Collision().GetStaticCircle(1), nullptr);
}

TEST_F(StaticCollisionFileTest, TheStaticShapesAreShownAsCircleAndLineObjectsOfTheLayer)
{
    Read("h\n1\n0,0,10,0,0,1\n2\n5,6,3,0,7\n-5,-6,4,0,8\n");
    layer->SetCollisionDataColor(Math::Color(0.0f, 1.0f, 0.0f, 1.0f));
    layer->SetVisibleCollisionData(true);
    layer->Update(0.1f);
    EXPECT_TRUE(layer->GetVisibleCollisionData());
    Core::Vector<GameObject*> shown;
    layer->GetGameObjects(shown);
    ASSERT_EQ(shown.size(), 3u);
    auto* circle = dynamic_cast<Vellumar::Circle*>(shown[0]);
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRadius(), 3.0f);
    EXPECT_EQ(circle->GetPosition(), Math::Vector2D(5.0f, 6.0f));
    EXPECT_EQ(circle->GetModulationColor().g, 1.0f);
    auto* line = dynamic_cast<Vellumar::Line*>(shown[2]);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->GetPointB(), Math::Point2D(10.0f, 0.0f));
    // A second call shows only what was added since; the colour reaches every shown shape.
    Read("h\n0\n1\n1,1,1,0,9\n");
    layer->SetVisibleCollisionData(true);
    layer->SetCollisionDataColor(Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
    layer->Update(0.1f);
    layer->GetGameObjects(shown);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[3]->GetModulationColor().r, 1.0f);
    EXPECT_EQ(shown[0]->GetModulationColor().r, 1.0f);
    layer->SetVisibleCollisionData(false);
    layer->Update(0.1f);
    EXPECT_EQ(layer->GetGameObjectsCount(), 0u);
}

