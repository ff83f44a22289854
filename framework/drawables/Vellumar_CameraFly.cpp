// The development fly camera: one position and orientation for every camera, moved and turned by
// held keys with fixed steps per call (not per second).
#include "platform/Input_Keyboard.h"
#include "platform/Input_KeyCodes.h"
#include "math/Math_Quaternion.h"
#include "framework/drawables/Vellumar_Camera.h"

namespace Vellumar
{
namespace
{
constexpr f32 MoveStep = 4.0f;
constexpr f32 TurnStep = 4.0f;

namespace Key
{
constexpr u32 Left = 32;
constexpr u32 Up = 33;
constexpr u32 Right = 34;
constexpr u32 Down = 35;
constexpr u32 Letter(char c)
{
    return Input::EngineKey::LetterA + static_cast<u32>(c - 'A');
}
}  // namespace Key

struct FlyState
{
    Math::Vector3D position;
    Math::Quaternion orientation;
};

FlyState fly;

Math::Vector3D Axis(const Math::Matrix4x4& m, const Math::Vector3D& local)
{
    Math::Vector3D axis = Math::TransformPoint(m, local) - Math::TransformPoint(m, Math::Vector3D());
    axis.Normalize();
    return axis;
}

void Turn(const Math::Vector3D& axis, f32 degrees)
{
    fly.orientation *= Math::Quaternion(axis, degrees);
    fly.orientation.Normalize();
}
}  // namespace

void Camera::ResetFlyCamera()
{
    fly = FlyState();
}

void Camera::UpdateFromKeyboard()
{
    fly.orientation.Normalize();
    const Math::Matrix4x4 m = fly.orientation.ToMatrix();
    const Math::Vector3D forward = Axis(m, Math::Vector3D(0.0f, 0.0f, -1.0f));
    const Math::Vector3D right = Axis(m, Math::Vector3D(1.0f, 0.0f, 0.0f));
    const Math::Vector3D up = Axis(m, Math::Vector3D(0.0f, 1.0f, 0.0f));
    const Input::Keyboard* keyboard = Input::GetKeyboard();
    const auto held = [keyboard](u32 key) { return keyboard && keyboard->IsPressed(key); };

    const struct
    {
        u32 key;
        Math::Vector3D step;
    } moves[] = {{Key::Up, forward * MoveStep},         {Key::Down, forward * -MoveStep},
                 {Key::Letter('Q'), up * MoveStep},     {Key::Letter('A'), up * -MoveStep},
                 {Key::Letter('X'), right * MoveStep},  {Key::Letter('Z'), right * -MoveStep}};
    for (const auto& move : moves)
    {
        if (held(move.key))
        {
            fly.position += move.step;
        }
    }
    const struct
    {
        u32 key;
        Math::Vector3D axis;
        f32 degrees;
    } turns[] = {{Key::Letter('W'), right, -TurnStep}, {Key::Letter('S'), right, TurnStep},
                 {Key::Right, up, TurnStep},           {Key::Left, up, -TurnStep},
                 {Key::Letter('V'), forward, TurnStep}, {Key::Letter('C'), forward, -TurnStep}};
    for (const auto& turn : turns)
    {
        if (held(turn.key))
        {
            Turn(turn.axis, turn.degrees);
        }
    }
    if (held(Key::Letter('R')))
    {
        fly.position = Math::Vector3D();
        Math::Vector3D axis(0.0f, 0.0f, -1.0f);
        fly.orientation.FromAxisAngle(axis, 0.0f);
    }
    // The orientation as it stood at the start of the call: turns show from the next call on.
    GetRenderNode()->SetTransform(
        Math::Matrix4x4::Translation(fly.position.x, fly.position.y, fly.position.z) * m);
}
}  // namespace Vellumar
