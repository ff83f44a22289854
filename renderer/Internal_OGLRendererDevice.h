#pragma once
// What OpenGL holds, as far as the OpenGL renderer has told it. The renderer's state-setting calls
// go through here and reach OpenGL only when they would change what OpenGL holds. Every value is
// unknown (and so always sent) until first sent; Forget makes values unknown again where OpenGL
// was changed behind the renderer's back.
#include "core/Core_Types.h"
#include "math/Math_Color.h"

#include <GL/gl.h>

#include <cstring>

namespace Renderer
{
class OGLDevice
{
public:
    // Units whose per-unit state is remembered; state of higher units is always sent.
    static constexpr u32 UnitCount = 8;

    // A new or switched context: nothing is known.
    void Forget() { *this = OGLDevice(); }
    // Texture objects were made, reloaded or deleted: bindings and texture parameters are unknown.
    void ForgetTextures();
    // Something else selected a matrix stack.
    void ForgetMatrixMode() { matrixMode.known = false; }
    // A draw with a colour array leaves OpenGL's current colour undefined.
    void ForgetColor() { color.known = false; }

    // glEnable or glDisable. The texture targets and generation switches are those of the active
    // unit.
    void Switch(GLenum capability, bool on);
    void ActiveTexture(u32 unit);
    void ClientActiveTexture(u32 unit);
    // Binds on the active unit.
    void BindTexture(GLenum target, GLuint name);
    // The parameters of the texture object bound to target on the active unit (wrapT only for the
    // two-dimensional target); remembered only while that binding is known.
    void TextureParameters(GLenum target, GLint magnification, GLint minification, GLint wrapS, GLint wrapT);
    void TextureEnvironment(GLint mode);
    // Unit 0's environment mode whichever unit is active; the active unit stays active.
    void Unit0Environment(GLint mode);
    // The texture known to be bound to unit 0's two-dimensional target is the one whose filter and
    // wrap modes were sent last, and they wrap without reading a border colour.
    bool Unit0TextureReadsNoBorder() const;
    // Whether unit 0 is known to be the active unit.
    bool IsUnit0Active() const { return activeUnit.known && activeUnit.value == 0; }
    void Color(const Math::Color& value);
    void BlendFunction(GLenum source, GLenum destination);
    void AlphaFunction(GLenum function, GLfloat reference);
    void DepthMask(bool on);
    void DepthFunction(GLenum function);
    void CullFace(GLenum face);
    void ShadeModel(GLenum mode);
    void PolygonMode(GLenum mode);
    void LineWidth(GLfloat width);
    void PointSize(GLfloat size);
    void ColorMask(bool red, bool green, bool blue, bool alpha);
    void Scissor(GLint x, GLint y, GLsizei width, GLsizei height);
    void Viewport(GLint x, GLint y, GLsizei width, GLsizei height, GLdouble zNear, GLdouble zFar);
    void LightModel(bool localViewer, const Math::Color& ambient);
    // Enables or disables a client array; the texture-coordinate array is the client-active unit's.
    void ClientArray(GLenum array, bool on);
    void VertexPointer(const void* pointer);
    void NormalPointer(const void* pointer);
    void ColorPointer(const void* pointer);
    void TexCoordPointer(const void* pointer);
    // Loads a matrix into GL_MODELVIEW, GL_PROJECTION or GL_TEXTURE (the active unit's).
    void LoadMatrix(GLenum mode, const f32* matrix);

private:
    template <class T>
    struct Known
    {
        T value{};
        bool known = false;
        // Whether the value must be sent; records it as known.
        bool Change(const T& next)
        {
            if (known && value == next)
                return false;
            value = next;
            known = true;
            return true;
        }
    };
    struct Parameters
    {
        GLenum target = 0;
        GLuint name = 0;
        GLint magnification = 0;
        GLint minification = 0;
        GLint wrapS = 0;
        GLint wrapT = 0;
        bool operator==(const Parameters&) const = default;
    };
    // Compared bit for bit, so that a signed zero is loaded as given.
    struct Matrix
    {
        f32 e[16] = {};
        bool operator==(const Matrix& other) const { return std::memcmp(e, other.e, sizeof(e)) == 0; }
    };
    struct Rect
    {
        GLint x = 0, y = 0;
        GLsizei width = 0, height = 0;
        GLdouble zNear = 0.0, zFar = 0.0;
        bool operator==(const Rect&) const = default;
    };

    // Slot of a switch in the tables below; negative for one that is not remembered.
    int SwitchSlot(GLenum capability) const;
    // The slot of the active unit, or of the client-active one; negative when it is unknown or
    // not remembered.
    int UnitSlot() const;
    int ClientUnitSlot() const;

    static constexpr int GlobalSwitches = 20;
    static constexpr int UnitSwitches = 6;
    Known<bool> switches[GlobalSwitches + UnitSwitches * UnitCount];
    Known<u32> activeUnit;
    Known<u32> clientActiveUnit;
    Known<GLuint> bound1D[UnitCount];
    Known<GLuint> bound2D[UnitCount];
    Known<Parameters> parameters;
    Known<GLint> environment[UnitCount];
    Known<Math::Color> color;
    Known<u64> blendFunction;
    Known<GLenum> alphaFunction;
    Known<GLfloat> alphaReference;
    Known<bool> depthMask;
    Known<GLenum> depthFunction;
    Known<GLenum> cullFace;
    Known<GLenum> shadeModel;
    Known<GLenum> polygonMode;
    Known<GLfloat> lineWidth;
    Known<GLfloat> pointSize;
    Known<u32> colorMask;
    Known<Rect> scissor;
    Known<Rect> viewport;
    Known<bool> localViewer;
    Known<Math::Color> ambient;
    Known<bool> arrays[4];
    Known<bool> texCoordArrays[UnitCount];
    Known<const void*> vertexPointer;
    Known<const void*> normalPointer;
    Known<const void*> colorPointer;
    Known<const void*> texCoordPointers[UnitCount];
    Known<GLenum> matrixMode;
    Known<Matrix> modelView;
    Known<Matrix> projection;
    Known<Matrix> textureMatrices[UnitCount];
};
}  // namespace Renderer
