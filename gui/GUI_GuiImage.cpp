#include "gui/GUI_GuiImage.h"

#include "core/Core_File.h"
#include "gui/GUI_Graphics.h"
#include "gui/GUI_Paths.h"
#include "renderer/Renderer_TextureCache.h"

#include <algorithm>

namespace GUI
{
namespace
{
const Core::ClassRegistrar guiImageRegistrar("GUI::GuiImage", &GuiImage::CreateInstance);

// A value above limit becomes limit, then one below 0 becomes 0.
f32 Clamp(f32 value, f32 limit)
{
    return std::max(std::min(value, limit), 0.0f);
}

// Texel to texture coordinate; a texture without size gives 0 rather than dividing by it.
f32 ToTexture(f32 texel, f32 size)
{
    return size > 0.0f ? texel / size : 0.0f;
}
} // namespace

GuiImage::GuiImage(const Core::String& path, const Size& size) : width(size.width), height(size.height)
{
    if (!path.empty())
        LoadSkin(path);
    LayOut();
    dirty = true;
    CreateRenderContexts();
    Place();
}

GuiImage::GuiImage(const Core::String& path, const GuiImage& other)
    : visible(other.visible), color(other.color), opacity(other.opacity), width(other.width), height(other.height),
      depth(other.depth)
{
    LoadSkin(path);
    if (other.stateIndex < records.size())
        stateIndex = other.stateIndex;
    LayOut();
    dirty = true;
    CreateRenderContexts();
    Place();
}

GuiImage::~GuiImage() = default;

GuiImage* GuiImage::CloneImage(const Core::String& path) const
{
    return new (__FILE__, __LINE__) GuiImage(path, *this);
}

Core::Object* GuiImage::CreateInstance()
{
    return new (__FILE__, __LINE__) GuiImage(Core::String(), Size{32.0f, 32.0f});
}

const char* GuiImage::GetClassName() const
{
    return "GUI::GuiImage";
}

void GuiImage::LoadSkin(const Core::String& path)
{
    name = path;
    Core::DiskFile file(path + ".gui", Core::DiskFile::ModeRead);
    ReadSkinRecords(file, records);
    texture = Renderer::TextureCache::GetTexture(path + ".png", 0);
    textureWidth = texture ? static_cast<f32>(texture->GetWidth()) : 0.0f;
    textureHeight = texture ? static_cast<f32>(texture->GetHeight()) : 0.0f;
}

void GuiImage::CreateRenderContexts()
{
    for (Core::RefPtr<ImageRenderContext>& context : contexts)
        context = new (__FILE__, __LINE__) ImageRenderContext();
}

void GuiImage::LayOut()
{
    if (stateIndex >= records.size())
    {
        leftBorder = rightBorder = topBorder = bottomBorder = 0.0f;
        for (TRectangle& piece : pieces)
        {
            piece.width = 0.0f;
            piece.height = 0.0f;
        }
        return;
    }
    const SkinRecord& record = records[stateIndex];
    leftBorder = record.innerLeft;
    rightBorder = record.regionWidth - record.innerRight;
    topBorder = record.regionHeight - record.innerTop;
    bottomBorder = record.innerBottom;

    const f32 columns[3] = {Clamp(leftBorder, width), Clamp(width - leftBorder - rightBorder, width),
                            Clamp(rightBorder, width)};
    const f32 rows[3] = {Clamp(topBorder, height), Clamp(height - topBorder - bottomBorder, height),
                         Clamp(bottomBorder, height)};
    const f32 uEdges[4] = {0.0f, record.innerLeft, record.innerRight, record.regionWidth};
    const f32 vEdges[4] = {0.0f, record.innerBottom, record.innerTop, record.regionHeight};
    for (u32 row = 0; row < 3; ++row)
    {
        // Rows run from the top down; v edges from the bottom up.
        const f32 vLow = ToTexture(record.regionY + vEdges[2 - row], textureHeight);
        const f32 vHigh = ToTexture(record.regionY + vEdges[3 - row], textureHeight);
        for (u32 column = 0; column < 3; ++column)
        {
            const f32 uLow = ToTexture(record.regionX + uEdges[column], textureWidth);
            const f32 uHigh = ToTexture(record.regionX + uEdges[column + 1], textureWidth);
            TRectangle& piece = pieces[row * 3 + column];
            piece.width = columns[column];
            piece.height = rows[row];
            piece.texCoords[0] = Math::Vector2D(uLow, vLow);
            piece.texCoords[1] = Math::Vector2D(uHigh, vLow);
            piece.texCoords[2] = Math::Vector2D(uHigh, vHigh);
            piece.texCoords[3] = Math::Vector2D(uLow, vHigh);
        }
    }
}

void GuiImage::Place()
{
    const f32 columns[3] = {position.x, position.x + leftBorder, position.x + width - rightBorder};
    const f32 rows[3] = {position.y + height - topBorder, position.y + bottomBorder, position.y};
    for (u32 row = 0; row < 3; ++row)
    {
        for (u32 column = 0; column < 3; ++column)
        {
            pieces[row * 3 + column].x = columns[column];
            pieces[row * 3 + column].y = rows[row];
        }
    }
}

void GuiImage::LayOutAndPlace()
{
    LayOut();
    Place();
    dirty = true;
}

void GuiImage::SetState(u32 index)
{
    if (index >= records.size() || index == stateIndex)
        return;
    stateIndex = index;
    LayOut();
    Place();
    dirty = true;
}

void GuiImage::SetWidth(f32 value)
{
    if (value == width)
        return;
    width = value;
    LayOut();
    Place();
    dirty = true;
}

void GuiImage::SetHeight(f32 value)
{
    if (value == height)
        return;
    height = value;
    LayOut();
    Place();
    dirty = true;
}

void GuiImage::SetPosition(const Math::Point2D& point)
{
    if (point == position)
        return;
    position = point;
    Place();
    dirty = true;
}

void GuiImage::SetDepth(f32 value)
{
    if (value == depth)
        return;
    depth = value;
    dirty = true;
}

void GuiImage::SetOpacity(f32 value)
{
    if (value == opacity)
        return;
    opacity = value;
    dirty = true;
}

void GuiImage::SetColor(const Math::Color& value)
{
    if (value == color)
        return;
    color = value;
    dirty = true;
}

void GuiImage::Update(const NRectangle& clip)
{
    if (clip != clipRectangle)
    {
        clipRectangle = clip;
        dirty = true;
    }
    Graphics* graphics = GetGraphics();
    if (!dirty || !graphics)
        return;
    graphics->Reset();
    graphics->SetClipRect(clip);
    graphics->SetDepth(depth);
    graphics->SetOpacity(opacity);
    graphics->SetColor(color);
    for (u32 i = 0; i < PieceCount; ++i)
        graphics->DrawImage(*contexts[i], pieces[i], texture);
    dirty = false;
}

void GuiImage::Draw(const NRectangle& clip)
{
    if (!visible)
        return;
    Update(clip);
    for (u32 i = 0; i < PieceCount; ++i)
    {
        if (pieces[i].width >= 1.0f && pieces[i].height >= 1.0f)
            Graphics::Submit(*contexts[i]);
    }
}

void GuiImage::Save(Core::File& file)
{
    Core::WriteString(file, name);
    for (const TRectangle& piece : pieces)
        piece.Save(file);
    Core::WriteF32(file, leftBorder);
    Core::WriteF32(file, rightBorder);
    Core::WriteF32(file, topBorder);
    Core::WriteF32(file, bottomBorder);
    Core::WriteF32(file, textureWidth);
    Core::WriteF32(file, textureHeight);
    Core::WriteU8(file, visible);
    Math::WriteColor(file, color);
    Core::WriteF32(file, opacity);
    Core::WriteF32(file, width);
    Core::WriteF32(file, height);
    Core::WriteF32(file, depth);
    Math::WriteVector2D(file, position);
    Core::WriteU32(file, stateIndex);
    WriteSkinRecords(file, records);
    clipRectangle.Save(file);
}

void GuiImage::Load(Core::File& file)
{
    name.clear();
    Core::ReadString(file, name);
    for (TRectangle& piece : pieces)
        piece.Load(file);
    Core::ReadF32(file, leftBorder);
    Core::ReadF32(file, rightBorder);
    Core::ReadF32(file, topBorder);
    Core::ReadF32(file, bottomBorder);
    Core::ReadF32(file, textureWidth);
    Core::ReadF32(file, textureHeight);
    Core::ReadU8(file, visible);
    Math::ReadColor(file, color);
    Core::ReadF32(file, opacity);
    Core::ReadF32(file, width);
    Core::ReadF32(file, height);
    Core::ReadF32(file, depth);
    Math::ReadVector2D(file, position);
    Core::ReadU32(file, stateIndex);
    ReadSkinRecords(file, records);
    clipRectangle.Load(file);

    texture = nullptr;
    if (!file.Failed() && IsInsideFolder(name, GetSkinsFolder()))
        texture = Renderer::TextureCache::GetTexture(name + ".png", 0);
    CreateRenderContexts();
    dirty = true;
}
} // namespace GUI
