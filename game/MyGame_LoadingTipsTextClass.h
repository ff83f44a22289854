#pragma once
// The loading screen's text: one gameplay tip, chosen when the object enters its layer.
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "framework/drawables/Vellumar_Text.h"
#include "game/MyGame_ClassShape.h"

class LoadingTipsTextClass : public Vellumar::Text
{
    GAME_CLASS(LoadingTipsTextClass, Vellumar::Text)

public:
    void OnStart() override;
    // The tip stays as chosen, and no script hook runs at its end or per frame.
    void OnEnd() override {}
    void ScriptUpdate(f32) override {}
};

// The six tips, then an empty entry that the chooser never reaches.
constexpr u32 LoadingTipsCount = 7;
extern const char* const LoadingTips[LoadingTipsCount];

// One of the six tips, by the framework's random generator; the middle four come twice as often
// as the first and the last.
Core::String ChooseLoadingTip();
