// Tower sites, their icon menus, building, and the three sacrifice attacks.
#include "collision/Collision_ActorData.h"
#include "collision/Collision_DynamicObject.h"
#include "framework/drawables/Vellumar_Viewport.h"
#include "game/MyGame_CursorClass0.h"
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

TEST_F(TowersTest, TheCannonsNextElementsFollowTheBuiltTowers)
{
    Level().resources = 80;
    for (const char* name : {"towerslot1", "towerslot2", "towerslot3", "towerslot4"})
        OpenMenu(*Site(name), "select_fire_clone")->BuildTower(Site(name)->GetID());
    RunFrame();
    // Every site holds fire: each new element is fire and is fired three shots after it is drawn.
    auto* cannon = Find<CannonClass>("cannon");
    MoveMouse(512, 200);
    for (int shot = 1; shot <= 4; ++shot)
    {
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        EXPECT_EQ(cannon->ammoQueue[0], 1) << shot;
        EXPECT_EQ(Find<FireAmmoClass>("ammo_base") != nullptr, shot == 4) << shot;
        RunFrames(51);
    }

    // Freed sites offer nothing: the draw favours the middle sites two to one.
    for (const char* name : {"towerslot2", "towerslot4"})
        static_cast<SlotClass*>(Site(name))->towerElement = 0;
    RunFrame();
    std::array<u32, 4> drawn{};
    for (int i = 0; i < 600; ++i)
        ++drawn[cannon->ChooseAmmoElement()];
    EXPECT_EQ(cannon->slotElements, (std::array<u8, 4>{1, 0, 1, 0}));
    EXPECT_EQ(drawn[2] + drawn[3], 0u);
    EXPECT_NEAR(drawn[1], 300.0, 45.0);
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
// Real clicks: the injected mouse moves the cursor, and the sites, icons and cursor touch through
// the content's own rectangles.
class TowerClicksTest : public TowersTest
{
protected:
    void SetUp() override
    {
        TowersTest::SetUp();
        // The cursor follows the mouse over a screen-sized viewport.
        Level().AddViewport(new Vellumar::Viewport(0, 0, 1024, 768));
        auto* cursor = GameTest::Place<CursorClass0>(Level(), "cursor", true);
        GiveBody(*cursor, ContentActor(63), 0);
        Collision2D::CollisionActor* site = ContentActor(28);
        for (const char* name : {"towerslot1", "towerslot2", "towerslot3", "towerslot4"})
            GiveBody(*Site(name), site, 0);
        GiveBody(*Find("select_fire"), ContentActor(29), 0);
        GiveBody(*Find("select_ice"), ContentActor(30), 0);
        GiveBody(*Find("select_lightning"), ContentActor(31), 0);
    }

    // The mouse on that point, y up from the screen centre, then a click there.
    void ClickAt(f32 x, f32 y)
    {
        MoveMouse(512 + static_cast<i32>(x), 767 - (384 + static_cast<i32>(y)));
        input.buttons = 0;
        RunFrames(2);
        input.buttons = Input::ButtonBit::Left;
        RunFrame();
        input.buttons = 0;
        RunFrames(2);
    }

    void Click(Vellumar::GameObject& object) { ClickAt(object.GetPositionX(), object.GetPositionY()); }

    u32 Icons() { return Count("select_fire_clone") + Count("select_ice_clone") + Count("select_lightning_clone"); }
};

TEST_F(TowerClicksTest, ClicksOnAnEmptySiteOpenAndCloseItsMenuAndAnOccupiedSiteIgnoresThem)
{
    SlotClass* site = Site("towerslot3");
    Click(*site);
    EXPECT_EQ(site->menuOpen, 1);
    EXPECT_EQ(Icons(), 3u);
    Click(*site);
    EXPECT_EQ(site->menuOpen, 0);
    EXPECT_EQ(Icons(), 0u);
    site->towerElement = 1;
    Click(*site);
    EXPECT_EQ(site->menuOpen, 0);
    EXPECT_EQ(Count("select_fire_clone"), 0u);
}

TEST_F(TowerClicksTest, AClickOnAnIconIsTheIconsAloneThoughTheCursorReachesIntoTheSiteBelow)
{
    SlotClass* site = Site("towerslot3");
    Click(*site);
    ASSERT_EQ(Icons(), 3u);
    // On an icon's centre the cursor's rectangle reaches 3 units into the site's: still only the
    // icon takes the click, refused with 19 crystals, and the menu stays open.
    Level().resources = 19;
    ClickAt(211.0f, -280.0f);
    EXPECT_EQ(site->menuOpen, 1);
    EXPECT_EQ(Icons(), 3u);
    EXPECT_EQ(Count("tower_fire_clone"), 0u);
    Level().resources = 20;
    ClickAt(251.0f, -280.0f);
    EXPECT_EQ(Count("tower_ice_clone"), 1u);
    EXPECT_EQ(site->towerElement, 2u);
    EXPECT_EQ(Level().resources, 0);
    EXPECT_EQ(Icons(), 0u);
    // Building clears the icon's flag, not the site's.
    EXPECT_EQ(site->menuOpen, 1);
}
}  // namespace
