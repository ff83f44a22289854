#pragma once

#include "core/Core_File.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"

// Field helpers shared by the collision stream forms.
namespace Collision2D::Stream
{
inline void WriteVector(Core::File& file, const Math::Vector2D& v)
{
    Core::WriteF32(file, v.x);
    Core::WriteF32(file, v.y);
}

inline bool ReadVector(Core::File& file, Math::Vector2D& v)
{
    return Core::ReadF32(file, v.x) && Core::ReadF32(file, v.y);
}

// Fails the stream and gives false: a value read from it is impossible.
inline bool Reject(Core::File& file)
{
    file.SetFailed();
    return false;
}
} // namespace Collision2D::Stream
