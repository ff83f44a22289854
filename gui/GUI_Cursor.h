#pragma once
// A GUI mouse cursor: an image drawn as a 32 x 32 quad whose hot spot follows the mouse, on top
// of every other screen object.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "core/Core_Types.h"
#include "math/Math_Vector2D.h"
#include "engine/Engine_ScreenQuad.h"
#include "renderer/Renderer_Texture.h"

namespace GUI
{
class Cursor : public Core::Object
{
public:
    // The cursor's side in pixels, whatever the size of its image.
    static constexpr f32 Side = 32.0f;
    // The largest finite f32: the cursor sorts after everything else.
    static constexpr f32 Depth = 3.4028235e38f;

    // Fetches the image at path (none for the empty path); hot spot (0, 0).
    explicit Cursor(const Core::String& path);
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;
    ~Cursor() override;

    // The registry's creation function: a cursor of the empty path that Load fills.
    static Core::Object* CreateInstance();

    // Offset from the image's lower-left corner to the point that follows the mouse.
    void SetHotSpot(const Math::Vector2D& value) { hotSpot = value; }
    const Math::Vector2D& GetHotSpot() const { return hotSpot; }
    const Core::String& GetPath() const { return path; }
    Core::RefPtr<Renderer::ITexture> GetTexture() const { return texture; }
    Core::RefPtr<Engine::TextRenderContext> GetRenderContext() const { return context; }

    // Draws the quad with its hot spot on the mouse position and submits it when it is shown.
    void Draw(const Math::Point2D& mouse);

    // Hot spot (two f32) and path.
    void Save(Core::File& file) override;
    // The same, then the image and a new render context. A path outside the cursors folder
    // fetches no image.
    void Load(Core::File& file) override;
    const char* GetClassName() const override;
    u32 GetSize() const override { return sizeof(Cursor); }

private:
    void FetchTexture();

    Math::Vector2D hotSpot;
    Core::String path;
    Core::RefPtr<Renderer::ITexture> texture;
    Core::RefPtr<Engine::TextRenderContext> context;
};
} // namespace GUI
