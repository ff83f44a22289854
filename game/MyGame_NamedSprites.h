#pragma once
// The looks of the current level's sprites by name, for the screens' fades and covers. A sprite the
// level lacks is left alone, and its opacity reads as 0.
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_Lookup.h"

inline void SetSpriteOpacity(const char* name, f32 opacity)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetOpacity(opacity);
}

inline f32 SpriteOpacity(const char* name)
{
    const auto* sprite = FindObjectByName<Vellumar::Sprite>(name);
    return sprite ? sprite->GetOpacity() : 0.0f;
}

// The opacity changed by delta, unclamped.
inline void FadeSprite(const char* name, f32 delta)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetOpacity(sprite->GetOpacity() + delta);
}

// A cover's one-pixel texture stretched over the 1024 x 768 screen.
inline void CoverScreen(const char* name)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetScale(1024.0f, 768.0f);
}

inline void SetSpriteVisible(const char* name, bool visible)
{
    if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
        sprite->SetVisible(visible);
}
