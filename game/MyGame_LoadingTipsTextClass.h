#pragma once
// The loading screen's text: one gameplay tip, chosen when the object enters its layer.
#include "core/Core_String.h"
#include "framework/Vellumar_Text.h"
#include "game/MyGame_ClassShape.h"

class LoadingTipsTextClass : public Vellumar::Text
{
    GAME_CLASS(LoadingTipsTextClass, Vellumar::Text)

public:
    void OnStart() override;
};

// One of the six tips, by the framework's random generator; the middle four come twice as often
// as the first and the last.
Core::String ChooseLoadingTip();
