#include "Engine_SpriteTestSupport.h"

#include "core/Core_File.h"
#include "math/Math_Constants.h"
#include "engine/Engine_Camera.h"
#include "engine/Engine_Sprite.h"
#include "engine/Engine_SpriteAnimation.h"
#include "engine/Engine_SpriteDrawing.h"
#include "engine/Engine_TransformationGroup.h"
#include "engine/Engine_Viewport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>
#include <vector>

namespace
{
using SpriteTest::FakeTexture;

Core::Vector<Engine::SpriteFrame> Frames(u32 count, f32 delay)
{
    Core::Vector<Engine::SpriteFrame> frames;
    for (u32 i = 0; i < count; ++i)
        frames.push_back(Engine::SpriteFrame{i, i / 2, delay});
    return frames;
}

Core::RefPtr<Engine::SpriteAnimation> Animation(u32 frames, f32 delay, const char* name = "")
{
    Core::RefPtr<Renderer::ITexture> sheet(new FakeTexture(256, 128, "C:\\Game\\Resources\\Animations\\Sheet.png"));
    Core::RefPtr<Engine::SpriteAnimation> animation(new Engine::SpriteAnimation(sheet, 32, 16, Frames(frames, delay)));
    animation->SetName(name);
    return animation;
}

Core::RefPtr<Engine::Sprite> PlayingSprite(Core::RefPtr<Engine::SpriteAnimation> animation)
{
    Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{animation}));
    sprite->SetPlaying(true);
    return sprite;
}

TEST(SpriteAnimationTest, LoopsOverEveryFrameUnlessToldOtherwise)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.1f);
    EXPECT_EQ(animation->GetLoopStartingFrame(), 0u);
    EXPECT_EQ(animation->GetLoopEndingFrame(), 3u);
    const Engine::SpriteAnimation empty(nullptr, 8, 8, {});
    EXPECT_EQ(empty.GetLoopEndingFrame(), 0u);
    EXPECT_STREQ(animation->GetClassName(), "Engine::SpriteAnimation");
}

TEST(SpriteAnimationTest, LoopFramesStayInsideTheFrameList)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.1f);
    animation->SetLoopStartingFrame(9);
    animation->SetLoopEndingFrame(0xFFFFFFFFu);
    EXPECT_EQ(animation->GetLoopStartingFrame(), 3u);
    EXPECT_EQ(animation->GetLoopEndingFrame(), 3u);
    animation->SetLoopStartingFrame(1);
    EXPECT_EQ(animation->GetLoopStartingFrame(), 1u);
}

TEST(SpriteAnimationTest, FrameTextureMatrixAddressesTheCellFromTheOrigin)
{
    Core::RefPtr<Renderer::ITexture> sheet(new FakeTexture(256, 128));
    Core::Vector<Engine::SpriteFrame> frames{{3, 2, 0.1f}, {0x103, 0x202, 0.1f}};
    const Engine::SpriteAnimation animation(sheet, 32, 16, frames);
    const Math::Matrix4x4 matrix = animation.GetFrameTextureMatrix(0);
    // su = 0.125, sv = 0.125: the unit square maps onto u 0.375..0.5, v 0.25..0.375.
    EXPECT_EQ(Math::TransformPoint(matrix, Math::Vector3D(0.0f, 0.0f, 0.0f)), Math::Vector3D(0.375f, 0.25f, 0.0f));
    EXPECT_EQ(Math::TransformPoint(matrix, Math::Vector3D(1.0f, 1.0f, 0.0f)), Math::Vector3D(0.5f, 0.375f, 0.0f));
    // Only the low eight bits of column and row count.
    EXPECT_EQ(animation.GetFrameTextureMatrix(1), matrix);
    const Engine::SpriteAnimation untextured(nullptr, 32, 16, frames);
    EXPECT_EQ(untextured.GetFrameTextureMatrix(0), Math::Matrix4x4::Identity());
}

TEST(SpriteTest, AFrameEndsOnlyWhenItsDelayIsExceeded)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(4, 0.1f));
    sprite->Update(0.05f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    sprite->Update(0.05f); // 0.1 is not greater than 0.1
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    sprite->Update(0.05f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1u);
    EXPECT_EQ(sprite->GetElapsed(), 0.0f);
}

TEST(SpriteTest, SpeedScalesTimeAndOneUpdatePassesOneFrameAtMost)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(4, 0.1f));
    sprite->Update(10.0f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 1u);
    sprite->SetAnimationSpeed(4.0f);
    sprite->Update(0.03f); // 0.12 scaled
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 2u);
    sprite->SetAnimationSpeed(0.0f);
    sprite->Update(100.0f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 2u);
}

TEST(SpriteTest, ANonLoopingSpriteStopsOnItsLastFrame)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(4, 0.1f));
    sprite->SetLoop(false);
    for (u32 i = 0; i < 3; ++i)
        sprite->Update(0.2f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 3u);
    EXPECT_TRUE(sprite->IsPlaying());
    EXPECT_FALSE(sprite->IsEndOfAnimation());
    sprite->Update(0.2f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 3u);
    EXPECT_FALSE(sprite->IsPlaying());
    EXPECT_TRUE(sprite->IsEndOfAnimation());
    sprite->Update(0.2f);
    EXPECT_TRUE(sprite->IsEndOfAnimation());
    sprite->SetPlaying(true);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    EXPECT_TRUE(sprite->IsPlaying());
}

TEST(SpriteTest, ALoopingSpriteWrapsToItsLoopStartAndFlagsEachWrap)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.1f);
    animation->SetLoopStartingFrame(1);
    animation->SetLoopEndingFrame(2);
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(animation);
    const u32 expected[] = {1, 2, 1, 2, 1};
    const bool wrapped[] = {false, false, true, false, true};
    for (u32 i = 0; i < 5; ++i)
    {
        sprite->Update(0.2f);
        EXPECT_EQ(sprite->GetCurrentFrameIndex(), expected[i]) << i;
        EXPECT_EQ(sprite->IsEndOfAnimation(), wrapped[i]) << i;
        EXPECT_TRUE(sprite->IsPlaying());
    }
}

TEST(SpriteTest, StoppedPausedOrUnorderedTimeAdvancesNothing)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(4, 0.1f));
    sprite->Pause();
    EXPECT_TRUE(sprite->IsPaused());
    EXPECT_FALSE(sprite->IsPlaying());
    sprite->Update(1.0f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    sprite->SetPlaying(true);
    EXPECT_FALSE(sprite->IsPaused());
    sprite->Update(std::numeric_limits<f32>::quiet_NaN());
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    sprite->SetPlaying(false);
    EXPECT_FALSE(sprite->IsPlaying());
    sprite->Update(1.0f);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
}

TEST(SpriteTest, SelectingAnimationsAndFrames)
{
    Core::RefPtr<Engine::Sprite> sprite(
        new Engine::Sprite(Engine::Sprite::Animations{Animation(4, 0.1f, "walk"), Animation(2, 0.1f, "jump")}));
    sprite->SetCurrentAnimationName("jump", false);
    EXPECT_EQ(sprite->GetCurrentAnimationIndex(), 1u);
    EXPECT_EQ(sprite->GetCurrentAnimationName(), "jump");
    sprite->SetCurrentAnimationName("nobody", false);
    EXPECT_EQ(sprite->GetCurrentAnimationIndex(), 0u);
    sprite->SetCurrentAnimationIndex(7, true);
    EXPECT_EQ(sprite->GetCurrentAnimationIndex(), 0u);

    sprite->SetCurrentFrameIndex(3, false);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 3u);
    sprite->SetCurrentFrameIndex(4, true);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 3u);
    EXPECT_EQ(sprite->GetCurrentFrameDelay().column, 3u);
    sprite->GoToFirstFrame(false);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    sprite->GoToLastFrame(false);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 3u);

    // Switching to an animation with frames restarts it.
    sprite->SetCurrentAnimationIndex(1, false);
    EXPECT_EQ(sprite->GetCurrentFrameIndex(), 0u);
    EXPECT_EQ(sprite->GetAnimation(5).Get(), nullptr);
}

TEST(SpriteTest, TheSameFrameWithoutForceOnlyClearsTheEndFlag)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(2, 0.1f));
    sprite->SetLoop(false);
    sprite->Update(0.2f);
    sprite->Update(0.05f);
    sprite->Update(0.2f);
    ASSERT_TRUE(sprite->IsEndOfAnimation());
    ASSERT_EQ(sprite->GetCurrentFrameIndex(), 1u);
    sprite->SetCurrentFrameIndex(1, false);
    EXPECT_FALSE(sprite->IsEndOfAnimation());
}

TEST(SpriteTest, CloneSharesTheAnimationsAndCopiesPlayback)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.1f);
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(animation);
    sprite->Update(0.2f);
    sprite->SetFlipHorizontal(true);
    sprite->SetOpacity(0.25f);
    const Core::RefPtr<Engine::Sprite> copy(sprite->Clone());
    EXPECT_EQ(copy->GetAnimation(0).Get(), animation.Get());
    EXPECT_EQ(copy->GetCurrentFrameIndex(), 1u);
    EXPECT_TRUE(copy->IsPlaying());
    EXPECT_TRUE(copy->GetFlipHorizontal());
    EXPECT_EQ(copy->GetOpacity(), 0.25f);
    EXPECT_EQ(animation->GetReferenceCount(), 3u);
}

TEST(SpriteTest, SaveAndLoadReproduceThePlaybackAndTheAnimations)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.125f, "walk");
    animation->SetLoopStartingFrame(1);
    Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{animation, animation}));
    sprite->SetPlaying(true);
    sprite->Update(0.25f);
    sprite->Update(0.0625f);
    sprite->SetColor(Math::Color(0.5f, 0.25f, 0.75f, 1.0f));
    sprite->SetOpacity(0.5f);
    sprite->SetAnimationSpeed(2.0f);
    sprite->SetFlipVertical(true);
    sprite->SetCurrentAnimationIndex(1, false);
    sprite->SetCurrentFrameIndex(2, true);
    sprite->Update(0.03125f);

    Core::MemoryFile file;
    file.WriteObject(sprite);
    Core::MemoryFile reread(file.GetData(), file.GetSize());
    Core::RefPtr<Engine::Sprite> loaded;
    ASSERT_TRUE(reread.ReadObjectInto(loaded));
    ASSERT_NE(loaded.Get(), nullptr);
    EXPECT_EQ(reread.GetRemaining(), 0u);

    ASSERT_EQ(loaded->GetAnimationsCount(), 2u);
    // One animation stored once, shared again after loading.
    EXPECT_EQ(loaded->GetAnimation(0).Get(), loaded->GetAnimation(1).Get());
    const Core::RefPtr<Engine::SpriteAnimation> read = loaded->GetAnimation(0);
    EXPECT_EQ(read->GetName(), "walk");
    ASSERT_EQ(read->GetFramesCount(), 4u);
    EXPECT_EQ(read->GetFrame(3).column, 3u);
    EXPECT_EQ(read->GetFrame(3).row, 1u);
    EXPECT_EQ(read->GetFrame(3).delay, 0.125f);
    EXPECT_EQ(read->GetLoopStartingFrame(), 1u);
    EXPECT_EQ(read->GetLoopEndingFrame(), 3u);
    EXPECT_EQ(read->GetFrameWidth(), 32);
    EXPECT_EQ(read->GetFrameHeight(), 16);

    EXPECT_EQ(loaded->GetColor(), sprite->GetColor());
    EXPECT_EQ(loaded->GetOpacity(), 0.5f);
    EXPECT_EQ(loaded->GetElapsed(), sprite->GetElapsed());
    EXPECT_EQ(loaded->GetAnimationSpeed(), 2.0f);
    EXPECT_EQ(loaded->GetCurrentFrameIndex(), 2u);
    EXPECT_EQ(loaded->GetCurrentAnimationIndex(), 1u);
    EXPECT_EQ(loaded->IsEndOfAnimation(), sprite->IsEndOfAnimation());
    EXPECT_TRUE(loaded->GetLoop());
    EXPECT_TRUE(loaded->IsPlaying());
    EXPECT_FALSE(loaded->IsPaused());
    EXPECT_FALSE(loaded->GetFlipHorizontal());
    EXPECT_TRUE(loaded->GetFlipVertical());
}

// Field offsets of a saved sprite animation with an empty name: the frames, then the name, the
// texture file name and the loop frames.
void WriteAnimationRecord(Core::File& file, u32 frameCount, u32 loopStart, u32 loopEnd, const char* textureName)
{
    Core::WriteU32(file, frameCount);
    for (u32 i = 0; i < frameCount; ++i)
    {
        Core::WriteU32(file, i);
        Core::WriteU32(file, 0);
        Core::WriteF32(file, 0.1f);
    }
    Core::WriteString(file, "");
    Core::WriteString(file, textureName);
    Core::WriteU32(file, loopStart);
    Core::WriteU32(file, loopEnd);
    Core::WriteI32(file, 16);
    Core::WriteI32(file, 16);
}

TEST(SpriteTest, LoadedIndicesStayInsideTheAnimationsAndFrames)
{
    Core::MemoryFile payload;
    WriteAnimationRecord(payload, 3, 7, 9, "..\\..\\outside.png");
    Engine::SpriteAnimation animation;
    Core::MemoryFile reread(payload.GetData(), payload.GetSize());
    animation.Load(reread);
    EXPECT_FALSE(reread.Failed());
    EXPECT_EQ(animation.GetFramesCount(), 3u);
    EXPECT_EQ(animation.GetLoopStartingFrame(), 2u);
    EXPECT_EQ(animation.GetLoopEndingFrame(), 2u);
    EXPECT_EQ(animation.GetTexture().Get(), nullptr);

    // A sprite whose stored frame and animation indices point past what it holds.
    Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{Animation(2, 0.1f)}));
    Core::MemoryFile saved;
    saved.WriteObject(sprite);
    Core::Vector<u8> bytes(saved.GetData(), saved.GetData() + saved.GetSize());
    // Frame and animation indices sit before the six flag bytes at the end.
    const std::size_t indices = bytes.size() - 6 - 8;
    const u32 wild = 0x12345678u;
    std::memcpy(&bytes[indices], &wild, 4);
    std::memcpy(&bytes[indices + 4], &wild, 4);
    Core::MemoryFile hostile(bytes.data(), static_cast<u32>(bytes.size()));
    Core::RefPtr<Engine::Sprite> loaded;
    ASSERT_TRUE(hostile.ReadObjectInto(loaded));
    EXPECT_EQ(loaded->GetCurrentAnimationIndex(), 0u);
    EXPECT_EQ(loaded->GetCurrentFrameIndex(), 0u);
    loaded->SetPlaying(true);
    loaded->Update(1.0f);
    EXPECT_EQ(loaded->GetCurrentFrameIndex(), 1u);
}

TEST(SpriteTest, AnImpossibleFrameCountFailsTheStreamCleanly)
{
    Core::MemoryFile payload;
    Core::WriteU32(payload, 0x40000000u);
    Core::WriteU32(payload, 1);
    Engine::SpriteAnimation animation;
    Core::MemoryFile reread(payload.GetData(), payload.GetSize());
    animation.Load(reread);
    EXPECT_TRUE(reread.Failed());
    EXPECT_EQ(animation.GetFramesCount(), 0u);
}

class SpriteDrawTest : public SpriteTest::SceneFixture
{
};

TEST_F(SpriteDrawTest, DrawSubmitsOneDefaultQuadScaledToTheFrame)
{
    const Core::RefPtr<Engine::SpriteAnimation> animation = Animation(4, 0.1f);
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(animation);
    root->AttachChild(sprite);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(10.0f, 20.0f, -3.0f));
    sprite->SetColor(Math::Color(0.25f, 0.5f, 0.75f, 0.0f));
    sprite->SetOpacity(0.5f);
    sprite->SetCurrentFrameIndex(2, true);
    sprite->SetFlipHorizontal(true);
    sprite->Draw();

    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(QueuedCount(), 1u);
    const Engine::RenderItem& item = Queue().GetBlendedItems()[0];
    EXPECT_EQ(item.useQueueDefaults, 1);
    EXPECT_EQ(item.mesh.Get(), Queue().GetDefaultQuadMesh().Get());
    EXPECT_EQ(item.effect.Get(), Queue().GetDefaultEffect().Get());
    EXPECT_EQ(item.texture.Get(), animation->GetTexture().Get());
    EXPECT_EQ(item.color, Math::Color(0.25f, 0.5f, 0.75f, 0.5f));
    EXPECT_EQ(item.subset, 0u);
    EXPECT_EQ(item.textureMatrix, animation->GetFrameTextureMatrix(2));
    EXPECT_EQ(item.world,
              Math::Matrix4x4::Translation(10.0f, 20.0f, -3.0f) * Math::Matrix4x4::Scaling(-32.0f, 16.0f, 1.0f));
    // The world box follows the scaled quad.
    Math::Frustum box;
    sprite->GetWorldBoundingVolume(box);
    EXPECT_EQ(box.corners[0], Math::Vector3D(-6.0f, 28.0f, -3.0f));
    EXPECT_EQ(box.corners[6], Math::Vector3D(26.0f, 12.0f, -4.0f));
}

TEST_F(SpriteDrawTest, SpritesWithoutSomethingToShowDrawNothing)
{
    Core::RefPtr<Engine::Sprite> none(new Engine::Sprite(Engine::Sprite::Animations{}));
    root->AttachChild(none);
    none->Update(1.0f);
    none->Draw();
    Core::RefPtr<Engine::Sprite> untextured(new Engine::Sprite(
        Engine::Sprite::Animations{Core::RefPtr<Engine::SpriteAnimation>(new Engine::SpriteAnimation(nullptr, 8, 8, Frames(2, 0.1f)))}));
    root->AttachChild(untextured);
    untextured->Draw();
    Core::RefPtr<Engine::Sprite> frameless(new Engine::Sprite(Engine::Sprite::Animations{Animation(0, 0.1f)}));
    root->AttachChild(frameless);
    frameless->SetPlaying(true);
    frameless->Update(1.0f);
    frameless->Draw();
    const Core::RefPtr<Engine::Sprite> hidden = PlayingSprite(Animation(2, 0.1f));
    root->AttachChild(hidden);
    hidden->SetVisible(false, false);
    hidden->Draw();
    EXPECT_EQ(QueuedCount(), 0u);
    EXPECT_EQ(none->GetCurrentAnimationName(), "");
}

TEST_F(SpriteDrawTest, AnOverlaySpriteIsDrawnOutsideTheViewInTheLastPassOnly)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(2, 0.1f));
    root->AttachChild(sprite);
    sprite->SetOverlay(true);
    Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 1000.0f));
    Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, 640, 480));
    root->SetWorldMatrix(Math::Matrix4x4::Translation(9000.0f, 0.0f, -50.0f));
    // Not the last of two viewports: dropped.
    scene->SetViewportCount(2);
    renderer->ClearLog();
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 0u);
    scene->SetCurrentViewport(1);
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 1u);

    sprite->SetOverlay(false);
    renderer->ClearLog();
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 0u);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(0.0f, 0.0f, -50.0f));
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 1u);
}
TEST_F(SpriteDrawTest, AScreenSpaceSpriteStaysAtItsPixelsWhereverTheCameraLooks)
{
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(Animation(2, 0.1f));
    root->AttachChild(sprite);
    root->SetWorldMatrix(Math::Matrix4x4::Translation(-100.0f, 50.0f, 0.0f));
    sprite->SetScreenSpace(true);
    Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 1000.0f));
    Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, 640, 480));
    // The sprite's centre in window pixels of each of two camera poses, the second far away,
    // turned and drawn back: the sprite lies well outside its view, yet is drawn all the same.
    std::vector<Math::Vector3D> centres;
    for (const Math::Matrix4x4& pose :
         {Math::Matrix4x4::Translation(0.0f, 0.0f, 300.0f),
          Math::Matrix4x4::Translation(5000.0f, -700.0f, 900.0f) * Math::Matrix4x4::RotationZ(30.0f)})
    {
        camera->SetWorldMatrix(pose);
        renderer->ClearLog();
        scene->RenderViewport(*camera, *viewport);
        ASSERT_EQ(renderer->GetDraws().size(), 1u);
        const Renderer::RecordedDraw& draw = renderer->GetDraws()[0];
        EXPECT_EQ(draw.view, Math::Matrix4x4::Identity());
        // The middle of the placed quad's corners, through the draw's matrices.
        const u32 corners = draw.indexed ? 4u : draw.count;
        Math::Vector3D low(draw.vertices[0], draw.vertices[1], draw.vertices[2]);
        Math::Vector3D high = low;
        for (u32 i = 1; i < corners; ++i)
        {
            const Math::Vector3D corner(draw.vertices[3 * i], draw.vertices[3 * i + 1], draw.vertices[3 * i + 2]);
            low = Math::Vector3D(std::min(low.x, corner.x), std::min(low.y, corner.y), corner.z);
            high = Math::Vector3D(std::max(high.x, corner.x), std::max(high.y, corner.y), corner.z);
        }
        const Math::Vector3D centre = Math::TransformPoint(draw.world, (low + high) * 0.5f);
        const Math::Vector4D clip =
            Math::TransformVector4(draw.projection, Math::Vector4D(centre.x, centre.y, centre.z, 1.0f));
        centres.push_back(Math::Vector3D(320.0f + 320.0f * clip.x / clip.w, 240.0f + 240.0f * clip.y / clip.w, 0.0f));
    }
    // x and y are pixels from the viewport's centre.
    for (const Math::Vector3D& centre : centres)
    {
        EXPECT_NEAR(centre.x, 220.0f, 0.01f);
        EXPECT_NEAR(centre.y, 290.0f, 0.01f);
    }

    sprite->SetScreenSpace(false);
    renderer->ClearLog();
    scene->RenderViewport(*camera, *viewport);
    EXPECT_EQ(renderer->GetDraws().size(), 0u) << "without the flag the far camera culls it";
    const Core::RefPtr<Engine::Node> copy(sprite->Clone());
    sprite->SetScreenSpace(true);
    EXPECT_TRUE(Core::RefPtr<Engine::Node>(sprite->Clone())->IsScreenSpace());
    EXPECT_FALSE(copy->IsScreenSpace());
}
} // namespace

TEST_F(SpriteDrawTest, CullingAgreesWithTheViewFrustumsClassificationOfBoxes)
{
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 1000.0f));
    const Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, 640, 480));
    scene->RenderViewport(*camera, *viewport);
    const Math::ViewFrustum& view = scene->GetViewFrustum();
    u32 outside = 0;
    u32 shown = 0;
    // Small and large boxes inside, across every plane and beyond each.
    for (f32 half : {20.0f, 400.0f})
        for (f32 x = -1500.0f; x <= 1500.0f; x += 250.0f)
            for (f32 y = -1500.0f; y <= 1500.0f; y += 250.0f)
                for (f32 z = -1500.0f; z <= 500.0f; z += 250.0f)
                {
                    Math::Frustum box;
                    for (u32 i = 0; i < Math::FrustumCornerCount; ++i)
                        box.corners[i] = Math::Vector3D(x + (i & 1 ? half : -half), y + (i & 2 ? half : -half),
                                                        z + (i & 4 ? half : -half));
                    const bool culled = Engine::IsOutsideCurrentView(box);
                    EXPECT_EQ(culled, view.ClassifyBox(box) == Math::Code::Outside) << x << " " << y << " " << z;
                    (culled ? outside : shown) += 1;
                }
    EXPECT_GT(outside, 0u);
    EXPECT_GT(shown, 0u);
}

// Draw keeps its placement and its culling while nothing changes; a move of the parent or the
// camera, or another frame size, must still bring the sprite into view or take it out.
TEST_F(SpriteDrawTest, CullingFollowsMovesOfTheParentAndTheCameraAndFrameSizes)
{
    Core::Vector<Engine::SpriteFrame> frames;
    frames.push_back(Engine::SpriteFrame{0, 0, 0.1f});
    const Core::RefPtr<Engine::SpriteAnimation> wide(new Engine::SpriteAnimation(
        Core::RefPtr<Renderer::ITexture>(new FakeTexture(256, 128, "Wide.png")), 4000, 16, frames));
    const Core::RefPtr<Engine::Sprite> sprite(new Engine::Sprite(Engine::Sprite::Animations{Animation(2, 0.1f), wide}));
    const Core::RefPtr<Engine::TransformationGroup> place(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::TransformationGroup> eye(new Engine::TransformationGroup());
    const Core::RefPtr<Engine::Camera> camera(new Engine::Camera(45.0f, 1.0f, 1000.0f));
    const Core::RefPtr<Engine::Viewport> viewport(new Engine::Viewport(0, 0, 640, 480));
    root->AttachChild(place);
    place->AttachChild(sprite);
    root->AttachChild(eye);
    eye->AttachChild(camera);
    const auto drawn = [&]() {
        scene->UpdateScene(0.0f);
        renderer->ClearLog();
        scene->RenderViewport(*camera, *viewport);
        return renderer->GetDraws().size();
    };
    place->SetTransform(Math::Matrix4x4::Translation(1000.0f, 0.0f, -50.0f));
    EXPECT_EQ(drawn(), 0u);
    EXPECT_EQ(drawn(), 0u);
    place->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, -50.0f));
    EXPECT_EQ(drawn(), 1u);
    EXPECT_EQ(drawn(), 1u);
    place->SetTransform(Math::Matrix4x4::Translation(1000.0f, 0.0f, -50.0f));
    EXPECT_EQ(drawn(), 0u);
    // The camera follows it, then looks elsewhere.
    eye->SetTransform(Math::Matrix4x4::Translation(1000.0f, 0.0f, 0.0f));
    EXPECT_EQ(drawn(), 1u);
    eye->SetTransform(Math::Matrix4x4::Translation(1000.0f, 500.0f, 0.0f));
    EXPECT_EQ(drawn(), 0u);
    eye->SetTransform(Math::Matrix4x4::Identity());
    EXPECT_EQ(drawn(), 0u);
    // A frame wide enough to reach into view, and back.
    sprite->SetCurrentAnimationIndex(1, false);
    EXPECT_EQ(drawn(), 1u);
    sprite->SetCurrentAnimationIndex(0, false);
    EXPECT_EQ(drawn(), 0u);
    // Moved under a group that is in view.
    const Core::RefPtr<Engine::TransformationGroup> near(new Engine::TransformationGroup());
    near->SetTransform(Math::Matrix4x4::Translation(0.0f, 0.0f, -60.0f));
    root->AttachChild(near);
    place->DetachChild(sprite);
    near->AttachChild(sprite);
    EXPECT_EQ(drawn(), 1u);
}

namespace
{
// A texture whose size the test changes, as a reload may.
class ResizedTexture : public Renderer::ITexture
{
public:
    i32 GetWidth() const override { return width; }
    i32 GetHeight() const override { return height; }
    i32 GetFormat() const override { return 0; }
    i32 GetTextureType() const override { return TwoDimensional; }
    u32 GetID() const override { return 1; }
    void Reload() override {}
    void Unload() override {}
    u8 HasMipmaps() const override { return 0; }
    Core::String GetFileName() const override { return "Resized.png"; }

    i32 width = 64;
    i32 height = 64;
};
} // namespace

TEST(SpriteAnimationTest, FrameTextureMatricesFollowTheTextureSize)
{
    const Core::RefPtr<ResizedTexture> texture(new ResizedTexture());
    const Core::RefPtr<Engine::SpriteAnimation> animation(new Engine::SpriteAnimation(texture.Get(), 16, 16, Frames(3, 0.1f)));
    EXPECT_EQ(animation->GetFrameTextureMatrix(2),
              Math::Matrix4x4::Translation(0.5f, 0.25f, 0.0f) * Math::Matrix4x4::Scaling(0.25f, 0.25f, 1.0f));
    texture->width = 128;
    EXPECT_EQ(animation->GetFrameTextureMatrix(2),
              Math::Matrix4x4::Translation(0.25f, 0.25f, 0.0f) * Math::Matrix4x4::Scaling(0.125f, 0.25f, 1.0f));
    texture->width = 0;
    EXPECT_EQ(animation->GetFrameTextureMatrix(2), Math::Matrix4x4::Identity());
    EXPECT_EQ(animation->GetFrameTextureMatrix(3), Math::Matrix4x4::Identity());
}

namespace
{
// A sheet whose every cell shows only in its lower-left quarter once drawn, and nowhere in cell
// (1, 1); it keeps the footprints it was asked about.
class QuarterShownTexture : public FakeTexture
{
public:
    QuarterShownTexture() : FakeTexture(64, 32, "Quarters.png") {}

    Renderer::TextureRegion GetVisibleRegionWithin(const Renderer::TextureFootprint& footprint,
                                               const Renderer::TextureRegion& within) const override
    {
        footprints.push_back(footprint);
        if (within.left == 0.5f && within.bottom == 0.5f)
            return Renderer::TextureRegion{0.0f, 0.0f, 0.0f, 0.0f};
        return Renderer::TextureRegion{within.left, within.bottom, (within.left + within.right) / 2,
                                       (within.bottom + within.top) / 2};
    }

    mutable std::vector<Renderer::TextureFootprint> footprints;
};
}  // namespace

namespace
{
// A sheet whose cells show only their lower-left quarter where the level read is known, and whole
// where it is not (as the deepest, most blurred level of a mipmapped sheet would).
class SharperUpCloseTexture : public FakeTexture
{
public:
    SharperUpCloseTexture() : FakeTexture(64, 32, "Sharper.png") {}

    Renderer::TextureRegion GetVisibleRegionWithin(const Renderer::TextureFootprint& footprint,
                                                   const Renderer::TextureRegion& within) const override
    {
        if (!footprint.known)
            return within;
        return Renderer::TextureRegion{within.left, within.bottom, (within.left + within.right) / 2,
                                       (within.bottom + within.top) / 2};
    }
};
}  // namespace

// Whether the whole cell shows is settled without the screen only when even level 0 shows it all.
TEST_F(SpriteDrawTest, ASpriteWhoseCellShowsWholeOnlyWhenBlurredIsStillTrimmed)
{
    const Core::RefPtr<SharperUpCloseTexture> sheet(new SharperUpCloseTexture());
    const Core::RefPtr<Engine::SpriteAnimation> animation(
        new Engine::SpriteAnimation(sheet, 32, 16, Core::Vector<Engine::SpriteFrame>{{0, 0, 0.1f}}));
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(animation);
    root->AttachChild(sprite);
    sprite->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(Queue().GetBlendedItems()[0].shownPart, (Renderer::TextureRegion{0.0f, 0.0f, 0.5f, 0.5f}));
    Queue().Clear();
}

TEST_F(SpriteDrawTest, ASpriteMarksThePartOfItsQuadThatItsCellShowsAndTheQueueDrawsOnlyThere)
{
    const Core::RefPtr<QuarterShownTexture> sheet(new QuarterShownTexture());
    const Core::RefPtr<Engine::SpriteAnimation> animation(new Engine::SpriteAnimation(
        sheet, 32, 16, Core::Vector<Engine::SpriteFrame>{{0, 0, 0.1f}, {1, 1, 0.1f}}));
    const Core::RefPtr<Engine::Sprite> sprite = PlayingSprite(animation);
    root->AttachChild(sprite);
    // What the queue's passes do with the scissor anyway.
    renderer->ClearLog();
    Queue().Render();
    const u32 usual = renderer->CountCalls("SetScissorState");
    sprite->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 1u);
    EXPECT_EQ(Queue().GetBlendedItems()[0].shownPart, (Renderer::TextureRegion{0.0f, 0.0f, 0.5f, 0.5f}));
    ASSERT_FALSE(sheet->footprints.empty());
    EXPECT_TRUE(sheet->footprints.back().known);

    // Drawn through the queue, a part alone goes under a scissor around it, which is then put back.
    Renderer::ScissorState before;
    renderer->GetScissorState(before);
    renderer->ClearLog();
    Queue().Render();
    EXPECT_EQ(renderer->GetDraws().size(), 1u);
    EXPECT_EQ(renderer->CountCalls("SetScissorState"), usual + 2u);
    Renderer::ScissorState after;
    renderer->GetScissorState(after);
    EXPECT_EQ(after.enabled, before.enabled);
    EXPECT_EQ(std::make_tuple(after.x, after.y, after.width, after.height),
              std::make_tuple(before.x, before.y, before.width, before.height));
    Queue().Clear();

    // A cell that shows nothing marks an empty part; a texture that does not know marks the whole.
    sprite->SetCurrentFrameIndex(1, true);
    sprite->Draw();
    sprite->SetCurrentFrameIndex(0, true);
    const Core::RefPtr<Engine::Sprite> plain = PlayingSprite(Animation(2, 0.1f));
    root->AttachChild(plain);
    plain->Draw();
    ASSERT_EQ(Queue().GetBlendedItems().size(), 2u);
    const Renderer::TextureRegion& nothing = Queue().GetBlendedItems()[0].shownPart;
    EXPECT_FALSE(nothing.right > nothing.left);
    EXPECT_EQ(Queue().GetBlendedItems()[1].shownPart, Renderer::TextureRegion());
}
