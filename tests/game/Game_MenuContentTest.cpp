// The menu levels hold the content tables' objects, each set up as its row says, and the menu
// cursor follows the mouse.
#include "collision/Collision_DynamicObject.h"
#include "core/Core_Object.h"
#include "core/Core_Random.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "framework/drawables/Vellumar_SpriteAnimation.h"
#include "framework/drawables/Vellumar_Text.h"
#include "game/MyGame_AimClasses.h"
#include "game/MyGame_BaseAmmoClass.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_BigBossClasses.h"
#include "game/MyGame_ButtonClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_CrystalClass.h"
#include "game/MyGame_CursorClass.h"
#include "game/MyGame_CursorClass0.h"
#include "game/MyGame_EffectSystems.h"
#include "game/MyGame_ElementalAmmo.h"
#include "game/MyGame_LoadingTipsTextClass.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MainMenuClass.h"
#include "game/MyGame_OptionsMenuClass.h"
#include "game/MyGame_SemiBossClass.h"
#include "game/MyGame_ShieldClass.h"
#include "game/MyGame_TowerClass.h"
#include "game/MyGame_TowerClasses.h"
#include "game/MyGame_WaveClearClass.h"
#include "game/MyGame_Lookup.h"
#include "tests/game/Game_Fixture.h"

#include <map>
#include <string>
#include <type_traits>

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

// Whether Class itself defines the hook (with a body of its own or an empty one) rather than
// inheriting its base's: a pointer to an inherited member names the class that declares it.
template <class Class, class Declaring, class... Arguments>
constexpr bool Defines(void (Declaring::*)(Arguments...))
{
    return std::is_same_v<Class, Declaring>;
}

struct HookRow
{
    const char* name;
    bool start, end, frame;
    bool expectedStart, expectedEnd, expectedFrame;
};

// The start, end and per-frame hooks: true where the class has its own or an empty one, false
// where its direct base's runs.
#define OBJECT_HOOKS(Type, start, end, frame)                                                                       \
    HookRow{#Type, Defines<Type>(&Type::OnStart), Defines<Type>(&Type::OnEnd), Defines<Type>(&Type::ScriptUpdate), \
            start, end, frame}
#define LEVEL_HOOKS(Type)                                                                                            \
    HookRow{#Type, Defines<Type>(&Type::OnStart), Defines<Type>(&Type::OnEnd), Defines<Type>(&Type::Update),       \
            true, true, true}

TEST(GameClassShapeTest, EveryGameClassDefinesOrInheritsItsHooksAsItsRowSays)
{
    constexpr bool Own = true;
    constexpr bool Base = false;
    const HookRow rows[] = {
        OBJECT_HOOKS(AimSystemClass, Own, Own, Own),
        OBJECT_HOOKS(BaseAmmoClass, Own, Own, Own),
        OBJECT_HOOKS(BaseCityClass, Own, Own, Own),
        LEVEL_HOOKS(BaseLevelClass),
        OBJECT_HOOKS(BasicClass, Own, Own, Base),
        OBJECT_HOOKS(BigBossArmsClass, Own, Base, Own),
        OBJECT_HOOKS(BigBossBodyClass, Own, Own, Own),
        OBJECT_HOOKS(BigBossBottomClass, Own, Base, Own),
        OBJECT_HOOKS(BigBossEggsClass, Own, Own, Own),
        OBJECT_HOOKS(BigBossHeadClass, Own, Own, Own),
        OBJECT_HOOKS(BloodSystemClass, Own, Own, Own),
        OBJECT_HOOKS(BounceAimClass, Own, Own, Own),
        OBJECT_HOOKS(BounceSystemClass, Own, Own, Own),
        OBJECT_HOOKS(ButtonClass, Own, Own, Own),
        OBJECT_HOOKS(CannonClass, Own, Own, Own),
        OBJECT_HOOKS(CrystalClass, Own, Own, Own),
        OBJECT_HOOKS(CursorClass, Own, Own, Own),
        OBJECT_HOOKS(CursorClass0, Own, Own, Own),
        OBJECT_HOOKS(EffectClass, Own, Base, Own),
        OBJECT_HOOKS(FireAmmoClass, Own, Own, Own),
        OBJECT_HOOKS(FireSelectClass, Base, Base, Base),
        OBJECT_HOOKS(FireSystemClass, Own, Own, Own),
        OBJECT_HOOKS(FireTowerClass, Own, Own, Own),
        OBJECT_HOOKS(HealerClass, Own, Own, Own),
        OBJECT_HOOKS(HeavyClass, Own, Base, Base),
        OBJECT_HOOKS(IceAmmoClass, Own, Own, Own),
        OBJECT_HOOKS(IceSelectClass, Base, Base, Base),
        OBJECT_HOOKS(IceSystemClass, Own, Own, Own),
        OBJECT_HOOKS(IceTowerClass, Own, Own, Own),
        OBJECT_HOOKS(IceTowerEffectSystemClass, Own, Own, Own),
        OBJECT_HOOKS(LightClass, Own, Base, Base),
        OBJECT_HOOKS(LightningAmmoClass, Own, Own, Own),
        OBJECT_HOOKS(LightningSelectClass, Base, Base, Base),
        OBJECT_HOOKS(LightningTowerClass, Own, Own, Own),
        OBJECT_HOOKS(LoadingTipsTextClass, Own, Own, Own),
        OBJECT_HOOKS(MainEnemyClass, Own, Own, Own),
        LEVEL_HOOKS(MainMenuClass),
        LEVEL_HOOKS(OptionsMenuClass),
        OBJECT_HOOKS(SelectClass, Own, Base, Own),
        OBJECT_HOOKS(SemiBossArmClass, Own, Own, Own),
        OBJECT_HOOKS(SemiBossClass, Own, Own, Own),
        OBJECT_HOOKS(ShieldBitClass, Own, Base, Own),
        OBJECT_HOOKS(ShieldClass, Own, Base, Own),
        OBJECT_HOOKS(Slot1Class, Own, Base, Own),
        OBJECT_HOOKS(Slot2Class, Own, Base, Own),
        OBJECT_HOOKS(Slot3Class, Own, Base, Own),
        OBJECT_HOOKS(Slot4Class, Own, Base, Own),
        OBJECT_HOOKS(SlotClass, Own, Base, Own),
        OBJECT_HOOKS(SmokeSystemClass, Own, Own, Own),
        OBJECT_HOOKS(TowerClass, Own, Own, Own),
        OBJECT_HOOKS(WaveClearClass, Own, Own, Own),
    };
    // The two emitter classes have none of the three hooks.
    ASSERT_EQ(std::size(rows), 51u);
    for (const HookRow& row : rows)
    {
        EXPECT_EQ(row.start, row.expectedStart) << row.name << " start";
        EXPECT_EQ(row.end, row.expectedEnd) << row.name << " end";
        EXPECT_EQ(row.frame, row.expectedFrame) << row.name << " per frame";
    }
}

TEST(GameClassShapeTest, AnAimEmittersCopyStartsWithItsOwnPointAtTheOrigin)
{
    const Core::RefPtr<AimEmitterClass> aim(new AimEmitterClass(3.0f, 4.0f));
    const Core::RefPtr<BounceEmitterClass> bounce(new BounceEmitterClass(5.0f, 6.0f));
    const Core::RefPtr<AimEmitterClass> aimCopy(aim->Clone());
    const Core::RefPtr<BounceEmitterClass> bounceCopy(bounce->Clone());
    EXPECT_EQ(aim->emitPoint, Math::Vector2D(3.0f, 4.0f));
    EXPECT_EQ(aimCopy->emitPoint, Math::Vector2D(0.0f, 0.0f));
    EXPECT_EQ(bounceCopy->emitPoint, Math::Vector2D(0.0f, 0.0f));
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
    ASSERT_EQ(std::size(LoadingTips), 7u);
    EXPECT_STREQ(LoadingTips[6], "") << "the table's seventh entry is empty and never chosen";
    for (u32 i = 0; i < 6; ++i)
        EXPECT_EQ(counts.count(LoadingTips[i]), 1u) << i;
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
