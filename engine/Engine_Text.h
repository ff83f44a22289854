#pragma once
// A leaf node that draws a one-byte-per-character string in a bitmap font. Every draw lays the
// whole string out again into its glyph mesh, culls the text's box against the view and submits
// one render item.
#include "core/Core_Object.h"
#include "core/Core_String.h"
#include "math/Math_Color.h"
#include "math/Math_Vector2D.h"
#include "engine/Engine_Font.h"
#include "engine/Engine_Mesh.h"
#include "engine/Engine_Node.h"
#include "renderer/Renderer_Effect.h"

namespace Engine
{
class Text : public Node
{
    CORE_CLASS(Text)

public:
    // Four stored values that are saved, loaded and copied with the text and change nothing else.
    static constexpr u32 ValueCount = 4;

    // The empty string with culling: what Load fills.
    Text();
    // noCulling picks the text effect without face culling; the node's own draw then draws
    // nothing (such texts are drawn by their owner).
    Text(const Core::String& text, bool noCulling);
    // Shares the font and the effect; clones the glyph mesh.
    Text(const Text& other);
    ~Text() override;

    Text* Clone() const override;
    // After the node's form: text, the font's name, colour, opacity, offset, the no-culling flag
    // and the four values. Loading makes a font of its own from the stored name.
    void Save(Core::File& file) override;
    void Load(Core::File& file) override;

    // Update callback only.
    void Update(f32 dt) override;
    void Render(const Math::ViewFrustum&) override { Draw(); }
    // Nothing when hidden, empty, without font or without culling.
    void Draw() override;
    void DrawTree() override { Draw(); }

    void SetText(const Core::String& value) { text = value; }
    const Core::String& GetText() const { return text; }
    void SetFont(BitmapFont* value) { font = value; }
    Core::RefPtr<BitmapFont> GetFont() const { return font; }
    // The alpha is saved but not drawn: the opacity is the drawn alpha.
    void SetColor(const Math::Color& value) { color = value; }
    const Math::Color& GetColor() const { return color; }
    void SetOpacity(f32 value) { opacity = value; }
    f32 GetOpacity() const { return opacity; }
    void SetOffset(const Math::Vector2D& value) { offset = value; }
    const Math::Vector2D& GetOffset() const { return offset; }
    bool IsNoCulling() const { return noCulling != 0; }
    // Indices at or above ValueCount are ignored and read as 0.
    void SetValue(u32 index, f32 value);
    f32 GetValue(u32 index) const;

    Core::RefPtr<Mesh> GetGlyphMesh() const { return glyphMesh; }
    Core::RefPtr<Renderer::Effect> GetEffect() const { return effect; }

private:
    void CreateEffect();

    Core::String text;
    Core::RefPtr<Mesh> glyphMesh;
    Core::RefPtr<BitmapFont> font;
    Math::Color color{1.0f, 1.0f, 1.0f, 1.0f};
    f32 opacity = 1.0f;
    Math::Vector2D offset;
    u8 noCulling = 0;
    Core::RefPtr<Renderer::Effect> effect;
    f32 values[ValueCount] = {0.0f, 0.0f, 1.0f, 0.0f};
};
} // namespace Engine
