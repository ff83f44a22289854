#include "framework/core/Vellumar_Random.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_BossParts.h"
#include "game/MyGame_Lookup.h"

GAME_REGISTER_CLASS(BigBossEggsClass)

namespace
{
struct EggPlace
{
    const char* name;
    f32 dx;
    f32 dy;
    bool elemental;
};

constexpr EggPlace Places[] = {
    {"bb_fire_egg_clone", -1.0f, -300.0f, true},      {"bb_ice_egg_clone", -175.0f, -250.0f, true},
    {"bb_lightning_egg_clone", 175.0f, -250.0f, true}, {"bb_left_egg_clone", -350.0f, -50.0f, false},
    {"bb_right_egg_clone", 350.0f, -50.0f, false},
};

const EggPlace* PlaceOf(const Core::String& name)
{
    for (const EggPlace& place : Places)
        if (name == place.name)
            return &place;
    return nullptr;
}
}  // namespace

bool BigBossEggsClass::OffsetOf(const Core::String& name, Math::Vector2D& offset)
{
    const EggPlace* place = PlaceOf(name);
    if (place)
        offset = Math::Vector2D(place->dx, place->dy);
    return place != nullptr;
}

void BigBossEggsClass::Lay(const char* archetype, const char* name, f32 z, i32 element, bool mirrored)
{
    BigBossBodyClass* body = Body();
    Math::Vector2D at = body ? body->GetPosition() : Math::Vector2D(0.0f, 0.0f);
    Math::Vector2D offset(0.0f, 0.0f);
    if (OffsetOf(name, offset))
        at = at + offset;
    if (auto* egg = AddBossPart<BigBossEggsClass>(archetype, name, z, at, mirrored))
        egg->eggElement = element;
}

void BigBossEggsClass::OnStart()
{
    if (!RegisterOrLive(EnemyKinds[BigBossEggsKind].archetypeId))
        return;
    StartKind(EnemyKinds[BigBossEggsKind]);
    hatchTimer = 0;
    if (BigBossBodyClass* body = Body())
        SetPositionX(body->GetPositionX());
}

void BigBossEggsClass::OnEnd()
{
    MainEnemyClass::OnEnd();
    const EggPlace* place = PlaceOf(GetName());
    if (!place || !place->elemental)
        return;
    if (auto* bottom = FindObjectByName<BigBossBottomClass>("bb_bottom_clone"))
        bottom->eggsAlive -= 1;
}

void BigBossEggsClass::ScriptUpdate(f32)
{
    if (!GetVisible())
        return;
    CheckDeath();
    Hatch();
    FollowBody();
    hatchTimer += 1;
}

void BigBossEggsClass::Hatch()
{
    BaseLevelClass* level = GetPlayLevel();
    if (!level)
        return;
    if (eggElement >= 1 && eggElement <= 3 && hatchTimer >= LightHatchTime)
    {
        // Fire walks straight down; ice drifts left and lightning right.
        f32 drift = 0.0f;
        f32 fall = 0.5f;
        if (eggElement == 1)
            fall = 0.7f;
        else if (eggElement == 2)
            drift = Vellumar::RandomFloatInRange(-0.8f, 0.0f);
        else
            drift = Vellumar::RandomFloatInRange(0.0f, 0.8f);
        if (MainEnemyClass* light = level->SpawnEnemy("enemy_light", GetPositionX(), GetPositionY(), drift, fall, 1.4f, false))
            light->element = eggElement;
        hatchTimer = 0;
    }
    else if (eggElement == 0 && hatchTimer >= HeavyHatchTime)
    {
        level->SpawnEnemy("enemy_heavy", GetPositionX(), GetPositionY() - 10.0f, 0.0f, 0.4f, 1.6f, false);
        hatchTimer = 0;
    }
}

void BigBossEggsClass::FollowBody()
{
    BigBossBodyClass* body = Body();
    Math::Vector2D offset(0.0f, 0.0f);
    if (body && OffsetOf(GetName(), offset))
        SetPosition(body->GetPosition() + offset);
}
