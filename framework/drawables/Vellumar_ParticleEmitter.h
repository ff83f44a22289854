#pragma once
// Where a new particle starts and which way it leaves. The base answers through its script's
// "GetPositionAndDirection" (the scripted emitter); the six shape emitters answer by a geometric
// rule; the game's own emitters override the rule.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "math/Math_Vector2D.h"

namespace Vellumar
{
class ParticleEmitter : public Core::Object
{
    CORE_CLASS(ParticleEmitter)

public:
    ParticleEmitter() = default;
    // Copies the script state: a running script's copy runs the source's compiled chunk for the
    // copy and hears "OnClone"; managed objects are cloned.
    ParticleEmitter(const ParticleEmitter& source);
    ~ParticleEmitter() override;
    ParticleEmitter& operator=(const ParticleEmitter&) = delete;

    LuaScript* GetScript() override { return script; }
    ParticleEmitter* Clone() const override;
    // u8 script running, the script name, u8 clone flag, u8 restart flag; with a running script,
    // its managed objects' records and its own "Save".
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // t is the frame's dt for an emitted particle, 0 when a pool is filled or reset. Without a
    // running script, or when its answer is not a point and a vector, both are left as they were.
    virtual void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction);
    // Once per particle-system update, before emitting: the script's "Update".
    virtual void Update(f32 dt);

    void SetScript(const Core::String& fileName) { scriptName = fileName; }
    const Core::String& GetScriptName() const { return scriptName; }
    // Starts the named script of the scripts folder with this emitter as "self" and runs its
    // "Constructor".
    void RunScript();
    bool IsScriptRunning() const { return scriptRunning != 0; }
    // Held and saved with the emitter, published to its script under the name.
    void AddManagedObject(Core::Object* object, const Core::String& globalName);

protected:
    const char* GetScriptTypeName() const override { return "ParticleEmitter"; }

private:
    bool ScriptRuns() const;

    Core::Vector<Core::RefPtr<Core::Object>> managedObjects;
    Core::Vector<Core::String> managedObjectNames;
    u8 cloneFlag = 0;
    u8 restartFlag = 0;
    LuaScript* script = nullptr;
    Core::String scriptName;
    u8 scriptRunning = 0;
};

class PointEmitter : public ParticleEmitter
{
    CORE_CLASS(PointEmitter)

public:
    PointEmitter(const Math::Point2D& point = Math::Point2D(), f32 angleMin = 0.0f, f32 angleMax = 360.0f);

    PointEmitter* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // At the point, towards a random angle between the two (degrees).
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

    Math::Point2D point;
    f32 angleMin;
    f32 angleMax;

protected:
    const char* GetScriptTypeName() const override { return "PointEmitter"; }
};

class LineEmitter : public ParticleEmitter
{
    CORE_CLASS(LineEmitter)

public:
    LineEmitter(const Math::Point2D& a = Math::Point2D(), const Math::Point2D& b = Math::Point2D());

    LineEmitter* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // Anywhere on A-B, along its left-hand normal.
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

    Math::Point2D pointA;
    Math::Point2D pointB;

protected:
    const char* GetScriptTypeName() const override { return "LineEmitter"; }
};

class CircleEmitter : public ParticleEmitter
{
    CORE_CLASS(CircleEmitter)

public:
    CircleEmitter(const Math::Point2D& centre = Math::Point2D(), f32 radius = 100.0f);

    CircleEmitter* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // On the circle, outwards.
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

    Math::Point2D centre;
    f32 radius;

protected:
    const char* GetScriptTypeName() const override { return "CircleEmitter"; }
};

class DiskEmitter : public CircleEmitter
{
    CORE_CLASS(DiskEmitter)

public:
    DiskEmitter(const Math::Point2D& centre = Math::Point2D(), f32 radius = 100.0f) : CircleEmitter(centre, radius) {}

    DiskEmitter* Clone() const override;
    // Inside the disk at a uniform distance from the centre (so denser near it), outwards.
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

protected:
    const char* GetScriptTypeName() const override { return "DiskEmitter"; }
};

class RectangleEmitter : public ParticleEmitter
{
    CORE_CLASS(RectangleEmitter)

public:
    // Corners c0 = (x, y), c1 = (x + width, y), c2 = (x + width, y + height), c3 = (x, y + height).
    RectangleEmitter(f32 x = 0.0f, f32 y = 0.0f, f32 width = 100.0f, f32 height = 100.0f);

    RectangleEmitter* Clone() const override;
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;
    // On a side picked by RandomInt(3) (so sides 0 and 3 half as often), along that side's axis.
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

    Math::Point2D corners[4];

protected:
    const char* GetScriptTypeName() const override { return "RectangleEmitter"; }
};

class FilledRectangleEmitter : public RectangleEmitter
{
    CORE_CLASS(FilledRectangleEmitter)

public:
    FilledRectangleEmitter(f32 x = 0.0f, f32 y = 0.0f, f32 width = 100.0f, f32 height = 100.0f)
        : RectangleEmitter(x, y, width, height)
    {
    }

    FilledRectangleEmitter* Clone() const override;
    // Anywhere inside, along a side's axis picked as for the outline.
    void GetPositionAndDirection(f32 t, Math::Point2D& position, Math::Vector2D& direction) override;

protected:
    const char* GetScriptTypeName() const override { return "FilledRectangleEmitter"; }
};
}  // namespace Vellumar
