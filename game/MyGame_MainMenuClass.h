#pragma once
// The level class of the main menu, the level selection and the credits: the intro shown once per
// run on the first main menu (logos, comic, white cover; skipped by a click or a key), and the
// fade from black with which every later menu level opens.
#include "core/Core_Object.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/core/Vellumar_StateMachine.h"
#include "game/MyGame_NamedSprites.h"

class MainMenuClass : public Vellumar::Level
{
    CORE_CLASS(MainMenuClass)

public:
    using Machine = Vellumar::StateMachine<MainMenuClass>;

    MainMenuClass();
    MainMenuClass* Clone() const override;

    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    void OnStart() override;
    void OnEnd() override;
    void Update(f32 dt) override;

    static Core::RefPtr<Machine> CreateIntroSM(MainMenuClass* owner);
    static Core::RefPtr<Machine> CreateFadeInSM(MainMenuClass* owner);
    // The menu music and the buttons' start and hover sounds, from the game's sound table.
    void CreateSounds(f32 musicVolume, f32 effectVolume);

    // Left or right click, Return, Space or Escape in this frame.
    bool IsIntroSkipped(f32 dt);
    // Z in this frame.
    bool IsComicKeyDown(f32 dt);
    bool Always(f32) { return true; }

    // The intro's handlers and conditions.
    void TraceState(f32 dt);
    void EnterInitial(f32 dt);
    void RaiseHx(f32) { FadeSprite("logo_hx", Step); }
    void LowerHx(f32) { FadeSprite("logo_hx", -Step); }
    void RaiseVl(f32) { FadeSprite("logo_vl", Step); }
    void LowerVl(f32) { FadeSprite("logo_vl", -Step); }
    void RaiseKt(f32) { FadeSprite("logo_kt", Step); }
    void LowerKt(f32) { FadeSprite("logo_kt", -Step); }
    void RaiseM(f32) { FadeSprite("logo_m", Step); }
    void LowerM(f32) { FadeSprite("logo_m", -Step); }
    void EnterCine1(f32 dt);
    void SlideComic1(f32) { Slide("comic_1", 0.0f, -10.0f); }
    void SlideComic2(f32) { Slide("comic_2", 10.0f, 0.0f); }
    void SlideComic3(f32) { Slide("comic_3", 0.0f, -10.0f); }
    void SlideComic4(f32) { Slide("comic_4", -10.0f, 0.0f); }
    void FadeComics(f32 dt);
    void EnterMstart(f32 dt);
    void EnterFinal(f32 dt);
    void UpdateFinal(f32 dt);
    bool IsHxHidden(f32) { return SpriteOpacity("logo_hx") == 0.0f; }
    bool IsHxShown(f32) { return SpriteOpacity("logo_hx") >= 1.0f; }
    bool IsHxGone(f32) { return SpriteOpacity("logo_hx") <= 0.0f; }
    bool IsVlShown(f32) { return SpriteOpacity("logo_vl") >= 1.0f; }
    bool IsVlGone(f32) { return SpriteOpacity("logo_vl") <= 0.0f; }
    bool IsKtShown(f32) { return SpriteOpacity("logo_kt") >= 1.0f; }
    bool IsKtGone(f32) { return SpriteOpacity("logo_kt") <= 0.0f; }
    bool IsMShown(f32) { return SpriteOpacity("logo_m") >= 1.0f; }
    bool IsMGone(f32) { return SpriteOpacity("logo_m") <= 0.0f; }
    bool IsComic1In(f32) { return IsAtOrigin("comic_1"); }
    bool IsComic2In(f32) { return IsAtOrigin("comic_2"); }
    bool IsComic3In(f32) { return IsAtOrigin("comic_3"); }
    bool IsComic4In(f32) { return IsAtOrigin("comic_4"); }
    bool IsComicGone(f32) { return SpriteOpacity("comic_1") <= 0.0f; }

    // The fade from black; under way while the cover is the screen's own.
    bool IsFadingIn() const;
    void EnterSolid(f32 dt);
    void UpdateSolid(f32) { FadeSprite("transit_black", -FadeStep); }
    void EnterTransparent(f32 dt);
    bool IsBlackGone(f32) { return SpriteOpacity("transit_black") <= 0.0f; }

    u8 fadeStarted = 0;
    Core::RefPtr<Machine> introSM;
    Core::RefPtr<Machine> fadeInSM;

private:
    static constexpr f32 Step = 0.01f;
    static constexpr f32 FadeStep = 0.05f;

    // Entries of the game's sound table.
    static constexpr u32 MenuMusic = 10;
    static constexpr u32 HoverEffect = 11;
    static constexpr u32 StartLevelEffect = 12;

    void Slide(const char* name, f32 dx, f32 dy);
    bool IsAtOrigin(const char* name);
};
