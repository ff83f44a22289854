#pragma once
// The four tower sites along the bottom of the play screen, the three selection icons a site's
// menu shows, and the common base of the built towers. A site publishes the element of its tower
// every frame for the cannon's draw; an icon builds its tower for 20 crystals.
#include "core/Core_Types.h"
#include "framework/drawables/Vellumar_Sprite.h"

class TowerClass : public Vellumar::Sprite
{
    CORE_CLASS(TowerClass)

public:
    static constexpr u32 TowerPrice = 20;

    TowerClass() = default;
    explicit TowerClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations) : Vellumar::Sprite(animations) {}
    TowerClass(const TowerClass& source) : Vellumar::Sprite(source) {}

    TowerClass* Clone() const override;
    void OnStart() override;
    void OnEnd() override {}
    void ScriptUpdate(f32) override {}

    // Opens the menu above the site of that id when this object's menu flag is set, else closes
    // the menus of every site.
    void ToggleTowerSelection(u32 slotId);
    // Builds the tower this icon names on the site of that id, for the tower's price.
    void BuildTower(u32 slotId);

    u8 menuOpen = 0;

protected:
    // Touched by the game cursor in this frame's collision results.
    bool IsUnderCursor();
};

// The game cursor touches the object and the left button went down in this frame (two frames
// later when the press came with the pointer's move, once the touch is that of where it went down).
bool IsClicked(Vellumar::GameObject& object);

class SlotClass : public TowerClass
{
    CORE_CLASS(SlotClass)

public:
    SlotClass() = default;
    explicit SlotClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations) : TowerClass(animations) {}
    SlotClass(const SlotClass& source) : TowerClass(source) {}

    SlotClass* Clone() const override;
    void OnStart() override;
    // The empty site's hover and click.
    void ScriptUpdate(f32 dt) override;

    u32 towerElement = 0;

protected:
    // The icons stand so close above their site that the cursor on an icon can reach into the
    // site's rectangle as well: a click there is the icon's alone.
    bool IsIconUnderCursor();
    void StartNumbered(u32& cannonElement);
    void UpdateNumbered(u32& cannonElement, f32 dt);
};

// The four numbered sites differ only in their names and share one start and one update: the
// element the cannon reads is the tower element taken at the start of each update.
#define MYGAME_SLOT_CLASS(Type)                                                                                    \
    class Type : public SlotClass                                                                                  \
    {                                                                                                              \
        CORE_CLASS(Type)                                                                                           \
                                                                                                                   \
    public:                                                                                                        \
        using SlotClass::SlotClass;                                                                                \
        Type() = default;                                                                                          \
        Type(const Type& source) : SlotClass(source) {}                                                            \
        Type* Clone() const override;                                                                              \
        void OnStart() override { StartNumbered(cannonElement); }                                                  \
        void ScriptUpdate(f32 dt) override { UpdateNumbered(cannonElement, dt); }                                  \
                                                                                                                   \
        u32 cannonElement = 0;                                                                                     \
    };

MYGAME_SLOT_CLASS(Slot1Class)
MYGAME_SLOT_CLASS(Slot2Class)
MYGAME_SLOT_CLASS(Slot3Class)
MYGAME_SLOT_CLASS(Slot4Class)

class SelectClass : public TowerClass
{
    CORE_CLASS(SelectClass)

public:
    SelectClass() = default;
    explicit SelectClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations) : TowerClass(animations) {}
    SelectClass(const SelectClass& source) : TowerClass(source) {}

    SelectClass* Clone() const override;
    void OnStart() override {}
    // The icon's hover and click; archetypes run it too, off screen.
    void ScriptUpdate(f32 dt) override;

    u32 slotId = 0;
};

#define MYGAME_SELECT_CLASS(Type)                                                                                  \
    class Type : public SelectClass                                                                                \
    {                                                                                                              \
        CORE_CLASS(Type)                                                                                           \
                                                                                                                   \
    public:                                                                                                        \
        using SelectClass::SelectClass;                                                                            \
        Type() = default;                                                                                          \
        Type(const Type& source) : SelectClass(source) {}                                                          \
        Type* Clone() const override;                                                                              \
    };

MYGAME_SELECT_CLASS(FireSelectClass)
MYGAME_SELECT_CLASS(IceSelectClass)
MYGAME_SELECT_CLASS(LightningSelectClass)

// The common base of the three towers; each tower overrides the hooks.
class EffectClass : public TowerClass
{
    CORE_CLASS(EffectClass)

public:
    EffectClass() = default;
    explicit EffectClass(const Core::Vector<Vellumar::SpriteAnimation*>& animations) : TowerClass(animations) {}
    EffectClass(const EffectClass& source) : TowerClass(source) {}

    EffectClass* Clone() const override;
    // The towers replace both; a plain tower base starts as the sites' base does and does nothing
    // per frame.
    void OnStart() override { TowerClass::OnStart(); }
    void ScriptUpdate(f32) override {}

    u32 slotId = 0;

protected:
    // The tower's end: its site is empty again, when the site still exists.
    void FreeSite();
};
