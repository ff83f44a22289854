// The shield enemy: a body carrying two bits that block shots on their shield face and keep the
// body unhurt, bits falling when their body has gone, and the lightning stopping at the body. The
// parts touch shots through the content's own collision shapes, and every id of the level lies
// beyond 16 bits.
#include "tests/game/Game_EffectsFixture.h"


namespace
{
class ShieldTest : public GameTest::EffectsFixture
{
protected:
    void SetUp() override
    {
        EffectsFixture::SetUp();
        auto build = factory->build;
        factory->build = [build](BaseLevelClass& level) {
            Vellumar::GameObject::SetIdCounter(70000);
            build(level);
            GameTest::Place<BaseAmmoClass>(level, "ammo_base", false);
        };
        game->GoToLevel(0u);
        RunFrames(2);
        // Nothing walks unless a test lets it.
        game->enemyMotion = 0;
        GiveBody(*Find("shield_body"), ContentActor(4), 1);
        Collision2D::CollisionActor* bits = ContentActor(3);
        GiveBody(*Find("shield_left_bit"), bits, 1, 0.1f);
        GiveBody(*Find("shield_right_bit"), bits, 1, 0.1f);
        GiveBody(*Find("ammo_clone"), ContentActor(11), 1);
        // Off the field, as the content places them: invisible objects touch too.
        for (const char* archetype : {"shield_body", "shield_left_bit", "shield_right_bit", "ammo_clone"})
            Find(archetype)->SetPosition(-1500.0f, -1500.0f);
    }

    // A body at that point as the spawners make one; its bits have started and stand beside it
    // when this returns.
    ShieldClass* Body(f32 x, f32 y)
    {
        auto* body = static_cast<ShieldClass*>(Find<ShieldClass>("shield_body")->Clone());
        body->SetName("shield_body_clone");
        body->SetVisible(true);
        body->SetSpeed(0.0f, 0.0f);
        body->SetPosition(x, y);
        Level().GetLayer(1)->AddGameObject(body, false, nullptr);
        Level().enemyList.push_back(body->GetID());
        RunFrames(2);
        return body;
    }

    ShieldBitClass* Left() { return Find<ShieldBitClass>("shield_left_bit_clone"); }
    ShieldBitClass* Right() { return Find<ShieldBitClass>("shield_right_bit_clone"); }

    // A plain shot flying from that point at that angle, until it has hit or gone.
    void Shoot(f32 x, f32 y, f32 degrees)
    {
        auto* shot = static_cast<BaseAmmoClass*>(Find<BaseAmmoClass>("ammo_clone")->Clone());
        shot->SetName("ammo_base");
        shot->SetVisible(true);
        shot->SetPosition(x, y);
        shot->SetRotationAngle(degrees);
        AddToPlayLayer(shot);
        RunFrame();
        for (int frame = 0; frame < 40 && Count("ammo_base") > 0; ++frame)
            RunFrame();
        ASSERT_EQ(Count("ammo_base"), 0u);
        // The parts show the hit at their next update.
        RunFrame();
    }

    // A shot of that element hitting the enemy directly, then ending.
    template <class Ammo>
    void HitWith(const char* archetype, u8 element, MainEnemyClass& enemy)
    {
        Flying<Ammo>(archetype, enemy.GetPositionX(), enemy.GetPositionY() - 200.0f, element)->ResolveHit(enemy.GetID(), true);
        RunFrames(2);
    }
};

TEST_F(ShieldTest, ABodyStartsShieldedWithTwoBitsThatFollowItUnderIdsBeyond16Bits)
{
    ShieldClass* body = Body(100.0f, 200.0f);
    EXPECT_GE(game->shieldArchetypeId, 70000u);
    EXPECT_EQ(game->shieldArchetypeId, Find("shield_body")->GetID());
    EXPECT_EQ(game->shieldBitArchetypeId, Find("shield_right_bit")->GetID());
    EXPECT_EQ(body->kindId, game->shieldArchetypeId);
    EXPECT_EQ(body->bitsAlive, 2);
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(body->reward, 5);
    EXPECT_EQ(body->chainImmune, 1);
    EXPECT_FLOAT_EQ(body->speedY, 0.3f);
    ShieldBitClass* left = Left();
    ShieldBitClass* right = Right();
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->bodyId, body->GetID());
    EXPECT_EQ(right->kindId, game->shieldBitArchetypeId);
    EXPECT_EQ(right->hitPoints, 4);
    EXPECT_EQ(right->reward, 5);
    EXPECT_EQ(right->chainImmune, 0);
    EXPECT_EQ(right->GetCurrentAnimationIndex(), 3);
    EXPECT_EQ(Level().enemyList, (Core::Vector<u32>{body->GetID(), left->GetID(), right->GetID()}));
    EXPECT_EQ(left->GetPosition(), Math::Vector2D(10.0f, 230.0f));
    EXPECT_EQ(right->GetPosition(), Math::Vector2D(190.0f, 230.0f));

    // Frozen, the body walks at half speed and its bits keep their places beside it.
    game->enemyMotion = 1;
    body->SetState(MainEnemyClass::Frozen);
    RunFrames(10);
    EXPECT_NEAR(body->GetPositionY(), 200.0f - 10 * 0.15f, 1e-3f);
    EXPECT_EQ(left->GetPositionX(), body->GetPositionX() - 90.0f);
    EXPECT_EQ(right->GetPositionY(), body->GetPositionY() + 30.0f);
}

TEST_F(ShieldTest, BitsBlockShotsOnTheirShieldFaceOnlyAndTheBodyWhileABitLives)
{
    ShieldClass* body = Body(0.0f, 0.0f);
    ShieldBitClass* left = Left();
    auto* blood = Find<BloodSystemClass>("blood");

    // From below a shot meets the bit's shield face: no damage, the shield look, a flash of ten
    // updates.
    Shoot(-90.0f, -100.0f, 90.0f);
    EXPECT_EQ(left->hitPoints, 4);
    EXPECT_EQ(blood->targetId, left->GetID());
    EXPECT_EQ(blood->shielded, 1);
    EXPECT_EQ(blood->critical, 0);
    EXPECT_TRUE(left->bitFlashing);
    EXPECT_EQ(left->GetCurrentFrameIndex(), 1);
    RunFrames(9);
    EXPECT_EQ(left->GetCurrentFrameIndex(), 1);
    RunFrame();
    EXPECT_EQ(left->GetCurrentFrameIndex(), 0);
    EXPECT_FALSE(left->bitFlashing);

    // From the side a shot meets the bit where it has no shield.
    Shoot(-300.0f, 55.0f, 0.0f);
    EXPECT_EQ(left->hitPoints, 3);
    EXPECT_EQ(blood->targetId, left->GetID());
    EXPECT_EQ(blood->shielded, 0);
    EXPECT_EQ(left->GetCurrentAnimationIndex(), 2);

    // The body itself is shielded while a bit lives.
    Shoot(0.0f, -100.0f, 90.0f);
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(blood->targetId, body->GetID());
    EXPECT_EQ(blood->shielded, 1);
    EXPECT_TRUE(body->flashing);
    EXPECT_EQ(body->GetCurrentFrameIndex(), 1);

    // A fire shot the shield stops leaves no fire area; a hit that gets past the shield (an area's
    // burn) is undone at the body's next update.
    HitWith<FireAmmoClass>("ammo_clonf", 1, *body);
    EXPECT_EQ(Count("ammo_Fiery"), 0u);
    body->hitPoints = 1;
    RunFrame();
    EXPECT_EQ(body->hitPoints, 2);
}

TEST_F(ShieldTest, KilledBitsDropCrystalsAndUnshieldTheBodyWhichThenDiesInTwoHits)
{
    ShieldClass* body = Body(0.0f, 0.0f);
    ShieldBitClass* left = Left();
    ShieldBitClass* right = Right();
    // Paused, so that the crystals stay to be counted.
    game->running = 0;
    left->hitPoints = 1;
    RunFrame();
    EXPECT_EQ(left->GetCurrentAnimationIndex(), 0);
    left->hitPoints = 0;
    RunFrame();
    // A dying bit keeps its last animation: there is none for 0 hit points.
    EXPECT_EQ(left->GetCurrentAnimationIndex(), 0);
    EXPECT_TRUE(left->killed);
    EXPECT_EQ(body->bitsAlive, 1);
    RunFrame();
    EXPECT_EQ(Count("crystal_clone"), 5u);
    right->hitPoints = -3;
    RunFrame();
    EXPECT_EQ(right->GetCurrentAnimationIndex(), 3);
    EXPECT_EQ(body->bitsAlive, 0);
    RunFrame();
    EXPECT_EQ(body->GetCurrentFrameIndex(), 3);

    auto* blood = Find<BloodSystemClass>("blood");
    HitWith<BaseAmmoClass>("ammo_clone", 0, *body);
    EXPECT_EQ(body->hitPoints, 1);
    EXPECT_EQ(body->GetCurrentFrameIndex(), 2);
    EXPECT_EQ(blood->shielded, 0);
    const u32 crystals = Count("crystal_clone");
    HitWith<BaseAmmoClass>("ammo_clone", 0, *body);
    EXPECT_EQ(Find<ShieldClass>("shield_body_clone"), nullptr);
    EXPECT_EQ(Count("crystal_clone"), crystals + 5u);
    EXPECT_TRUE(Level().enemyList.empty());
}

TEST_F(ShieldTest, BitsOfAGoneBodyFallFastAndLightningStopsAtTheBody)
{
    ShieldClass* body = Body(0.0f, 100.0f);
    MainEnemyClass* below = Enemy(0.0f, 40.0f);
    // A chain from below the body finds the body first: it ends there without a hop.
    auto* bolt = Flying<LightningAmmoClass>("ammo_clons", 0.0f, 40.0f, 3);
    bolt->ResolveHit(below->GetID(), true);
    RunFrames(10);
    EXPECT_EQ(Count("ammo_Lightning"), 0u);
    EXPECT_EQ(below->hitPoints, 9);
    EXPECT_EQ(body->hitPoints, 2);
    EXPECT_EQ(Left()->hitPoints, 4);
    // A bolt the shield stops starts no chain, though the bits stand within its reach.
    bolt = Flying<LightningAmmoClass>("ammo_clons", 0.0f, 100.0f, 3);
    bolt->ResolveHit(body->GetID(), true);
    RunFrames(10);
    EXPECT_EQ(Count("ammo_Lightning"), 0u);
    EXPECT_EQ(Left()->hitPoints, 4);
    EXPECT_EQ(Right()->hitPoints, 4);

    game->enemyMotion = 1;
    body->Destroy();
    RunFrames(2);
    ShieldBitClass* right = Right();
    right->SetState(MainEnemyClass::Frozen);
    const f32 y = right->GetPositionY();
    RunFrames(4);
    EXPECT_FLOAT_EQ(right->GetPositionY(), y - 20.0f);
    // With no body left a shot on the bit is an ordinary hit.
    game->enemyMotion = 0;
    HitWith<BaseAmmoClass>("ammo_clone", 0, *right);
    EXPECT_EQ(right->hitPoints, 3);
    EXPECT_EQ(Find<BloodSystemClass>("blood")->shielded, 0);
    EXPECT_EQ(right->GetCurrentAnimationIndex(), 2);
    Left()->hitPoints = 0;
    RunFrames(2);
    EXPECT_EQ(Left(), nullptr);
    EXPECT_EQ(Count("crystal_clone"), 5u);
}
}  // namespace
