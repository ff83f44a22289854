// The whole game from the intro, driven only through the injected mouse and keyboard: the menus
// lead into act 1, Escape pauses it, an act in which nobody fires is lost, and an automatic player
// that shoots at the lowest enemy wins it.
#include "framework/Vellumar_Sprite.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "tests/game/Game_Fixture.h"

#include <functional>

namespace
{
class EndToEndTest : public GameTest::MyGameTest
{
protected:
    // The mouse on a point of the screen, y up, about its centre.
    void PointAt(f32 x, f32 y)
    {
        input.cursorX = 512 + static_cast<i32>(x);
        input.cursorY = 767 - (384 + static_cast<i32>(y));
        RunFrames(3);
    }

    void Click()
    {
        input.buttons = 1;
        RunFrame();
        input.buttons = 0;
        RunFrame();
    }

    // Frames until the condition holds; the frames it took, or budget + 1 when it never did.
    int RunUntil(const std::function<bool()>& done, int budget)
    {
        for (int frame = 0; frame <= budget; ++frame)
        {
            if (done())
                return frame;
            RunFrame();
        }
        return budget + 1;
    }

    // The automatic player's move: the mouse over the lowest enemy, a little ahead of its walk,
    // then a click, which fires once the cannon has cooled down.
    void PlayOneShot()
    {
        Core::Vector<Vellumar::GameObject*> objects;
        game->GetCurrentLevel()->GetLayer(1)->GetGameObjects(objects);
        MainEnemyClass* target = nullptr;
        for (Vellumar::GameObject* object : objects)
        {
            auto* enemy = dynamic_cast<MainEnemyClass*>(object);
            if (enemy && enemy->GetVisible() && enemy->GetPosition().y > -280.0f &&
                (!target || enemy->GetPosition().y < target->GetPosition().y))
                target = enemy;
        }
        if (target)
        {
            input.cursorX = 512 + static_cast<i32>(target->GetPosition().x);
            input.cursorY = 384 - static_cast<i32>(target->GetPosition().y - 20.0f);
        }
        Click();
    }

    bool On(u32 level) const { return game->GetCurrentLevelIndex() == level; }

    // From the intro into the act of the level selection's button at (x, y).
    void EnterAct(f32 x, f32 y)
    {
        RunFrames(3);
        // A click skips the intro; the start button then leads to the level selection.
        PointAt(-2.0f, 70.0f);
        ASSERT_LE(RunUntil([&] { Click(); return On(2); }, 600), 600);
        PointAt(x, y);
        Click();
        ASSERT_LE(RunUntil([&] { return On(0); }, 600), 600);
    }
};

TEST_F(EndToEndTest, TheMenusLeadIntoAct1AndAnActWithoutShotsIsLost)
{
    EnterAct(-237.0f, 52.0f);
    EXPECT_EQ(game->waveFileName, "act1.txt");
    EXPECT_NE(FindObjectByName<CannonClass>("cannon"), nullptr);
    EXPECT_NE(FindObjectByName<BaseCityClass>("city"), nullptr);
    PointAt(0.0f, 300.0f);
    // The act's enemies need about 9,400 frames to bring the city down.
    constexpr int Budget = 12000;
    const int frames = RunUntil([&] { return On(5); }, Budget);
    EXPECT_LE(frames, Budget) << "the city falls to the unopposed enemies";
}

TEST_F(EndToEndTest, EscapeShowsAndHidesThePauseMenu)
{
    EnterAct(-237.0f, 52.0f);
    RunFrames(120);
    auto escape = [&] {
        input.Press(Input::VirtualKeyOf(Input::EngineKey::Escape));
        RunFrame();
        input.ReleaseAll();
        RunFrames(2);
    };
    escape();
    EXPECT_EQ(game->running, 0);
    for (const char* name : {"pause_resume", "pause_restart", "pause_exit"})
        EXPECT_TRUE(FindObjectByName<Vellumar::Sprite>(name)->GetVisible()) << name;
    escape();
    EXPECT_EQ(game->running, 1);
    EXPECT_FALSE(FindObjectByName<Vellumar::Sprite>("pause_resume")->GetVisible());
}

TEST_F(EndToEndTest, TheAutomaticPlayerWinsAct1)
{
    EnterAct(-237.0f, 52.0f);
    // The player takes about 11,600 frames.
    constexpr int Budget = 15000;
    int frames = 0;
    while (!On(4) && !On(5) && frames < Budget)
    {
        PlayOneShot();
        frames += 2;
    }
    EXPECT_TRUE(On(4)) << "victory within " << Budget << " frames, after " << frames;
}
}  // namespace
