#pragma once
// The objects placed in the menu levels (1 to 6) and the play level's loading tip, one row each, in
// creation order; one creator builds every row.
#include "core/Core_Types.h"

#include <span>

enum class ContentClass : u8
{
    Sprite,
    Button,
    MenuCursor,
    LoadingTips,
};

// No collision body for the row.
constexpr i8 NoCollision = -1;
// The loading tip is a text, without an animation or collision actor.
constexpr i32 NoActor = -1;

struct ContentObject
{
    u8 level;
    u8 layer;
    const char* name;
    ContentClass kind;
    const char* animation;  // also the texture's file name, with ".png"
    u8 columns;
    u8 rows;
    f32 delays[4];  // one per frame, columns x rows of them
    i32 actor;
    i8 collisionType;  // 0 rectangles only, 1 circles and segments, or NoCollision
    bool updateOnIdle;
    f32 opacity;
    bool play;
    bool loop;
    i32 startFrame;
    f32 x;
    f32 y;
    f32 z;
};

// Every menu object and the loading tip, level by level.
std::span<const ContentObject> MenuContent();
