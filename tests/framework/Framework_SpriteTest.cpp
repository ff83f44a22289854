// Sprites and their animations: frames cut from a sheet, playback, the collision frame handed to
// the collision object, the debug line and circle objects, and the saved record.
#include "Framework_GameFixture.h"
#include "Framework_RoundTrip.h"

#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "collision/Collision_Engine.h"
#include "collision/Collision_Results.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "tests/engine/Engine_SceneTestSupport.h"

#include <algorithm>
#include <cstring>

using namespace FrameworkTest;
using Vellumar::Sprite;
using Vellumar::SpriteAnimation;

namespace
{
Core::Vector<f32> Delays(std::initializer_list<f32> values)
{
    return Core::Vector<f32>(values.begin(), values.end());
}

class SpriteTest : public GameFixture
{
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        sheet = new SceneTest::FakeTexture(100, 64, "C:\\Game\\Resources\\Animations\\Walk.png");
        walk = new SpriteAnimation(sheet.Get(), 3, 2, Delays({0.1f, 0.1f, 0.1f}));
        walk->SetName("walk");
        jump = new SpriteAnimation(sheet.Get(), 2, 1, Delays({0.2f, 0.3f}));
        jump->SetName("jump");
    }

    // A game whose level has one layer; the sprite joins it and, with a body, the actor's frames.
    Sprite* StartWithSprite(bool withBody)
    {
        MakeGame();
        factory->builders[0] = [](Vellumar::Level& level) { level.AddLayer(new Vellumar::Layer(0.0f)); };
        Start();
        layer = game->GetCurrentLevel()->GetLayer(0u);
        auto* sprite = new Sprite(Core::Vector<SpriteAnimation*>{walk.Get(), jump.Get()});
        if (withBody)
        {
            actor = new Collision2D::CollisionActor();
            Collision2D::CollisionAnimation& animation = actor->AddCollisionAnimation();
            Collision2D::CollisionFrame& one = animation.AddCollisionFrame();
            one.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
            one.AddLineSegment(Math::Point2D(-1.0f, 0.0f), Math::Point2D(1.0f, 0.0f), 1, true);
            Collision2D::CollisionFrame& two = animation.AddCollisionFrame();
            two.SetBoundingRectangle(Collision2D::VelRect(5.0f, -5.0f, 5.0f, -5.0f), true);
            two.AddLineSegment(Math::Point2D(0.0f, 0.0f), Math::Point2D(0.0f, 2.0f), 2, true);
            two.AddLineSegment(Math::Point2D(0.0f, 2.0f), Math::Point2D(2.0f, 2.0f), 3, true);
            two.AddCircle(Math::Point2D(1.0f, 1.0f), 3.0f, 4, true);
            animation.AddCollisionFrame();
            game->AddCollisionAssets(actor);
            auto* body = new Collision2D::DynamicObject();
            body->AddCollisionData(actor, 0, 0);
            sprite->AddCollision(body, layer->GetCollisionId());
            sprite->SetCollisionActorIndex(0);
        }
        layer->AddGameObject(sprite);
        RunFrame();
        return sprite;
    }

    Core::RefPtr<Renderer::ITexture> sheet;
    Core::RefPtr<SpriteAnimation> walk;
    Core::RefPtr<SpriteAnimation> jump;
    Vellumar::Layer* layer = nullptr;
    Collision2D::CollisionActor* actor = nullptr;
};

std::vector<std::pair<u32, u32>> Cells(const SpriteAnimation& animation)
{
    std::vector<std::pair<u32, u32>> cells;
    for (u32 i = 0; i < animation.GetFramesCount(); ++i)
    {
        cells.emplace_back(animation.GetFrame(i).column, animation.GetFrame(i).row);
    }
    return cells;
}

using Cell = std::pair<u32, u32>;
}  // namespace

TEST_F(SpriteTest, FramesAreCutRowByRowAndBadGridsOrSheetsNeverDivideByZero)
{
    const Core::RefPtr<SpriteAnimation> grid(new SpriteAnimation(sheet.Get(), 4, 2, Delays({1, 2, 3, 4, 5})));
    EXPECT_EQ(Cells(*grid), (std::vector<Cell>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}}));
    EXPECT_EQ(grid->GetFrameWidth(), 25);
    EXPECT_EQ(grid->GetFrameHeight(), 32);
    EXPECT_EQ(grid->GetTextureName(), "C:\\Game\\Resources\\Animations\\Walk.png");
    EXPECT_EQ(walk->GetFrameWidth(), 33);
    EXPECT_EQ(grid->GetFrameDelay(4), 5.0f);
    EXPECT_EQ(grid->GetFrameDelay(5), 0.0f);
    EXPECT_EQ(grid->GetFrameDelay(-1), 0.0f);
    grid->SetName("a");
    grid->SetName("b");
    EXPECT_EQ(grid->GetEngineAnimation()->GetName(), "b");

    const Core::RefPtr<SpriteAnimation> column(new SpriteAnimation(sheet.Get(), 0, -3, Delays({1, 1})));
    EXPECT_EQ(Cells(*column), (std::vector<Cell>{{0, 0}, {0, 1}}));
    EXPECT_EQ(column->GetFrameWidth(), 100);
    EXPECT_EQ(column->GetFrameHeight(), 64);

    const Core::RefPtr<SpriteAnimation> missing(new SpriteAnimation(nullptr, 3, 3, Delays({1, 1})));
    EXPECT_EQ(missing->GetFrameWidth(), 0);
    EXPECT_EQ(missing->GetFramesCount(), 2u);
    const Core::RefPtr<SpriteAnimation> unreadable(new SpriteAnimation(Core::String("none.png"), 2, 2, Delays({1})));
    EXPECT_EQ(unreadable->GetFrameHeight(), 0);
    EXPECT_NE(unreadable->GetEngineAnimation(), nullptr);
}

TEST_F(SpriteTest, PlaybackFollowsSpeedLoopStopAndIgnoresReselection)
{
    const Core::RefPtr<Sprite> sprite(new Sprite(Core::Vector<SpriteAnimation*>{walk.Get(), jump.Get()}));
    Engine::Sprite& engine = *sprite->GetEngineSprite();
    sprite->Play(true);
    engine.Update(0.05f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0);
    engine.Update(0.06f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1);
    sprite->SetAnimationSpeed(2.0f);
    engine.Update(0.06f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 2);
    engine.Update(0.06f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0) << "a looping animation starts again";
    EXPECT_TRUE(sprite->IsEndOfAnimation());

    // Selecting the current animation again restarts nothing, whatever the restart flag says.
    engine.Update(0.06f);
    sprite->SetCurrentAnimation(0, true);
    sprite->SetCurrentAnimationName("walk", true);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1);
    sprite->SetCurrentAnimation(-1, true);
    sprite->SetCurrentAnimation(2, true);
    EXPECT_EQ(sprite->GetCurrentAnimationIndex(), 0);
    sprite->SetCurrentAnimationName("jump", false);
    EXPECT_EQ(sprite->GetCurrentAnimationIndex(), 1);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0);

    sprite->SetLoop(false);
    sprite->SetAnimationSpeed(-3.0f);
    EXPECT_EQ(sprite->GetAnimationSpeed(), 0.0f);
    engine.Update(10.0f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0);
    sprite->SetAnimationSpeed(1.0f);
    engine.Update(0.25f);
    engine.Update(0.35f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1);
    EXPECT_FALSE(sprite->IsPlaying()) << "a one-way animation stops on its last frame";
    sprite->Play(true);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0);
    sprite->Pause();
    EXPECT_TRUE(sprite->IsPaused());
    sprite->Stop();
    EXPECT_FALSE(sprite->IsPlaying() || sprite->IsPaused());

    sprite->SetCurrentFrame(1, false);
    sprite->SetCurrentFrame(-1, true);
    sprite->SetCurrentFrame(5, true);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1);
    EXPECT_EQ(sprite->GetCurrentFrameDelay(), 0.3f);
    EXPECT_EQ(sprite->GetFrameDelay(0, 2), 0.1f);
    EXPECT_EQ(sprite->GetFrameDelay(0, 3), 0.0f);
    EXPECT_EQ(sprite->GetFrameDelay(-1, 0), 0.0f);
    EXPECT_EQ(sprite->GetFrameDelay(2, 0), 0.0f);
    EXPECT_EQ(sprite->GetFramesCount(1), 2u);
    EXPECT_EQ(sprite->GetFrameWidth(1), 50);
    EXPECT_EQ(sprite->GetFrameHeight(-1), 0);

    sprite->SetFlipHorizontal(true);
    EXPECT_TRUE(engine.GetFlipHorizontal());
    sprite->SetOpacity(0.5f);
    sprite->SetModulationColor(Math::Color(1.0f, 0.0f, 0.0f, 1.0f));
    sprite->Update(0.0f);
    EXPECT_EQ(engine.GetOpacity(), 0.5f);
    EXPECT_EQ(engine.GetColor().g, 0.0f);
}

TEST_F(SpriteTest, TheCollisionObjectTestsTheShownFrame)
{
    Sprite* sprite = StartWithSprite(true);
    Collision2D::DynamicObject* body = sprite->GetRegisteredObject();
    ASSERT_NE(body, nullptr);
    RunFrame();
    EXPECT_EQ(body->GetCurrentCollisionFrame(), actor->GetFrame(0, 0));
    sprite->SetCurrentFrame(1, false);
    RunFrame();
    EXPECT_EQ(body->GetCurrentCollisionFrame(), actor->GetFrame(0, 1));
    EXPECT_EQ(body->GetCircleCount(), 1);
}

TEST_F(SpriteTest, DebugObjectsFollowTheShapesAndGoWithTheSprite)
{
    Sprite* sprite = StartWithSprite(true);
    sprite->SetCollisionDataColor(Math::Color(0.0f, 1.0f, 0.0f, 1.0f));
    sprite->SetVisibleCollisionData(true);
    sprite->SetVisibleBoundingRectangle(true);
    sprite->SetPosition(10.0f, 20.0f);
    RunFrames(2);
    ASSERT_EQ(sprite->GetDebugLines().size(), 1u);
    EXPECT_TRUE(sprite->GetDebugCircles().empty());
    Vellumar::Line* segment = sprite->GetDebugLines()[0].Get();
    EXPECT_EQ(segment->GetLayer(), layer);
    EXPECT_EQ(segment->GetPointA().x, 9.0f);
    EXPECT_EQ(segment->GetPointB().y, 20.0f);
    EXPECT_EQ(segment->GetModulationColor().g, 1.0f);
    EXPECT_NEAR(segment->GetZOrder(), 0.1f, 1e-6f);
    ASSERT_NE(sprite->GetBoundingRectangleLine(0), nullptr);
    EXPECT_EQ(sprite->GetBoundingRectangleLine(0)->GetPointA().x, 5.0f);
    EXPECT_EQ(sprite->GetBoundingRectangleLine(0)->GetPointA().y, 25.0f);

    sprite->SetCurrentFrame(1, false);
    RunFrames(2);
    EXPECT_EQ(sprite->GetDebugLines().size(), 2u);
    ASSERT_EQ(sprite->GetDebugCircles().size(), 1u);
    EXPECT_EQ(sprite->GetDebugCircles()[0]->GetRadius(), 3.0f);
    EXPECT_EQ(sprite->GetDebugCircles()[0]->GetPositionX(), 11.0f);

    // A clone draws with objects of its own.
    auto* copy = sprite->Clone();
    EXPECT_TRUE(copy->GetDebugLines().empty());
    layer->AddGameObject(copy);
    RunFrames(2);
    EXPECT_EQ(copy->GetDebugLines().size(), 2u);
    EXPECT_NE(copy->GetDebugLines()[0], sprite->GetDebugLines()[0]);

    // Off destroys them, on builds them again.
    const Core::RefPtr<Vellumar::Line> old = sprite->GetDebugLines()[0];
    sprite->SetVisibleCollisionData(false);
    EXPECT_TRUE(sprite->GetDebugLines().empty());
    EXPECT_TRUE(old->IsDestroying());
    sprite->SetVisibleCollisionData(true);
    RunFrames(2);
    EXPECT_EQ(sprite->GetDebugLines().size(), 2u);

    // The sprite's debug objects leave with it.
    const Core::RefPtr<Vellumar::Line> line = sprite->GetDebugLines()[0];
    const Core::RefPtr<Vellumar::Circle> circle = sprite->GetDebugCircles()[0];
    const Core::RefPtr<Vellumar::Line> side(sprite->GetBoundingRectangleLine(2));
    sprite->Destroy();
    RunFrames(2);
    EXPECT_TRUE(line->IsCleanedUp());
    EXPECT_TRUE(circle->IsCleanedUp());
    EXPECT_TRUE(side->IsCleanedUp());
    EXPECT_FALSE(copy->GetDebugLines()[0]->IsDestroying());
}

TEST_F(SpriteTest, WithoutACollisionActorNoDebugObjectsAreMade)
{
    Sprite* sprite = StartWithSprite(true);
    sprite->SetCollisionActorIndex(-1);
    sprite->SetVisibleCollisionData(true);
    sprite->SetVisibleBoundingRectangle(true);
    RunFrames(2);
    EXPECT_TRUE(sprite->GetDebugLines().empty());
    EXPECT_EQ(sprite->GetBoundingRectangleLine(0), nullptr);
}

TEST_F(SpriteTest, TheRecordRoundTripsAndRefusesIndicesBeyondTheAnimations)
{
    // Sheets without pictures: a device-less run has no texture cache to reload them from.
    const Core::RefPtr<SpriteAnimation> a(new SpriteAnimation(nullptr, 2, 2, Delays({0.1f, 0.2f, 0.3f})));
    const Core::RefPtr<SpriteAnimation> b(new SpriteAnimation(nullptr, 1, 1, Delays({0.5f})));
    const Core::RefPtr<Sprite> sprite(new Sprite(Core::Vector<SpriteAnimation*>{a.Get(), b.Get()}));
    sprite->SetFlipVertical(true);
    sprite->SetLoop(false);
    sprite->SetAnimationSpeed(1.5f);
    sprite->SetCurrentFrame(2, false);
    sprite->Pause();
    sprite->SetHUDObject(true);
    sprite->SetCollisionActorIndex(4);
    sprite->SetCollisionDataColor(Math::Color(0.1f, 0.2f, 0.3f, 0.4f));

    const Core::RefPtr<Sprite> loaded = RoundTrip(sprite.Get());
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->GetAnimationsCount(), 2u);
    EXPECT_EQ(loaded->GetCurrentFrameIndex(), 2);
    EXPECT_TRUE(loaded->IsPaused());
    EXPECT_TRUE(loaded->GetFlipVertical());
    EXPECT_FALSE(loaded->GetLoop());
    EXPECT_EQ(loaded->GetAnimationSpeed(), 1.5f);
    EXPECT_TRUE(loaded->IsHUDObject());
    EXPECT_EQ(loaded->GetCollisionActorIndex(), 4);
    EXPECT_EQ(loaded->GetFrameDelay(0, 1), 0.2f);

    // The record ends with: animation, frame, HUD flag, actor index, two flags, two counts, the
    // colour and two empty reference lists (47 bytes).
    std::vector<u8> bytes = Saved(sprite.Get());
    const size_t animationAt = bytes.size() - 47;
    for (u32 hostile : {7u, 0xFFFFFFFFu})
    {
        std::memcpy(&bytes[animationAt], &hostile, 4);
        std::memcpy(&bytes[animationAt + 4], &hostile, 4);
        Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
        Core::RefPtr<Sprite> read;
        ASSERT_TRUE(file.ReadObjectInto(read));
        EXPECT_EQ(read->GetCurrentAnimationIndex(), 0);
        EXPECT_EQ(read->GetCurrentFrameIndex(), 0);
    }

    // A negative speed in a file becomes 0.
    const f32 negative = -2.0f;
    bytes = Saved(sprite.Get());
    const f32 speed = 1.5f;
    const std::vector<u8> speedBytes(reinterpret_cast<const u8*>(&speed), reinterpret_cast<const u8*>(&speed) + 4);
    const auto found = std::search(bytes.begin(), bytes.end(), speedBytes.begin(), speedBytes.end());
    ASSERT_NE(found, bytes.end());
    std::memcpy(&*found, &negative, 4);
    Core::MemoryFile file(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<Sprite> slow;
    ASSERT_TRUE(file.ReadObjectInto(slow));
    EXPECT_EQ(slow->GetAnimationSpeed(), 0.0f);
}

TEST_F(SpriteTest, TheLevelsRecordOfSpritePartnersPutsThemBack)
{
    Sprite* sprite = StartWithSprite(true);
    Collision2D::DynamicObject* body = sprite->GetRegisteredObject();
    body->SetCollisionType(1);
    body->SetCanCollid(0, true);
    body->SetUpdateOnIdle(true);
    sprite->SetCurrentFrame(1, false);
    Sprite* partner = sprite->Clone();
    layer->AddGameObject(partner);
    RunFrames(3);
    Collision2D::CollisionResults* results = sprite->GetRegisteredObject()->GetResults();
    const i32 total = results->currentBRECTNumber + results->currentDGEONumber;
    ASSERT_GT(total, 0);

    Core::MemoryFile file;
    sprite->SaveCollisionResults(file);
    EXPECT_EQ(file.GetSize(), 4u * static_cast<u32>(total));
    for (i32 i = 0; i < results->currentBRECTNumber; ++i)
    {
        results->rectangles[static_cast<size_t>(i)].partnerUserData = nullptr;
    }
    for (i32 i = 0; i < results->currentDGEONumber; ++i)
    {
        results->geometries[static_cast<size_t>(i)].partnerUserData = nullptr;
    }
    Core::MemoryFile readBack(file.GetData(), file.GetSize());
    sprite->LoadCollisionResults(readBack);
    EXPECT_EQ(readBack.GetRemaining(), 0u);
    for (i32 i = 0; i < results->currentBRECTNumber; ++i)
    {
        EXPECT_EQ(results->rectangles[static_cast<size_t>(i)].partnerUserData, partner);
    }
    for (i32 i = 0; i < results->currentDGEONumber; ++i)
    {
        EXPECT_EQ(results->geometries[static_cast<size_t>(i)].partnerUserData, partner);
    }

    // A partner that is gone is written as no id.
    if (results->currentBRECTNumber > 0)
        results->rectangles[0].partnerUserData = nullptr;
    else
        results->geometries[0].partnerUserData = nullptr;
    Core::MemoryFile gone;
    sprite->SaveCollisionResults(gone);
    u32 first = 0;
    std::memcpy(&first, gone.GetData(), 4);
    EXPECT_EQ(first, Vellumar::NoObjectId);
}
