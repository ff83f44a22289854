#include "game/MyGame_TowerClass.h"

#include "framework/sound/Vellumar_Sound.h"
#include "framework/core/Vellumar_CollisionResults.h"
#include "framework/core/Vellumar_Layer.h"
#include "framework/core/Vellumar_Level.h"
#include "game/MyGame_Archetypes.h"
#include "game/MyGame_BaseLevelClass.h"
#include "game/MyGame_ClassShape.h"
#include "game/MyGame_Lookup.h"
#include "game/MyGame_MyGame.h"
#include "game/MyGame_Sounds.h"
#include "game/MyGame_TowerClasses.h"

GAME_CLASS_ENTRY(TowerClass)
GAME_CLASS_ENTRY(SlotClass)
GAME_CLASS_ENTRY(Slot1Class)
GAME_CLASS_ENTRY(Slot2Class)
GAME_CLASS_ENTRY(Slot3Class)
GAME_CLASS_ENTRY(Slot4Class)
GAME_CLASS_ENTRY(SelectClass)
GAME_CLASS_ENTRY(FireSelectClass)
GAME_CLASS_ENTRY(IceSelectClass)
GAME_CLASS_ENTRY(LightningSelectClass)
GAME_CLASS_ENTRY(EffectClass)

namespace
{
struct IconRow
{
    const char* archetype;
    const char* cloneName;
    f32 dx;
};

constexpr IconRow Icons[] = {{"select_fire", "select_fire_clone", -40.0f},
                             {"select_ice", "select_ice_clone", 0.0f},
                             {"select_lightning", "select_lightning_clone", 40.0f}};
constexpr f32 IconRise = 50.0f;
constexpr f32 TowerRise = 46.0f;

// An icon of the row's class by name: the icon classes add nothing, so the row tells them apart.
SelectClass* FindIcon(u32 row, const Core::String& name)
{
    switch (row)
    {
    case 0:
        return FindObjectByName<FireSelectClass>(name);
    case 1:
        return FindObjectByName<IceSelectClass>(name);
    default:
        return FindObjectByName<LightningSelectClass>(name);
    }
}

// The archetype of the tower an icon's name selects, as its own class; null for no row.
TowerClass* FindTowerArchetype(const Core::String& iconName, u32& element, const char*& cloneName)
{
    if (iconName == "select_fire_clone")
    {
        element = 1;
        cloneName = "tower_fire_clone";
        return FindObjectByName<FireTowerClass>("tower_fire");
    }
    if (iconName == "select_ice_clone")
    {
        element = 2;
        cloneName = "tower_ice_clone";
        return FindObjectByName<IceTowerClass>("tower_ice");
    }
    if (iconName == "select_lightning_clone")
    {
        element = 3;
        cloneName = "tower_lightning_clone";
        return FindObjectByName<LightningTowerClass>("tower_lightning");
    }
    return nullptr;
}

// The game's press for the controls the cursor touches: the collision results then are those of
// where the button went down.
bool IsPressCounted()
{
    MyGame* game = GetGame();
    return game && game->buttonPress;
}

}  // namespace

bool IsClicked(Vellumar::GameObject& object)
{
    return Vellumar::CollisionResults::Of(object).IsCollidedWithSprite("cursor", false) && IsPressCounted();
}

TowerClass* TowerClass::Clone() const
{
    return new (__FILE__, __LINE__) TowerClass(*this);
}

void TowerClass::OnStart()
{
    menuOpen = 0;
}

bool TowerClass::IsUnderCursor()
{
    return Vellumar::CollisionResults::Of(*this).IsCollidedWithSprite("cursor", false);
}

bool SlotClass::IsIconUnderCursor()
{
    for (const IconRow& row : Icons)
    {
        Core::Vector<Vellumar::GameObject*> named;
        Vellumar::FindGameObjectsByName(row.cloneName, named);
        for (Vellumar::GameObject* icon : named)
        {
            if (Vellumar::CollisionResults::Of(*icon).IsCollidedWithSprite("cursor", false))
                return true;
        }
    }
    return false;
}

void TowerClass::ToggleTowerSelection(u32 slotId)
{
    if (menuOpen)
    {
        SlotClass* site = FindObjectById<SlotClass>(slotId);
        for (u32 row = 0; row < 3; ++row)
        {
            SelectClass* archetype = FindIcon(row, Icons[row].archetype);
            if (!archetype || !site)
                continue;
            auto* icon = CloneArchetype(*archetype, Icons[row].cloneName, 0.3f);
            icon->slotId = slotId;
            icon->SetPosition(site->GetPositionX() + Icons[row].dx, site->GetPositionY() + IconRise);
            AddToPlayLayer(icon);
        }
        return;
    }
    for (u32 row = 0; row < 3; ++row)
    {
        if (!FindIcon(row, Icons[row].cloneName))
            continue;
        Core::Vector<Vellumar::GameObject*> named;
        Vellumar::FindGameObjectsByName(Icons[row].cloneName, named);
        for (Vellumar::GameObject* object : named)
            object->Destroy();
    }
}

void TowerClass::BuildTower(u32 slotId)
{
    u32 element = 0;
    const char* cloneName = nullptr;
    TowerClass* archetype = FindTowerArchetype(GetName(), element, cloneName);
    SlotClass* site = FindObjectById<SlotClass>(slotId);
    if (!archetype || !site)
        return;
    auto* tower = static_cast<EffectClass*>(CloneArchetype(*archetype, cloneName, 0.0f));
    tower->Stop();
    tower->slotId = slotId;
    tower->SetPosition(site->GetPositionX(), site->GetPositionY() + TowerRise);
    AddToPlayLayer(tower);
    site->towerElement = element;
    if (BaseLevelClass* level = GetPlayLevel())
    {
        level->resources = static_cast<u8>(level->resources - TowerPrice);
        level->UpdateResourceBars();
    }
}

SlotClass* SlotClass::Clone() const
{
    return new (__FILE__, __LINE__) SlotClass(*this);
}

void SlotClass::OnStart()
{
    Stop();
    towerElement = 0;
    menuOpen = 0;
}

void SlotClass::ScriptUpdate(f32)
{
    if (!IsUnderCursor())
    {
        SetCurrentFrame(0, false);
        return;
    }
    SetCurrentFrame(1, false);
    if (IsPressCounted() && towerElement == 0 && !IsIconUnderCursor())
    {
        menuOpen = !menuOpen;
        ToggleTowerSelection(GetID());
    }
}

void SlotClass::StartNumbered(u32& cannonElement)
{
    SlotClass::OnStart();
    cannonElement = 0;
}

void SlotClass::UpdateNumbered(u32& cannonElement, f32 dt)
{
    cannonElement = towerElement;
    if (towerElement == 0)
        SlotClass::ScriptUpdate(dt);
}

Slot1Class* Slot1Class::Clone() const
{
    return new (__FILE__, __LINE__) Slot1Class(*this);
}

Slot2Class* Slot2Class::Clone() const
{
    return new (__FILE__, __LINE__) Slot2Class(*this);
}

Slot3Class* Slot3Class::Clone() const
{
    return new (__FILE__, __LINE__) Slot3Class(*this);
}

Slot4Class* Slot4Class::Clone() const
{
    return new (__FILE__, __LINE__) Slot4Class(*this);
}

SelectClass* SelectClass::Clone() const
{
    return new (__FILE__, __LINE__) SelectClass(*this);
}

void SelectClass::ScriptUpdate(f32)
{
    if (!IsUnderCursor())
    {
        SetOpacity(0.5f);
        return;
    }
    SetOpacity(1.0f);
    if (!IsPressCounted())
        return;
    BaseLevelClass* level = GetPlayLevel();
    if (level && level->resources >= TowerPrice)
    {
        BuildTower(slotId);
        menuOpen = 0;
        ToggleTowerSelection(slotId);
        PlaySound("b_tower_fx");
    }
    else
        PlaySound("cb_tower_fx");
}

FireSelectClass* FireSelectClass::Clone() const
{
    return new (__FILE__, __LINE__) FireSelectClass(*this);
}

IceSelectClass* IceSelectClass::Clone() const
{
    return new (__FILE__, __LINE__) IceSelectClass(*this);
}

LightningSelectClass* LightningSelectClass::Clone() const
{
    return new (__FILE__, __LINE__) LightningSelectClass(*this);
}

EffectClass* EffectClass::Clone() const
{
    return new (__FILE__, __LINE__) EffectClass(*this);
}

void EffectClass::FreeSite()
{
    if (SlotClass* site = FindObjectById<SlotClass>(slotId))
        site->towerElement = 0;
}
