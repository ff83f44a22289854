// The menu levels hold the content tables' objects, each set up as its row says, and the menu
// cursor follows the mouse.
#include "collision/Collision_DynamicObject.h"
#include "core/Core_Object.h"
#include "core/Core_Random.h"
#include "framework/Vellumar_Sprite.h"
#include "framework/Vellumar_SpriteAnimation.h"
#include "framework/Vellumar_Text.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CursorClass0.h"
#include "game/MyGame_LoadingTipsTextClass.h"
#include "game/MyGame_Lookup.h"
#include "tests/game/Game_Fixture.h"

#include <map>
#include <string>

namespace
{
using GameTest::MyGameTest;

// Objects of a level's layers by name, cameras left out.
std::map<std::string, Vellumar::GameObject*> PlacedObjects(Vellumar::Level& level, u32 layerIndex)
{
    Core::Vector<Vellumar::GameObject*> objects;
    level.GetLayer(layerIndex)->GetGameObjects(objects);
    std::map<std::string, Vellumar::GameObject*> named;
    for (Vellumar::GameObject* object : objects)
    {
        if (object->GetName() != "camera0")
            named[object->GetName().c_str()] = object;
    }
    return named;
}

TEST_F(MyGameTest, EveryMenuLevelIsBuiltFromItsRowsInTheirOrder)
{
    for (u32 level = 1; level < MyLevelFactory::LevelCount; ++level)
    {
        SCOPED_TRACE(level);
        // Built before the game's first frame, so that no level logic touches the objects.
        Core::RefPtr<Vellumar::Level> built = factory->CreateLevel(level);
        ASSERT_NE(built, nullptr);
        size_t index = 0;
        for (const ContentObject& row : MenuContent())
        {
            if (row.level != level)
                continue;
            SCOPED_TRACE(row.name);
            ASSERT_LT(index, factory->contentObjects.size());
            Vellumar::GameObject* object = factory->contentObjects[index++];
            EXPECT_EQ(object->GetName(), row.name);
            EXPECT_EQ(object->GetPosition(), Math::Vector2D(row.x, row.y));
            EXPECT_EQ(object->GetZOrder(), row.z);
            EXPECT_EQ(object->GetOpacity(), row.opacity);
            EXPECT_TRUE(object->GetVisible());
            if (row.kind == ContentClass::LoadingTips)
            {
                auto* text = dynamic_cast<Vellumar::Text*>(object);
                ASSERT_NE(text, nullptr);
                EXPECT_EQ(text->GetText(), "LOADING TIPS");
                EXPECT_TRUE(text->GetEngineText()->IsOverlay());
                EXPECT_EQ(object->GetRegisteredObject(), nullptr);
                continue;
            }
            auto* sprite = dynamic_cast<Vellumar::Sprite*>(object);
            ASSERT_NE(sprite, nullptr);
            EXPECT_EQ(dynamic_cast<CursorClass0*>(sprite) != nullptr, row.kind == ContentClass::MenuCursor);
            EXPECT_EQ(dynamic_cast<ButtonClass*>(sprite) != nullptr, row.kind == ContentClass::Button);
            EXPECT_EQ(sprite->GetCollisionActorIndex(), row.actor);
            EXPECT_EQ(sprite->GetAnimationsCount(), 1u);
            EXPECT_EQ(sprite->GetCurrentFrameIndex(), row.startFrame);
            EXPECT_EQ(sprite->IsPlaying(), row.play);
            EXPECT_EQ(sprite->GetLoop(), row.loop);
            EXPECT_EQ(sprite->GetEngineSprite()->IsOverlay(), row.layer == 0);
            Collision2D::DynamicObject* body = sprite->GetRegisteredObject();
            if (row.collisionType == NoCollision)
            {
                EXPECT_EQ(body, nullptr);
                continue;
            }
            ASSERT_NE(body, nullptr);
            EXPECT_EQ(body->GetCollisionType(), row.collisionType);
            EXPECT_EQ(body->GetUpdateOnIdle(), row.updateOnIdle);
            EXPECT_EQ(body->GetCollisionThickness(), 4.0f);
            EXPECT_EQ(body->GetCollisionActor(), factory->collisionActors[static_cast<u32>(row.actor)]);
        }
        EXPECT_EQ(factory->contentObjects.size(), index);
        factory->ResetObjectPointers();
        built = nullptr;
    }
}

TEST_F(MyGameTest, TheMenuLevelsHoldTheirCountsAndStartingLooks)
{
    const size_t expected[] = {1, 17, 10, 4, 3, 3, 11};
    size_t perLevel[MyLevelFactory::LevelCount] = {};
    for (const ContentObject& row : MenuContent())
        ++perLevel[row.level];
    for (u32 level = 0; level < MyLevelFactory::LevelCount; ++level)
        EXPECT_EQ(perLevel[level], expected[level]) << "level " << level;

    RunFrames(3);
    // The main menu's black overlay and logos start transparent, the white overlay opaque.
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("transit_black")->GetOpacity(), 0.0f);
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("logo")->GetOpacity(), 0.0f);
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("transit_white")->GetOpacity(), 1.0f);
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("logo")->GetRegisteredObject(), nullptr);
    EXPECT_EQ(FindObjectByName<Vellumar::Sprite>("logo")->GetCollisionActorIndex(), 85);

    // The options' full-screen switch starts on the second of its four frames.
    SwitchTo(6);
    auto* fullScreen = FindObjectByName<Vellumar::Sprite>("fullscreenBtn");
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->GetCurrentFrameIndex(), 1);

    // The defeat screen lives in layer 1, drawn through the camera.
    SwitchTo(5);
    EXPECT_EQ(PlacedObjects(*game->GetCurrentLevel(), 0).size(), 0u);
    EXPECT_EQ(PlacedObjects(*game->GetCurrentLevel(), 1).size(), 3u);
}

TEST_F(MyGameTest, AMenuLevelBuiltTwiceMakesNewObjects)
{
    RunFrames(3);
    Vellumar::Sprite* first = FindObjectByName<Vellumar::Sprite>("startbutton");
    const u32 firstId = first->GetID();
    SwitchTo(3);
    SwitchTo(1);
    Vellumar::Sprite* second = FindObjectByName<Vellumar::Sprite>("startbutton");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetID(), firstId) << "ids restart at every level switch";
    EXPECT_EQ(factory->levels[1], game->GetCurrentLevel());
    EXPECT_EQ(factory->levels[3], nullptr);
}

TEST_F(MyGameTest, TheMenuCursorFollowsTheMouseAboutTheViewportsCentre)
{
    RunFrames(3);
    auto* cursor = FindObjectByName<CursorClass0>("cursor0");
    ASSERT_NE(cursor, nullptr);
    input.cursorX = 512;
    input.cursorY = 383;
    RunFrames(2);
    EXPECT_EQ(cursor->GetPosition(), Math::Vector2D(0.0f, 0.0f));
    input.cursorX = 12;
    input.cursorY = 767;
    RunFrames(2);
    EXPECT_EQ(cursor->GetPosition(), Math::Vector2D(-500.0f, -384.0f));
}

TEST(GameClassShapeTest, EveryGameClassIsMadeByItsNameAndClonedAsItself)
{
    const char* const names[] = {
        "AimEmitterClass", "AimSystemClass", "BaseAmmoClass", "BaseCityClass", "BaseLevelClass", "BasicClass",
        "BigBossArmsClass", "BigBossBodyClass", "BigBossBottomClass", "BigBossEggsClass", "BigBossHeadClass",
        "BloodSystemClass", "BounceAimClass", "BounceEmitterClass", "BounceSystemClass", "ButtonClass", "CannonClass",
        "CrystalClass", "CursorClass", "CursorClass0", "EffectClass", "FireAmmoClass", "FireSelectClass",
        "FireSystemClass", "FireTowerClass", "HealerClass", "HeavyClass", "IceAmmoClass", "IceSelectClass",
        "IceSystemClass", "IceTowerClass", "IceTowerEffectSystemClass", "LightClass", "LightningAmmoClass",
        "LightningSelectClass", "LightningTowerClass", "LoadingTipsTextClass", "MainEnemyClass", "MainMenuClass",
        "OptionsMenuClass", "SelectClass", "SemiBossArmClass", "SemiBossClass", "ShieldBitClass", "ShieldClass",
        "Slot1Class", "Slot2Class", "Slot3Class", "Slot4Class", "SlotClass", "SmokeSystemClass", "TowerClass",
        "WaveClearClass"};
    ASSERT_EQ(std::size(names), 53u);
    for (const char* name : names)
    {
        Core::RefPtr<Core::Object> made = Core::CreateObjectByName(name);
        ASSERT_NE(made, nullptr) << name;
        EXPECT_STREQ(made->GetClassName(), name);
        Core::RefPtr<Core::Object> copy = made->Clone();
        ASSERT_NE(copy, nullptr) << name;
        EXPECT_NE(copy.Get(), made.Get());
        EXPECT_STREQ(copy->GetClassName(), name);
    }
    EXPECT_EQ(Core::CreateObjectByName("CursorClass0")->GetSize(), sizeof(CursorClass0));
}

TEST(LoadingTipsTest, TheTipIsChosenOnTheSeededGeneratorWithTheEdgesHalfAsOften)
{
    Core::SeedRandom(7);
    const Core::String first = ChooseLoadingTip();
    Core::SeedRandom(7);
    EXPECT_EQ(ChooseLoadingTip(), first);

    std::map<std::string, int> counts;
    for (int i = 0; i < 6000; ++i)
        ++counts[ChooseLoadingTip().c_str()];
    ASSERT_EQ(counts.size(), 6u);
    EXPECT_EQ(counts.count(""), 0u);
    const int edge = counts["DEAL DOUBLE DAMAGE BY HITTING ENEMIES WITH PROJECTILES OF MATCHING ELEMENTS."];
    const int middle = counts["EACH ELEMENTAL PROJECTILE HAS A SECONDARY EFFECT. USE THEM WISELY."];
    EXPECT_GT(edge, 400);
    EXPECT_LT(edge, 800);
    EXPECT_GT(middle, 1000);
}

TEST_F(MyGameTest, TheLoadingTipShowsATipOnceItStarts)
{
    Core::RefPtr<Core::Object> made = Core::CreateObjectByName("LoadingTipsTextClass");
    ASSERT_NE(dynamic_cast<LoadingTipsTextClass*>(made.Get()), nullptr);
    EXPECT_EQ(static_cast<LoadingTipsTextClass*>(made.Get())->GetText(), "");

    RunFrames(3);
    SwitchTo(2);
    auto* tip = FindObjectByName<LoadingTipsTextClass>("loadingtip");
    ASSERT_NE(tip, nullptr);
    EXPECT_NE(tip->GetText(), "LOADING TIPS");
    EXPECT_NE(tip->GetText(), "");
}
}  // namespace
