#pragma once
// An automatic player of the whole game for headless runs: before each frame it looks at what the
// game shows and answers only as a person would, through the injected mouse and keyboard. It
// clicks through the intro and the menus into the chosen act, leads the nearest enemy with the
// cannon, builds towers on free sites once it holds their price and sacrifices them when the city
// is pressed. It never calls the game to act.
#include "collision/Collision_DynamicObject.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "framework/drawables/Vellumar_Sprite.h"
#include "game/MyGame_BaseCityClass.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_CannonClass.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MainEnemyClass.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_ShieldClass.h"
#include "game/MyGame_TowerClass.h"
#include "game/MyGame_TowerClasses.h"
#include "tests/support/Input_FakeSource.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace GameTest
{
class AutoPlayer
{
public:
    // The level-selection button that leads into the act to play: "demoB", "level1B" .. "level3B".
    AutoPlayer(MyGame& game, FakeSource& input, const char* actButton, i32 width = 1024, i32 height = 768)
        : game(game), input(input), width(width), height(height)
    {
        route[MainMenu] = "startbutton";
        route[LevelSelection] = actButton;
    }

    // Sets the mouse and the buttons for the next frame.
    void Act()
    {
        ++frame;
        Vellumar::Level* level = game.GetCurrentLevel();
        if (level != seenLevel)
        {
            seenLevel = level;
            tracks.clear();
            pending.clear();
            sacrificed.clear();
            task = {};
            hover = 0;
        }
        if (level && game.GetCurrentLevelIndex() == PlayLevel)
            ObserveEnemies();
        // A click is one frame down, then up again.
        if (input.buttons)
        {
            input.buttons = 0;
            return;
        }
        const u32 index = game.GetCurrentLevelIndex();
        if (index < route.size() && route[index])
            ClickOn(route[index]);
        else if (index == PlayLevel)
            Play();
    }

    static constexpr u32 PlayLevel = 0;
    static constexpr u32 MainMenu = 1;
    static constexpr u32 LevelSelection = 2;

    // The button the player clicks on each screen, by level index; on the play level, instead of
    // playing. A screen without one is left alone.
    std::array<const char*, 7> route{};

    bool shoot = true;
    bool useTowers = true;
    u32 shots = 0;
    u32 towersBuilt = 0;
    u32 towersSacrificed = 0;

private:
    static constexpr f32 ShotSpeed = 16.0f;
    static constexpr f32 SideLimit = 480.0f;
    static constexpr u8 TowerPrice = 20;
    static constexpr int HoverFrames = 3;
    static constexpr int TaskTimeout = 90;

    struct Track
    {
        Math::Vector2D position;
        Math::Vector2D velocity;
        u32 seenAt = 0;
        bool moving = false;
    };

    struct Shot
    {
        u32 target;
        u32 hitsBy;
    };

    // A tower to build or to sacrifice: the site, the element, and how far the clicks have come.
    struct Task
    {
        enum Kind : u8
        {
            None,
            Build,
            Sacrifice,
        } kind = None;
        u32 site = 0;
        u32 element = 0;
        int step = 0;
        int frames = 0;
    };

    // The mouse on a point of the screen, y up, about its centre.
    void PointAt(f32 x, f32 y)
    {
        input.cursorX = std::clamp(static_cast<i32>(std::lround(x)) + width / 2, 0, width - 1);
        input.cursorY = std::clamp(height / 2 - 1 - static_cast<i32>(std::lround(y)), 0, height - 1);
    }

    // The mouse on the middle of what the object shows: its collision rectangle where it has one.
    void PointAt(const Vellumar::Sprite& sprite)
    {
        if (const Collision2D::DynamicObject* body = sprite.GetRegisteredObject())
        {
            const Collision2D::VelRect& box = body->GetCurrentWorldRectangle();
            PointAt(0.5f * (box.left + box.right), 0.5f * (box.top + box.bottom));
        }
        else
            PointAt(sprite.GetPositionX(), sprite.GetPositionY());
    }

    // The mouse rests on the object a few frames before it clicks, so that the click lands on it
    // and not where the mouse came from; the intro gives way to the first click wherever it falls.
    void ClickOn(const char* name)
    {
        if (auto* sprite = FindObjectByName<Vellumar::Sprite>(name))
            PointAt(*sprite);
        // Nobody clicks on a menu still fading in from black; the play level's pause menu shows
        // over the same cover, dimmed.
        auto* cover = FindObjectByName<Vellumar::Sprite>("transit_black");
        if (game.GetCurrentLevelIndex() != PlayLevel && cover && cover->GetVisible() && cover->GetOpacity() > 0.0f)
            return;
        if (++hover >= HoverFrames)
        {
            input.buttons = 1;
            hover = 0;
        }
    }

    void Play()
    {
        if (!game.running)
            return;
        if (useTowers && Towers())
            return;
        if (shoot)
            Shoot();
    }

    // The enemies' places and their motion since the frame before.
    void ObserveEnemies()
    {
        Core::Vector<Vellumar::GameObject*> objects;
        seenLevel->GetLayer(1)->GetGameObjects(objects);
        enemies.clear();
        for (Vellumar::GameObject* object : objects)
        {
            auto* enemy = dynamic_cast<MainEnemyClass*>(object);
            if (!enemy || !enemy->GetVisible() || enemy->IsDestroyed())
                continue;
            enemies.push_back(enemy);
            Track& track = tracks[enemy->GetID()];
            const Math::Vector2D now = enemy->GetPosition();
            track.moving = track.seenAt + 1 == frame;
            track.velocity = track.moving ? now - track.position : Math::Vector2D(0.0f, 0.0f);
            track.position = now;
            track.seenAt = frame;
        }
        std::erase_if(pending, [&](const Shot& shot) { return shot.hitsBy < frame; });
    }

    // Where the enemy stands after that many frames at its present pace, turning at the sides as
    // the enemies do.
    static Math::Vector2D Predict(const Track& track, f32 frames)
    {
        f32 x = track.position.x + track.velocity.x * frames;
        const f32 y = track.position.y + track.velocity.y * frames;
        for (int turn = 0; turn < 4 && (x > SideLimit || x < -SideLimit); ++turn)
            x = x > SideLimit ? 2.0f * SideLimit - x : -2.0f * SideLimit - x;
        return Math::Vector2D(x, y);
    }

    // The frames a shot fired now needs to meet the enemy: it leaves with the next frame at 16
    // units a frame while the enemy keeps walking; its hit counts a frame later.
    static f32 MeetingTime(const Track& track, const Math::Vector2D& cannon)
    {
        f32 t = (track.position - cannon).Length() / ShotSpeed;
        for (int i = 0; i < 8; ++i)
            t = (Predict(track, t + 1.0f) - cannon).Length() / ShotSpeed;
        return t;
    }

    // Parts that a plain shot cannot bring down, or whose death does not help.
    static bool IsWorthAShot(const MainEnemyClass& enemy, u8 nextElement)
    {
        const Core::String& name = enemy.GetName();
        if (name == "bb_body_clone" || name == "bb_bottom_clone" || name == "bb_left_clone" || name == "bb_right_clone")
            return false;
        static const char* const ElementalEggs[] = {"bb_fire_egg_clone", "bb_ice_egg_clone", "bb_lightning_egg_clone"};
        for (u8 element = 1; element <= 3; ++element)
            if (name == ElementalEggs[element - 1])
                return nextElement == element;
        // The semi-boss's body holds at two hit points while an arm lives.
        if (name == "semiboss_body_clone")
            return !FindObjectByName<MainEnemyClass>("semiboss_leftarm_clone") &&
                   !FindObjectByName<MainEnemyClass>("semiboss_rightarm_clone");
        return true;
    }

    u32 ShotsOnTheWay(u32 id) const
    {
        return static_cast<u32>(std::count_if(pending.begin(), pending.end(), [&](const Shot& shot) { return shot.target == id; }));
    }

    void Shoot()
    {
        auto* cannon = FindObjectByName<CannonClass>("cannon");
        if (!cannon)
            return;
        const Math::Vector2D from = cannon->restPosition;
        const u8 nextElement = cannon->ammoQueue[2];
        MainEnemyClass* target = nullptr;
        Math::Vector2D aim;
        f32 nearest = 0.0f;
        f32 meeting = 0.0f;
        for (MainEnemyClass* enemy : enemies)
        {
            const Track& track = tracks[enemy->GetID()];
            if (!track.moving || !IsWorthAShot(*enemy, nextElement) ||
                ShotsOnTheWay(enemy->GetID()) >= static_cast<u32>(std::max(enemy->hitPoints, 1)))
                continue;
            const f32 t = MeetingTime(track, from);
            const Math::Vector2D point = Predict(track, t + 1.0f);
            const f32 distance = (track.position - from).Length();
            // A shot only leaves the cannon upwards.
            if (point.y < from.y + 8.0f || (target && distance >= nearest))
                continue;
            target = enemy;
            aim = point;
            nearest = distance;
            meeting = t;
        }
        if (!target)
        {
            // Nothing to shoot at: the mouse sweeps the sky, as a waiting player's does.
            PointAt(300.0f * std::sin(static_cast<f32>(frame) * 0.02f), 100.0f);
            return;
        }
        PointAlong(from, aim);
        if (cannon->coolingDown)
            return;
        input.buttons = 1;
        ++shots;
        pending.push_back({target->GetID(), frame + static_cast<u32>(meeting) + 4});
    }

    // The mouse as far along the line from the cannon through the point as the window allows, so
    // that the pixel grid bends the aim the least.
    void PointAlong(const Math::Vector2D& from, const Math::Vector2D& point)
    {
        const Math::Vector2D d = point - from;
        const f32 top = static_cast<f32>(height / 2 - 2);
        const f32 side = static_cast<f32>(width / 2 - 2);
        f32 reach = (top - from.y) / d.y;
        if (d.x != 0.0f)
            reach = std::min(reach, (d.x > 0.0f ? side - from.x : -side - from.x) / d.x);
        const Math::Vector2D mouse = from + d * reach;
        PointAt(mouse.x, mouse.y);
    }

    // The tower work of this frame: true while it holds the mouse.
    bool Towers()
    {
        if (!FindObjectByName<Vellumar::Sprite>("cursor"))
            return false;
        if (task.kind == Task::None)
            PlanTowerTask();
        if (task.kind == Task::None)
            return false;
        if (++task.frames > TaskTimeout)
        {
            task = {};
            return false;
        }
        return task.kind == Task::Build ? StepBuild() : StepSacrifice();
    }

    static const char* SiteName(u32 site)
    {
        static const char* const Names[] = {"towerslot1", "towerslot2", "towerslot3", "towerslot4"};
        return Names[site];
    }

    static SlotClass* Site(u32 site)
    {
        switch (site)
        {
        case 0:
            return FindObjectByName<Slot1Class>(SiteName(site));
        case 1:
            return FindObjectByName<Slot2Class>(SiteName(site));
        case 2:
            return FindObjectByName<Slot3Class>(SiteName(site));
        default:
            return FindObjectByName<Slot4Class>(SiteName(site));
        }
    }

    // The tower standing on a site, found among the clones of its element.
    static Vellumar::Sprite* TowerOn(u32 site, u32 element)
    {
        static const char* const Names[] = {"tower_fire_clone", "tower_ice_clone", "tower_lightning_clone"};
        Core::Vector<Vellumar::GameObject*> named;
        Vellumar::FindGameObjectsByName(Names[element - 1], named);
        SlotClass* slot = Site(site);
        for (Vellumar::GameObject* object : named)
        {
            auto* tower = dynamic_cast<EffectClass*>(object);
            if (tower && slot && tower->slotId == slot->GetID() && !tower->IsDestroyed())
                return tower;
        }
        return nullptr;
    }

    // Enemies nearer the city than that height.
    u32 EnemiesBelow(f32 y) const
    {
        return static_cast<u32>(std::count_if(enemies.begin(), enemies.end(), [&](MainEnemyClass* e) { return e->GetPositionY() < y; }));
    }

    void PlanTowerTask()
    {
        BaseLevelClass* level = GetPlayLevel();
        if (!level)
            return;
        // The sites the cannon draws from most often first; fire, lightning and ice all stand, so
        // that every element comes round.
        static constexpr u32 Order[] = {1, 2, 0, 3};
        static constexpr u32 Elements[] = {1, 3, 2, 1};
        for (u32 i = 0; i < 4; ++i)
        {
            SlotClass* site = Site(Order[i]);
            Vellumar::Sprite* tower = site && site->towerElement != 0 ? TowerOn(Order[i], site->towerElement) : nullptr;
            if (tower && !sacrificed.contains(tower->GetID()) && WantsSacrifice(site->towerElement))
            {
                task = {Task::Sacrifice, Order[i], site->towerElement, 0, 0};
                return;
            }
        }
        if (level->resources < TowerPrice)
            return;
        for (u32 i = 0; i < 4; ++i)
        {
            SlotClass* site = Site(Order[i]);
            if (site && site->towerElement == 0)
            {
                task = {Task::Build, Order[i], Elements[i], 0, 0};
                return;
            }
        }
    }

    // A tower is given up when the city is pressed: the ice halts every enemy, the lightning
    // strikes the lower field, the fire missile burns the whole field. With every site built and
    // crystals to spare for a new tower, a crowded field is worth a fire missile too.
    bool WantsSacrifice(u32 element) const
    {
        auto* city = FindObjectByName<BaseCityClass>("city");
        const bool cityLow = (city && city->hitPoints <= 8) || ShieldNear();
        const u32 near = EnemiesBelow(-120.0f);
        switch (element)
        {
        case 2:
            return near >= 4 || (cityLow && near >= 2);
        case 3:
            return EnemiesBelow(60.0f) >= 8 || (cityLow && near >= 2);
        default:
            return enemies.size() >= 18 || (cityLow && near >= 3) || (SparesCrystals() && enemies.size() >= 8);
        }
    }

    // A shield whose bits still stand takes three hit points from the city when it arrives, and
    // plain shots do not stop it.
    bool ShieldNear() const
    {
        return std::any_of(enemies.begin(), enemies.end(), [](MainEnemyClass* e) {
            auto* shield = dynamic_cast<ShieldClass*>(e);
            return shield && !dynamic_cast<ShieldBitClass*>(e) && shield->IsShielded() && e->GetPositionY() < -100.0f;
        });
    }

    bool SparesCrystals() const
    {
        BaseLevelClass* level = GetPlayLevel();
        if (!level || level->resources < 2 * TowerPrice)
            return false;
        for (u32 site = 0; site < 4; ++site)
            if (SlotClass* slot = Site(site); !slot || slot->towerElement == 0)
                return false;
        return true;
    }

    bool StepBuild()
    {
        SlotClass* site = Site(task.site);
        if (!site || site->towerElement != 0)
        {
            towersBuilt += site ? 1 : 0;
            task = {};
            return false;
        }
        static const char* const Icons[] = {"select_fire_clone", "select_ice_clone", "select_lightning_clone"};
        auto* icon = FindObjectByName<Vellumar::Sprite>(Icons[task.element - 1]);
        if (!icon)
        {
            // The site's menu opens with a click on the site.
            PointAt(*site);
            if (task.step == 0 && ++hover >= HoverFrames)
            {
                input.buttons = 1;
                hover = 0;
                task.step = 1;
            }
            return true;
        }
        PointAt(*icon);
        if (++hover >= HoverFrames)
        {
            input.buttons = 1;
            hover = 0;
        }
        return true;
    }

    bool StepSacrifice()
    {
        Vellumar::Sprite* tower = TowerOn(task.site, task.element);
        if (!tower)
        {
            task = {};
            return false;
        }
        PointAt(*tower);
        if (++hover >= HoverFrames)
        {
            // Clicked: the tower plays its attack and frees its site by itself.
            input.buttons = 1;
            hover = 0;
            sacrificed.insert(tower->GetID());
            ++towersSacrificed;
            task = {};
        }
        return true;
    }

    MyGame& game;
    FakeSource& input;
    i32 width;
    i32 height;
    Vellumar::Level* seenLevel = nullptr;
    u32 frame = 0;
    int hover = 0;
    Task task;
    std::vector<MainEnemyClass*> enemies;
    std::map<u32, Track> tracks;
    std::vector<Shot> pending;
    std::set<u32> sacrificed;
};
}  // namespace GameTest
