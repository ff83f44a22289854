#pragma once
// The elemental projectiles: each flies and hits as the plain one, and its end starts a follow-up
// made from a further clone of its archetype. Fire leaves a growing area that burns each enemy in
// it once, ice a growing area that freezes each enemy in it, lightning a chain of links that
// strike up to four further enemies nearby.
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_HitList.h"

class FireAmmoClass : public BaseAmmoClass
{
    CORE_CLASS(FireAmmoClass)

public:
    static constexpr u32 HitListSize = 50;

    using BaseAmmoClass::BaseAmmoClass;
    FireAmmoClass() = default;
    FireAmmoClass(const FireAmmoClass& source) : BaseAmmoClass(source) {}

    FireAmmoClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    bool MarkHit(u32 id) { return hitList.MarkHit(id); }
    void BurnArea(i32 r);

    u8 areaMode = 0;
    HitList hitList{HitListSize};
    u16 radius = 0;
    u16 maxRadius = 0;
    u8 radiusStep = 0;
};

class IceAmmoClass : public BaseAmmoClass
{
    CORE_CLASS(IceAmmoClass)

public:
    static constexpr u32 HitListSize = 50;
    static constexpr u8 MaxRadius = 100;
    static constexpr u8 RadiusStep = 2;

    using BaseAmmoClass::BaseAmmoClass;
    IceAmmoClass() = default;
    IceAmmoClass(const IceAmmoClass& source) : BaseAmmoClass(source) {}

    IceAmmoClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    bool MarkHit(u32 id) { return hitList.MarkHit(id); }
    void FreezeArea(i32 r);

    u8 areaMode = 0;
    HitList hitList{HitListSize};
    u8 radius = 0;
};

class LightningAmmoClass : public BaseAmmoClass
{
    CORE_CLASS(LightningAmmoClass)

public:
    static constexpr u32 HitListSize = 4;
    static constexpr u8 Hops = 4;
    static constexpr u8 LinkLife = 5;

    using BaseAmmoClass::BaseAmmoClass;
    LightningAmmoClass() = default;
    LightningAmmoClass(const LightningAmmoClass& source) : BaseAmmoClass(source) {}

    LightningAmmoClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override;
    void ScriptUpdate(f32 dt) override;

    bool MarkHit(u32 id) { return hitList.MarkHit(id); }
    void ChainStep();
    void SpawnChainLink(u32 enemyId, u8 hops);

    u8 linkTimer = 0;
    HitList hitList{HitListSize};
    u8 hopsLeft = 0;
    u8 isLink = 0;
    u32 targetId = 0;
};
