#pragma once
// A skin drawn at any size as nine pieces: the corners keep their size, the edges stretch along
// one axis and the centre along both. The skin path (without extension) names a ".gui" record file
// with one record per control state and a ".png" image. The nine render contexts are filled only
// when something changed (the dirty flag, or a new clip rectangle) and queued again every frame.
#include "core/Core_Memory.h"
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "gui/GUI_ImageRenderContext.h"
#include "gui/GUI_NRectangle.h"
#include "gui/GUI_Size.h"
#include "gui/GUI_SkinRecord.h"
#include "gui/GUI_TRectangle.h"
#include "renderer/Renderer_Texture.h"

namespace GUI
{
class GuiImage : public Core::Object
{
public:
    // Piece order: top-left, top-centre, top-right, middle-left, centre, middle-right,
    // bottom-left, bottom-centre, bottom-right.
    static constexpr u32 PieceCount = 9;

    // Loads the skin at path and takes the drawn size; an empty path loads nothing.
    GuiImage(const Core::String& path, const Size& size);
    // Loads the skin at path with the other image's drawing settings and, when this skin has it,
    // its state. The position and clip rectangle start at zero.
    GuiImage(const Core::String& path, const GuiImage& other);
    GuiImage(const GuiImage&) = delete;
    GuiImage& operator=(const GuiImage&) = delete;
    ~GuiImage() override;

    // A copy by the second constructor for the given skin path.
    GuiImage* CloneImage(const Core::String& path) const;
    // The registry's creation function: an empty 32 x 32 image that Load fills.
    static Core::Object* CreateInstance();

    // Each setter acts only on a changed value (SetState also only on an index below the record
    // count) and keeps the pieces and the dirty flag consistent.
    void SetState(u32 index);
    void SetWidth(f32 value);
    void SetHeight(f32 value);
    void SetPosition(const Math::Point2D& point);
    void SetDepth(f32 value);
    void SetOpacity(f32 value);
    f32 GetOpacity() const { return opacity; }
    void SetColor(const Math::Color& value);
    void SetVisible(bool value) { visible = value ? 1 : 0; }

    // Lays the pieces out for the current record and places them, as a state change does; for an
    // image whose pieces came from a stream as they were stored.
    void LayOutAndPlace();

    // Fills the render contexts through the GUI's drawing state when dirty or clip changed.
    void Update(const NRectangle& clip);
    // Update, then queues every piece at least one pixel wide and high; nothing when hidden.
    void Draw(const NRectangle& clip);

    void Save(Core::File& file) override;
    // Restores the saved pieces as they are, fetches the image and marks the contexts dirty. A
    // skin path outside the skins folder fetches no image.
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(GuiImage); }

    const Core::String& GetName() const { return name; }
    const TRectangle& GetPiece(u32 index) const { return pieces[index]; }
    Core::RefPtr<ImageRenderContext> GetRenderContext(u32 index) const { return contexts[index]; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const { return texture; }
    u32 GetRecordCount() const { return static_cast<u32>(records.size()); }
    const SkinRecord& GetRecord(u32 index) const { return records[index]; }
    u32 GetState() const { return stateIndex; }
    f32 GetWidth() const { return width; }
    f32 GetHeight() const { return height; }
    f32 GetDepth() const { return depth; }
    Math::Point2D GetPosition() const { return position; }
    const Math::Color& GetColor() const { return color; }
    bool IsVisible() const { return visible != 0; }
    bool IsDirty() const { return dirty; }
    f32 GetLeftBorder() const { return leftBorder; }
    f32 GetRightBorder() const { return rightBorder; }
    f32 GetTopBorder() const { return topBorder; }
    f32 GetBottomBorder() const { return bottomBorder; }
    f32 GetTextureWidth() const { return textureWidth; }
    f32 GetTextureHeight() const { return textureHeight; }

private:
    // Name, records and image of the skin at path.
    void LoadSkin(const Core::String& path);
    // Sizes and texture coordinates of the pieces for the current record. An image without that
    // record has nine empty pieces.
    void LayOut();
    // Positions of the pieces from the position, the size and the unclamped borders.
    void Place();
    void CreateRenderContexts();

    Core::String name;
    TRectangle pieces[PieceCount];
    f32 leftBorder = 0.0f;
    f32 rightBorder = 0.0f;
    f32 topBorder = 0.0f;
    f32 bottomBorder = 0.0f;
    Core::RefPtr<Renderer::ITexture> texture;
    f32 textureWidth = 0.0f;
    f32 textureHeight = 0.0f;
    u8 visible = 1;
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    f32 opacity = 1.0f;
    f32 width = 0.0f;
    f32 height = 0.0f;
    f32 depth = 0.0f;
    Math::Point2D position;
    u32 stateIndex = 0;
    Core::Vector<SkinRecord> records;
    Core::RefPtr<ImageRenderContext> contexts[PieceCount];
    bool dirty = true;
    NRectangle clipRectangle;
};
} // namespace GUI
