// Tower sites, their icon menus, building, and the three sacrifice attacks.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "tests/game/Game_EffectsFixture.h"

namespace
{
using GameTest::EffectsFixture;

class TowersTest : public EffectsFixture
{
protected:
    SlotClass* Site(const char* name) { return Find<SlotClass>(name); }

    // The icon of that name opened above a site, as a click on the site opens it.
    SelectClass* OpenMenu(SlotClass& site, const char* icon)
    {
        site.menuOpen = 1;
        site.ToggleTowerSelection(site.GetID());
        RunFrame();
        return Find<SelectClass>(icon);
    }
};

TEST_F(TowersTest, AMenuOpensThreeIconsAboveItsSiteAndAnyCloseRemovesEveryIcon)
{
    SlotClass* third = Site("towerslot3");
    SelectClass* fire = OpenMenu(*third, "select_fire_clone");
    ASSERT_NE(fire, nullptr);
    EXPECT_EQ(fire->GetPositionX(), 211.0f);
    EXPECT_EQ(fire->GetPositionY(), -280.0f);
    EXPECT_EQ(Find<SelectClass>("select_lightning_clone")->GetPositionX(), 291.0f);
    EXPECT_EQ(fire->slotId, third->GetID());
    EXPECT_EQ(fire->GetOpacity(), 0.5f);
    OpenMenu(*Site("towerslot1"), "select_ice_clone");
    EXPECT_EQ(Count("select_ice_clone"), 2u);
    fire->menuOpen = 0;
    fire->ToggleTowerSelection(fire->slotId);
    RunFrame();
    EXPECT_EQ(Count("select_fire_clone") + Count("select_ice_clone") + Count("select_lightning_clone"), 0u);
    EXPECT_EQ(Find<SelectClass>("select_fire")->GetOpacity(), 0.5f);
}

TEST_F(TowersTest, BuildingTakesTwentyCrystalsAndTheCannonElementFollowsTheTower)
{
    auto* third = static_cast<Slot3Class*>(Site("towerslot3"));
    Level().resources = 20;
    OpenMenu(*third, "select_ice_clone")->BuildTower(third->GetID());
    EXPECT_EQ(Level().resources, 0);
    EXPECT_EQ(third->towerElement, 2u);
    EXPECT_EQ(third->cannonElement, 0u);
    RunFrame();
    EXPECT_EQ(third->cannonElement, 2u);
    auto* tower = Find<IceTowerClass>("tower_ice_clone");
    ASSERT_NE(tower, nullptr);
    EXPECT_EQ(tower->GetPositionX(), 251.0f);
    EXPECT_EQ(tower->GetPositionY(), -284.0f);
    EXPECT_TRUE(tower->GetVisible());
    tower->Destroy();
    RunFrames(2);
    EXPECT_EQ(third->towerElement, 0u);
    EXPECT_EQ(third->cannonElement, 0u);
}

TEST_F(TowersTest, TheIceSacrificeHaltsEnemiesFor401RunningUpdatesWithFrostThenFreesItsSite)
{
    SlotClass* site = Site("towerslot2");
    Level().resources = 20;
    OpenMenu(*site, "select_ice_clone")->BuildTower(site->GetID());
    RunFrame();
    auto* tower = Find<IceTowerClass>("tower_ice_clone");
    auto* frost = Find<IceTowerEffectSystemClass>("ice_tower_effect1");
    EXPECT_TRUE(frost->GetVisible());
    EXPECT_EQ(frost->GetEmissionRateMax(), 0.0f);
    tower->active = 1;
    RunFrames(2);
    EXPECT_EQ(game->enemyMotion, 0);
    EXPECT_EQ(frost->GetEmissionRateMax(), 1000.0f);
    game->running = 0;
    RunFrames(50);
    const u16 held = tower->haltTimer;
    game->running = 1;
    RunFrames(400 - held);
    EXPECT_EQ(tower->haltTimer, 400);
    EXPECT_EQ(game->enemyMotion, 0);
    RunFrames(3);
    EXPECT_EQ(Find<IceTowerClass>("tower_ice_clone"), nullptr);
    EXPECT_EQ(game->enemyMotion, 1);
    EXPECT_EQ(site->towerElement, 0u);
    EXPECT_EQ(frost->GetEmissionRateMax(), 0.0f);
}

TEST_F(TowersTest, TheLightningSacrificeSendsFifteenBoltsAndEndsWithItsWave)
{
    SlotClass* site = Site("towerslot4");
    Level().resources = 20;
    OpenMenu(*site, "select_lightning_clone")->BuildTower(site->GetID());
    RunFrame();
    Find("emp")->SetScale(1.0f, 1.0f);
    Find<LightningTowerClass>("tower_lightning_clone")->active = 1;
    RunFrame();
    Core::Vector<Vellumar::GameObject*> bolts;
    Level().GetGameObjectsByName("ammo_base", bolts);
    ASSERT_EQ(bolts.size(), 15u);
    EXPECT_EQ(bolts.front()->GetPositionX(), 500.0f);
    EXPECT_EQ(bolts.back()->GetPositionX(), -480.0f);
    EXPECT_EQ(bolts.back()->GetPositionY(), -350.0f);
    RunFrames(25);
    EXPECT_EQ(Count("ammo_base"), 15u);
    EXPECT_EQ(Find<LightningTowerClass>("tower_lightning_clone"), nullptr);
    EXPECT_FALSE(Find("emp")->GetVisible());
    EXPECT_EQ(Find("emp")->GetOpacity(), 1.0f);
    EXPECT_EQ(site->towerElement, 0u);
}

TEST_F(TowersTest, TheFireSacrificeClimbsSwaysAndBurstsIntoTheLargeFireArea)
{
    SlotClass* site = Site("towerslot4");
    Level().resources = 20;
    OpenMenu(*site, "select_fire_clone")->BuildTower(site->GetID());
    RunFrame();
    auto* tower = Find<FireTowerClass>("tower_fire_clone");
    tower->SetCurrentAnimation(1, false);
    RunFrames(35);
    EXPECT_FLOAT_EQ(tower->GetPositionY(), -249.0f);
    EXPECT_EQ(tower->GetPositionX(), 406.0f);
    int updates = 0;
    while (Find<FireTowerClass>("tower_fire_clone") && updates < 300)
    {
        RunFrame();
        ++updates;
    }
    EXPECT_NEAR(updates, 122, 2);
    RunFrame();
    auto* missile = Find<FireAmmoClass>("Missile");
    ASSERT_NE(missile, nullptr);
    EXPECT_EQ(missile->maxRadius, 1000);
    EXPECT_NEAR(missile->GetPositionX(), 181.0f, 3.0f);
    EXPECT_EQ(site->towerElement, 0u);
    RunFrames(12);
    EXPECT_EQ(Find<FireAmmoClass>("Missile"), nullptr);
}
TEST_F(TowersTest, TowersEndingWithTheirLevelFreeWhatTheirEndsSpawn)
{
    Level().resources = 40;
    SlotClass* first = Site("towerslot1");
    OpenMenu(*first, "select_fire_clone")->BuildTower(first->GetID());
    SlotClass* second = Site("towerslot2");
    OpenMenu(*second, "select_ice_clone")->BuildTower(second->GetID());
    RunFrame();
    Find<IceTowerClass>("tower_ice_clone")->active = 1;
    RunFrames(2);
    EXPECT_EQ(game->enemyMotion, 0);
    game->GoToLevel(1u);
    RunFrames(3);
    EXPECT_EQ(game->enemyMotion, 1);
    EXPECT_EQ(FindObjectByName<FireAmmoClass>("Missile"), nullptr);
}
class TowerClicksTest : public TowersTest
{
protected:
    void SetUp() override
    {
        TowersTest::SetUp();
        actor = new Collision2D::CollisionActor();
        Collision2D::CollisionFrame& frame = actor->AddCollisionAnimation().AddCollisionFrame();
        frame.SetBoundingRectangle(Collision2D::VelRect(10.0f, -10.0f, 10.0f, -10.0f), true);
        frame.AddCircle({0.0f, 0.0f}, 10.0f, 1, true);
        game->AddCollisionAssets(actor);
        cursor = GameTest::Place<Vellumar::Sprite>(Level(), "cursor", true, -3000.0f, 3000.0f);
        GiveBody(*cursor);
    }

    // A round body of radius 10 that touches every other.
    void GiveBody(Vellumar::GameObject& object)
    {
        auto* body = new Collision2D::DynamicObject();
        body->AddCollisionData(actor, 0, 0);
        body->SetCollisionType(0);
        body->SetCanCollid(0, true);
        body->SetUpdateOnIdle(true);
        object.AddCollision(body, Level().GetLayer(1)->GetCollisionId());
    }

    // The cursor on the object, then a click there.
    void Click(Vellumar::GameObject& object)
    {
        cursor->SetPosition(object.GetPositionX(), object.GetPositionY());
        input.buttons = 0;
        RunFrames(2);
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        RunFrames(2);
    }

    Collision2D::CollisionActor* actor = nullptr;
    Vellumar::Sprite* cursor = nullptr;
};

TEST_F(TowerClicksTest, ClicksOnAnEmptySiteOpenAndCloseItsMenuAndAnOccupiedSiteIgnoresThem)
{
    SlotClass* site = Site("towerslot3");
    GiveBody(*site);
    Click(*site);
    EXPECT_EQ(site->menuOpen, 1);
    EXPECT_EQ(Count("select_fire_clone") + Count("select_ice_clone") + Count("select_lightning_clone"), 3u);
    Click(*site);
    EXPECT_EQ(site->menuOpen, 0);
    EXPECT_EQ(Count("select_fire_clone") + Count("select_ice_clone") + Count("select_lightning_clone"), 0u);
    site->towerElement = 1;
    Click(*site);
    EXPECT_EQ(site->menuOpen, 0);
    EXPECT_EQ(Count("select_fire_clone"), 0u);
}
}  // namespace
