#include "math/Math_Color.h"

#include "core/Core_File.h"

namespace Math {

Core::File& WriteColor(Core::File& file, const Color& color)
{
    Core::WriteF32(file, color.r);
    Core::WriteF32(file, color.g);
    Core::WriteF32(file, color.b);
    Core::WriteF32(file, color.a);
    return file;
}

Core::File& ReadColor(Core::File& file, Color& color)
{
    Core::ReadF32(file, color.r);
    Core::ReadF32(file, color.g);
    Core::ReadF32(file, color.b);
    Core::ReadF32(file, color.a);
    return file;
}

} // namespace Math
