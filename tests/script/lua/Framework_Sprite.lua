-- Globals from the test: sprite (animations "walk" of three frames and "jump" of two, in the
-- level's layer), walk (the first animation), viewport (the level's viewport), and native answers
-- through expected_*.

-- The GameObject rows stand in the sprite's table.
assert(sprite:GetName() == "runner" and sprite.AddManagedObject == nil)
local p = CreatePoint() p.X = 4 p.Y = 5
sprite:SetPosition(p)
assert(sprite:GetPositionX() == 4)

-- Flips, frames and playback
sprite:SetFlipHorizontal(true)
sprite:SetFlipVertical(false)
assert(sprite:GetFlipHorizontal() == true and sprite:GetFlipVertical() == false)
assert(sprite:GetFramesCount(0) == 3 and sprite:GetFramesCount(1) == 2)
assert(sprite:GetFrameWidth(0) == expected_frame_width(0) and sprite:GetFrameHeight(1) == expected_frame_height(1))
assert(near(sprite:GetFrameDelay(1, 1), 0.3) and near(sprite:GetCurrentFrameDelay(), expected_current_delay()))
sprite:SetCurrentFrameIndex(2)
assert(sprite:GetCurrentFrameIndex() == 2)
sprite:GoToFirstFrame()
assert(sprite:GetCurrentFrameIndex() == 0)
sprite:GoToLastFrame(true)
assert(sprite:GetCurrentFrameIndex() == 2 and sprite:IsEndOfAnimation() == expected_end())
sprite:SetLoop(false)
assert(sprite:GetLoop() == false)
sprite:SetAnimationSpeed(2)
assert(sprite:GetAnimationSpeed() == 2)
sprite:SetAnimationSpeed(-1)
assert(sprite:GetAnimationSpeed() == expected_speed())
sprite:Play()
assert(sprite:IsPlaying() == true)
sprite:Pause()
assert(sprite:IsPaused() == true and sprite:IsPlaying() == false)
sprite:Play(false)
assert(sprite:IsPlaying() == false)
sprite:Play(true)
sprite:Stop()
assert(sprite:IsPlaying() == false)

-- Animations
assert(sprite:GetAnimationsCount() == 2)
sprite:SetCurrentAnimationIndex(1)
assert(sprite:GetCurrentAnimationIndex() == 1 and sprite:GetCurrentAnimationName() == "jump")
sprite:SetCurrentAnimationName("walk", true)
assert(sprite:GetCurrentAnimationIndex() == 0)

-- View and collision drawing
assert(sprite:IsInViewport(viewport) == expected_in_viewport() and sprite:IsInViewport(0) == expected_in_viewport())
assert(sprite:IsInViewport(7) == false and none(sprite:IsInViewport("x")))
sprite:SetHUDObject(true)
assert(sprite:IsHUDObject() == true)
sprite:SetCollisionActorIndex(3.9)
assert(expected_actor_index() == 3)
sprite:SetVisibleCollisionData(true)
assert(sprite:GetVisibleCollisionData() == true)
sprite:SetVisibleCollisionData(false)
local c = CreateColor() c.G = 1
sprite:SetCollisionDataColor(c)
assert(sprite:GetCollisionDataColor().G == 1)
sprite:SetVisibleBoundingRectangle(true)
assert(sprite:GetVisibleBoundingRectangle() == true)
sprite:SetVisibleBoundingRectangle(false)
sprite:SetBoundingRectangleColor(c)
assert(sprite:GetBoundingRectangleColor().className == "Color")

-- Copies
local copy = sprite:Clone()
assert(copy:GetName() == "runner" and copy:GetAnimationsCount() == 2 and copy:GetID() ~= sprite:GetID())
expected_keep(copy)

-- SpriteAnimation
assert(walk:GetName() == "walk")
walk:SetName("stride")
assert(walk:GetName() == "stride")
assert(walk:GetFrameWidth() == expected_frame_width(0) and walk:GetFrameHeight() == expected_frame_height(0))
assert(walk:GetFramesCount() == 3 and near(walk:GetFrameDelay(0), 0.1) and walk:GetFrameDelay(9) == 0)
walk:SetLoopStartingFrame(1)
walk:SetLoopEndingFrame(2.5)
assert(walk:GetLoopStartingFrame() == 1 and walk:GetLoopEndingFrame() == 2)
assert(none(walk:SetName()) and none(walk:GetFrameDelay()) and none(walk:SetLoopStartingFrame()))
assert(none(walk:SetLoopEndingFrame()))

-- Too few arguments
assert(none(sprite:SetFlipHorizontal()) and none(sprite:GetFrameDelay(1)) and none(sprite:GetFramesCount()))
assert(none(sprite:GetFrameWidth()) and none(sprite:GetFrameHeight()) and none(sprite:SetCurrentFrameIndex()))
assert(none(sprite:SetLoop()) and none(sprite:SetAnimationSpeed()) and none(sprite:SetCurrentAnimationIndex()))
assert(none(sprite:SetCurrentAnimationName()) and none(sprite:IsInViewport()) and none(sprite:SetHUDObject()))
assert(none(sprite:SetCollisionActorIndex()) and none(sprite:SetVisibleCollisionData()))
assert(none(sprite:SetCollisionDataColor(1)) and none(sprite:SetBoundingRectangleColor()))
