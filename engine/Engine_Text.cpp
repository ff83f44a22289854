#include "engine/Engine_Text.h"

#include "core/Core_File.h"
#include "platform/PAL_FileSystem.h"
#include "engine/Engine_BoundingVolume.h"
#include "engine/Engine_RenderItem.h"
#include "engine/Engine_SpriteDrawing.h"
#include "engine/Engine_TextLayout.h"
#include "renderer/Renderer_BuiltInEffects.h"

namespace Engine
{
CORE_REGISTER_CLASS(Text, "Engine::Text")

namespace
{
constexpr const char* ResourceFolder = "\\Resources\\";

// A font name read from a stream may only name a font of this executable's resource folder: the
// part after its last resource folder is taken, under this executable's own. Anything else, and
// any attempt to climb out of the folder, gives the default font (the empty name).
Core::String FontPathFromStream(const Core::String& stored)
{
    const std::size_t folder = stored.rfind(ResourceFolder);
    if (folder == Core::String::npos)
        return Core::String();
    const Core::String inside = stored.SubstringFrom(static_cast<u32>(folder + std::char_traits<char>::length(ResourceFolder)));
    if (inside.empty() || inside.find('/') != Core::String::npos)
        return Core::String();
    std::size_t start = 0;
    while (start <= inside.size())
    {
        std::size_t end = inside.find('\\', start);
        if (end == Core::String::npos)
            end = inside.size();
        const std::string_view part = inside.View().substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return Core::String();
        start = end + 1;
    }
    return Core::String(PAL::GetExecutableDirectory()) + ResourceFolder + inside;
}

// The glyph mesh of a string: one blended subset over six vertices per byte.
Core::RefPtr<Mesh> MakeGlyphMesh(u32 length)
{
    Core::RefPtr<Mesh> mesh(new (__FILE__, __LINE__) Mesh());
    if (length > 0)
    {
        MeshSubset subset;
        subset.first = 0;
        subset.last = 6 * length - 1;
        subset.blended = 1;
        mesh->AddSubset(subset);
    }
    return mesh;
}
} // namespace

Text::Text() : Text(Core::String(), false)
{
}

Text::Text(const Core::String& value, bool withoutCulling)
    : text(value), glyphMesh(MakeGlyphMesh(static_cast<u32>(value.size()))), noCulling(withoutCulling ? 1 : 0)
{
    CreateEffect();
    glyphMesh->AddEffect(effect);
}

Text::Text(const Text& other)
    : Node(other), text(other.text), glyphMesh(other.glyphMesh->Clone()), font(other.font), color(other.color),
      opacity(other.opacity), offset(other.offset), noCulling(other.noCulling), effect(other.effect)
{
    for (u32 i = 0; i < ValueCount; ++i)
        values[i] = other.values[i];
}

Text::~Text() = default;

Text* Text::Clone() const
{
    return new (__FILE__, __LINE__) Text(*this);
}

void Text::CreateEffect()
{
    effect = noCulling ? Renderer::CreateTextEffectNoCulling() : Renderer::CreateTextEffect();
}

void Text::SetValue(u32 index, f32 value)
{
    if (index < ValueCount)
        values[index] = value;
}

f32 Text::GetValue(u32 index) const
{
    return index < ValueCount ? values[index] : 0.0f;
}

void Text::Update(f32 dt)
{
    if (updateCallback)
        updateCallback(*this, dt);
}

void Text::Draw()
{
    if (!visible || text.empty() || noCulling || !font)
        return;
    TextBounds bounds;
    LayoutText(*font, text, *glyphMesh, bounds);
    effect->SetTexture(1, font->GetTexture());

    const Math::Matrix4x4 parentMatrix = ParentWorldMatrix();
    if (!overlay && !screenSpace)
    {
        Math::Frustum box;
        const Math::Vector3D corners[BoxCornerCount] = {
            {bounds.maxX, bounds.maxY, 0.0f},  {bounds.minX, bounds.maxY, 0.0f}, {bounds.minX, bounds.maxY, -1.0f},
            {bounds.maxX, bounds.maxY, -1.0f}, {bounds.maxX, bounds.minY, 0.0f}, {bounds.minX, bounds.minY, 0.0f},
            {bounds.minX, bounds.minY, -1.0f}, {bounds.maxX, bounds.minY, -1.0f}};
        for (u32 i = 0; i < BoxCornerCount; ++i)
            box.corners[i] = Math::TransformPoint(parentMatrix, corners[i]);
        if (IsOutsideCurrentView(box))
            return;
    }
    RenderItem item;
    item.world = parentMatrix;
    item.color = Math::Color(color.r, color.g, color.b, opacity);
    item.effect = effect;
    item.mesh = glyphMesh;
    item.subset = 0;
    item.primitiveType = Renderer::Primitive::Triangles;
    item.lastPassOnly = overlay;
    SubmitPlaced(item, screenSpace);
}

void Text::Save(Core::File& file)
{
    Node::Save(file);
    Core::WriteString(file, text);
    Core::WriteString(file, font ? font->GetName() : Core::String());
    Math::WriteColor(file, color);
    Core::WriteF32(file, opacity);
    Core::WriteF32(file, offset.x);
    Core::WriteF32(file, offset.y);
    Core::WriteU8(file, noCulling);
    for (f32 value : values)
        Core::WriteF32(file, value);
}

void Text::Load(Core::File& file)
{
    Node::Load(file);
    Core::ReadString(file, text);
    Core::String fontName;
    Core::ReadString(file, fontName);
    Math::ReadColor(file, color);
    Core::ReadF32(file, opacity);
    Core::ReadF32(file, offset.x);
    Core::ReadF32(file, offset.y);
    Core::ReadU8(file, noCulling);
    for (f32& value : values)
        Core::ReadF32(file, value);
    if (file.Failed())
        return;
    font = new (__FILE__, __LINE__) BitmapFont(FontPathFromStream(fontName));
    CreateEffect();
}
} // namespace Engine
