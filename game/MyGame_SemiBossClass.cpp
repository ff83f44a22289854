#include "game/MyGame_SemiBossClass.h"

#include "platform/Input_KeyCodes.h"
#include "platform/Input_Keyboard.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BossParts.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_Sounds.h"

#include <cmath>

GAME_REGISTER_CLASS(SemiBossClass)

namespace
{
constexpr const char* BodyName = "semiboss_body_clone";
constexpr f32 InPlaceY = 384.0f;
constexpr f32 BlinkTime = 70.0f;
constexpr f32 AttackTime = 80.0f;
constexpr f32 StrikeY = -200.0f;
constexpr f32 CrashY = -284.0f;
constexpr i32 StrikeDamage = 3;
const Math::Color White(1.0f, 1.0f, 1.0f, 1.0f);
}  // namespace

BaseCityClass* SemiBossClass::City()
{
    return FindObjectByName<BaseCityClass>("city");
}

void SemiBossClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[SemiBossKind].archetypeId))
        return;
    StartBossMusic();
    StartKind(EnemyKinds[SemiBossKind]);
    attackTimer = 40.0f;
    glow = 1.0f;
    armsAlive = 2;
    attacking = 0;
    glowRising = false;
    swayPhase = 0.0f;
    struck = false;
    // Both arms are the left arm's picture, the right one mirrored; they start where they follow.
    struct ArmPlace
    {
        const char* name;
        f32 dx;
        bool mirrored;
    };
    for (const ArmPlace& arm : {ArmPlace{"semiboss_leftarm_clone", -110.0f, false},
                                ArmPlace{"semiboss_rightarm_clone", 110.0f, true}})
    {
        const Math::Vector2D at(GetPositionX() + arm.dx, GetPositionY() - 130.0f);
        if (auto* part = AddBossPart<SemiBossArmClass>("semiboss_leftarm", arm.name, 1.5f, at, arm.mirrored))
            part->bodyId = GetID();
    }
}

void SemiBossClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    if (GetPositionY() > InPlaceY)
        SetPositionY(GetPositionY() - 2.0f);
    else
        Move();
    if (armsAlive > 0 && hitPoints < 2)
        hitPoints = 2;
    ShowHitPointsFrame();
    CheckDeath();
    CheckCityReached();
}

void SemiBossClass::Move()
{
    if (!attacking && GetName() == BodyName)
    {
        speedX = GetPositionX() + 3.0f * std::sin(swayPhase);
        SetPosition(speedX, GetPositionY() - speedY);
    }
    if (armsAlive == 0)
    {
        speedY = 5.0f;
        SetPositionY(GetPositionY() - 5.0f);
    }
    if (attackTimer > BlinkTime && armsAlive > 0)
        Blink();
    if (attackTimer > AttackTime && armsAlive > 0)
        Attack();
    if (attackTimer <= AttackTime)
    {
        restY = GetPositionY();
        speedY = 0.1f;
        swayPhase += 0.03f;
        attackTimer += 0.1f;
    }
}

void SemiBossClass::Blink()
{
    if (glowRising)
    {
        if (glow < 1.0f)
            glow += 0.1f;
        else
            glowRising = false;
    }
    if (!glowRising)
    {
        if (glow > 0.0f)
            glow -= 0.1f;
        else
            glowRising = true;
    }
    Tint(Math::Color(1.0f, glow, glow, 1.0f));
}

void SemiBossClass::Attack()
{
    glow = 1.0f;
    Tint(White);
    attacking = 1;
    const f32 y = GetPositionY();
    if (!struck)
    {
        if (y > StrikeY)
            SetPositionY(y - 25.0f);
        else
        {
            if (BaseCityClass* city = City())
                city->hitPoints -= StrikeDamage;
            struck = true;
        }
        return;
    }
    if (restY > y)
        SetPositionY(y + 10.0f);
    else
    {
        attacking = 0;
        struck = false;
        attackTimer = 0.0f;
    }
}

void SemiBossClass::Tint(const Math::Color& color)
{
    SetModulationColor(color);
    for (u32 id : {leftArmId, rightArmId})
        if (auto* arm = FindObjectById<SemiBossArmClass>(id))
            arm->SetModulationColor(color);
}

void SemiBossClass::LoseArm()
{
    armsAlive -= 1;
    if (armsAlive > 0 || !attacking)
        return;
    attacking = 0;
    struck = false;
    attackTimer = 0.0f;
}

void SemiBossClass::CheckCityReached()
{
    if (killed || attacking || GetPositionY() > CrashY || GetName() != BodyName)
        return;
    if (BaseCityClass* city = City())
        city->hitPoints -= StrikeDamage;
    Destroy();
}

void SemiBossClass::OnEnd()
{
    MainEnemyClass::OnEnd();
    const BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    if (level->firstEntryFlag != 1)
    {
        AdvanceWave(false);
        return;
    }
    // The letter by the engine's own key code, as every key the game reads.
    const Input::Keyboard* keyboard = Input::GetKeyboard();
    const BaseCityClass* city = City();
    if (city && city->hitPoints != 0 && !(keyboard && keyboard->IsPressed(Input::EngineKey::LetterA)))
        AdvanceWave(true);
}
