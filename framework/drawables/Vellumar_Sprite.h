#pragma once
// The game object that shows an animated picture: its render node carries one engine sprite built
// from sprite animations, whose playback state it controls. It keeps its collision object on the
// collision frame of the animation frame shown, and can draw that frame's shapes and its bounding
// rectangle with line and circle objects in its layer.
#include "math/Math_Color.h"
#include "engine/Engine_Sprite.h"
#include "framework/core/Vellumar_GameObject.h"
#include "framework/drawables/Vellumar_Circle.h"
#include "framework/drawables/Vellumar_Line.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"

namespace Vellumar
{
class Viewport;

class Sprite : public GameObject
{
    CORE_CLASS(Sprite)

public:
    // Without an engine sprite: what Load fills.
    Sprite();
    // The engine sprite plays the engine animations of the given ones, in order; the framework
    // animations are not kept.
    explicit Sprite(const Core::Vector<SpriteAnimation*>& animations);
    // A clone of the engine sprite; no debug objects of its own yet.
    Sprite(const Sprite& source);
    ~Sprite() override;

    Sprite* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // After the game object's state record: the shown animation and frame, the flips, the HUD flag.
    void NetworkSyncSend(Core::File& file) override;
    void NetworkSyncReceive(Core::File& file) override;
    // The collision frame of the shown frame, the debug drawing, then the game object's update.
    void Update(f32 dt) override;
    // Opacity and modulation colour to the engine sprite.
    void SyncRenderNode(f32 dt) override;
    // The debug objects leave the layer with the sprite.
    void Cleanup() override;

    // Animations; indices outside the list (negative ones included) are ignored.
    u32 GetAnimationsCount() const;
    // Nothing when index is already the current animation.
    void SetCurrentAnimation(i32 index, bool restart);
    // Selects by name when the name differs from the current animation's.
    void SetCurrentAnimationName(const Core::String& name, bool restart);
    i32 GetCurrentAnimationIndex() const;
    Core::String GetCurrentAnimationName() const;
    // Frames of the current animation; nothing when index is already current.
    void SetCurrentFrame(i32 index, bool force);
    i32 GetCurrentFrameIndex() const;
    void GoToFirstFrame(bool force);
    void GoToLastFrame(bool force);
    bool IsEndOfAnimation() const;
    // The frame's delay, 0 for an animation or frame that does not exist.
    f32 GetFrameDelay(i32 animation, i32 frame) const;
    f32 GetCurrentFrameDelay() const;
    // Of that animation; 0 when it does not exist.
    u32 GetFramesCount(i32 animation) const;
    i32 GetFrameWidth(i32 animation) const;
    i32 GetFrameHeight(i32 animation) const;

    // Playback.
    void Play(bool play);
    void Stop() { Play(false); }
    void Pause();
    bool IsPlaying() const;
    bool IsPaused() const;
    void SetLoop(bool on);
    bool GetLoop() const;
    // Negative speeds are stored as 0.
    void SetAnimationSpeed(f32 speed);
    f32 GetAnimationSpeed() const;
    void SetFlipHorizontal(bool on);
    void SetFlipVertical(bool on);
    bool GetFlipHorizontal() const;
    bool GetFlipVertical() const;
    // Drawn in screen coordinates rather than through the camera.
    // A HUD object draws at fixed pixels of each viewport, whatever the camera does: x and y from
    // the viewport's centre, one unit a pixel at z = 0.
    void SetHUDObject(bool on);
    bool IsHUDObject() const { return hudObject != 0; }

    // False without a viewport or a camera; else whether the sprite's volume reaches the camera's
    // view for the viewport's size.
    bool IsInViewport(const Viewport* viewport) const;

    // Collision.
    void SetCollisionActorIndex(i32 index) { collisionActorIndex = index; }
    i32 GetCollisionActorIndex() const { return collisionActorIndex; }
    // Off destroys the debug segments and circles; on draws them from the next update.
    void SetVisibleCollisionData(bool on);
    bool GetVisibleCollisionData() const { return visibleCollisionData != 0; }
    void SetVisibleBoundingRectangle(bool on);
    bool GetVisibleBoundingRectangle() const { return visibleBoundingRectangle != 0; }
    void SetCollisionDataColor(const Math::Color& color) { collisionDataColor = color; }
    const Math::Color& GetCollisionDataColor() const { return collisionDataColor; }
    void SetBoundingRectangleColor(const Math::Color& color) { boundingRectangleColor = color; }
    const Math::Color& GetBoundingRectangleColor() const { return boundingRectangleColor; }
    const Core::Vector<Core::RefPtr<Line>>& GetDebugLines() const { return debugLines; }
    const Core::Vector<Core::RefPtr<Circle>>& GetDebugCircles() const { return debugCircles; }
    Line* GetBoundingRectangleLine(u32 side) const { return side < 4 ? rectangleLines[side].Get() : nullptr; }

    // The level's record of this frame's sprite partners: the ids of the partners of the
    // rectangle results, then of the geometry results, as many as the result block counts.
    // Loading reads as many and puts back the sprites of those ids (rectangle partners from the
    // first layer of the level that holds one, geometry partners from this sprite's layer).
    void SaveCollisionResults(Core::File& file) const;
    void LoadCollisionResults(Core::File& file);

    Engine::Sprite* GetEngineSprite() const { return engineSprite.Get(); }

protected:
    const char* GetScriptTypeName() const override { return "Sprite"; }

private:
    void AttachEngineSprite(Engine::Sprite* sprite);
    void RefreshDebugDrawing();
    void DrawCollisionShapes();
    void DrawBoundingRectangle();
    // A debug object in front of the sprite, in its layer.
    void AddDebugObject(GameObject* object, const Math::Color& color);
    void DestroyCollisionShapes();
    void DestroyBoundingRectangle();

    Core::RefPtr<Engine::Sprite> engineSprite;
    i32 collisionActorIndex = -1;
    Core::Vector<Core::RefPtr<Line>> debugLines;
    Core::Vector<Core::RefPtr<Circle>> debugCircles;
    i32 usedLineCount = 0;
    i32 usedCircleCount = 0;
    u8 visibleCollisionData = 0;
    Core::RefPtr<Line> rectangleLines[4];
    u8 visibleBoundingRectangle = 0;
    u8 hudObject = 0;
    Math::Color collisionDataColor{0.0f, 0.0f, 0.0f, 1.0f};
    Math::Color boundingRectangleColor{0.0f, 0.0f, 0.0f, 1.0f};
};
}  // namespace Vellumar
