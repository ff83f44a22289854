#include "renderer/Internal_OGLRendererDevice.h"

#include "renderer/Internal_GLExtensions.h"

namespace Renderer
{
namespace
{
// The switches remembered for the whole context, in slot order.
constexpr GLenum GlobalCapabilities[] = {
    GL_NORMALIZE,    GL_LIGHTING,     GL_DITHER,       GL_POLYGON_OFFSET_FILL, GL_STENCIL_TEST,
    GL_DEPTH_TEST,   GL_FOG,          GL_CULL_FACE,    GL_ALPHA_TEST,          GL_BLEND,
    GL_SCISSOR_TEST, GL_LINE_STIPPLE, GL_LIGHT0,       GL_LIGHT1,              GL_LIGHT2,
    GL_LIGHT3,       GL_LIGHT4,       GL_LIGHT5,       GL_LIGHT6,              GL_LIGHT7};
// The switches each texture unit has, in slot order.
constexpr GLenum UnitCapabilities[] = {GL_TEXTURE_1D,    GL_TEXTURE_2D,    GL_TEXTURE_GEN_S,
                                       GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q};
constexpr GLenum GlobalArrays[] = {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY, GL_SECONDARY_COLOR_ARRAY_EXT};
}  // namespace

static_assert(sizeof(GlobalCapabilities) / sizeof(GLenum) == 20);
static_assert(sizeof(UnitCapabilities) / sizeof(GLenum) == 6);

void OGLDevice::ForgetTextures()
{
    for (u32 unit = 0; unit < UnitCount; ++unit)
    {
        bound1D[unit].known = false;
        bound2D[unit].known = false;
    }
    parameters.known = false;
}

int OGLDevice::UnitSlot() const
{
    return activeUnit.known && activeUnit.value < UnitCount ? static_cast<int>(activeUnit.value) : -1;
}

int OGLDevice::ClientUnitSlot() const
{
    return clientActiveUnit.known && clientActiveUnit.value < UnitCount ? static_cast<int>(clientActiveUnit.value)
                                                                        : -1;
}

int OGLDevice::SwitchSlot(GLenum capability) const
{
    for (int i = 0; i < GlobalSwitches; ++i)
    {
        if (GlobalCapabilities[i] == capability)
            return i;
    }
    const int unit = UnitSlot();
    for (int i = 0; i < UnitSwitches; ++i)
    {
        if (UnitCapabilities[i] == capability)
            return unit < 0 ? -1 : GlobalSwitches + unit * UnitSwitches + i;
    }
    return -1;
}

void OGLDevice::Switch(GLenum capability, bool on)
{
    const int slot = SwitchSlot(capability);
    if (slot >= 0 && !switches[slot].Change(on))
        return;
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void OGLDevice::ActiveTexture(u32 unit)
{
    if (activeUnit.Change(unit))
        GetGLEntryPoints().activeTexture(GL_TEXTURE0_ARB + unit);
}

void OGLDevice::ClientActiveTexture(u32 unit)
{
    if (clientActiveUnit.Change(unit))
        GetGLEntryPoints().clientActiveTexture(GL_TEXTURE0_ARB + unit);
}

void OGLDevice::BindTexture(GLenum target, GLuint name)
{
    const int unit = UnitSlot();
    if (unit >= 0 && !(target == GL_TEXTURE_1D ? bound1D : bound2D)[unit].Change(name))
        return;
    glBindTexture(target, name);
}

void OGLDevice::TextureParameters(GLenum target, GLint magnification, GLint minification, GLint wrapS, GLint wrapT)
{
    const int unit = UnitSlot();
    const Known<GLuint>* binding = unit < 0 ? nullptr : &(target == GL_TEXTURE_1D ? bound1D : bound2D)[unit];
    const Parameters before = parameters.value;
    const bool bindingKnown = binding && binding->known;
    const GLuint name = bindingKnown ? binding->value : 0u;
    const bool known = bindingKnown && parameters.known && before.target == target && before.name == name;
    parameters.value = Parameters{target, name, magnification, minification, wrapS, wrapT};
    parameters.known = bindingKnown;
    if (!known || before.magnification != magnification)
        glTexParameteri(target, GL_TEXTURE_MAG_FILTER, magnification);
    if (!known || before.minification != minification)
        glTexParameteri(target, GL_TEXTURE_MIN_FILTER, minification);
    if (!known || before.wrapS != wrapS)
        glTexParameteri(target, GL_TEXTURE_WRAP_S, wrapS);
    if (target == GL_TEXTURE_2D && (!known || before.wrapT != wrapT))
        glTexParameteri(target, GL_TEXTURE_WRAP_T, wrapT);
}

bool OGLDevice::Unit0TextureReadsNoBorder() const
{
    const auto noBorder = [](GLint wrap) { return wrap == GL_REPEAT || wrap == GL_CLAMP_TO_EDGE; };
    const Parameters& sent = parameters.value;
    return parameters.known && bound2D[0].known && sent.target == GL_TEXTURE_2D && sent.name == bound2D[0].value &&
           sent.name != 0 && noBorder(sent.wrapS) && noBorder(sent.wrapT);
}

void OGLDevice::TextureEnvironment(GLint mode)
{
    const int unit = UnitSlot();
    if (unit >= 0 && !environment[unit].Change(mode))
        return;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
}

void OGLDevice::Unit0Environment(GLint mode)
{
    // Without a known active unit nothing was ever selected, so unit 0 is the one OpenGL has active.
    if (!activeUnit.known)
    {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
        return;
    }
    if (!environment[0].Change(mode))
        return;
    const u32 active = activeUnit.value;
    if (active != 0)
        GetGLEntryPoints().activeTexture(GL_TEXTURE0_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, mode);
    if (active != 0)
        GetGLEntryPoints().activeTexture(GL_TEXTURE0_ARB + active);
}

void OGLDevice::Color(const Math::Color& value)
{
    if (color.Change(value))
        glColor4f(value.r, value.g, value.b, value.a);
}

void OGLDevice::BlendFunction(GLenum source, GLenum destination)
{
    if (blendFunction.Change((static_cast<u64>(source) << 32) | destination))
        glBlendFunc(source, destination);
}

void OGLDevice::AlphaFunction(GLenum function, GLfloat reference)
{
    const bool changed = alphaFunction.Change(function);
    if (alphaReference.Change(reference) || changed)
        glAlphaFunc(function, reference);
}

void OGLDevice::DepthMask(bool on)
{
    if (depthMask.Change(on))
        glDepthMask(on ? GL_TRUE : GL_FALSE);
}

void OGLDevice::DepthFunction(GLenum function)
{
    if (depthFunction.Change(function))
        glDepthFunc(function);
}

void OGLDevice::CullFace(GLenum face)
{
    if (cullFace.Change(face))
        glCullFace(face);
}

void OGLDevice::ShadeModel(GLenum mode)
{
    if (shadeModel.Change(mode))
        glShadeModel(mode);
}

void OGLDevice::PolygonMode(GLenum mode)
{
    if (polygonMode.Change(mode))
        glPolygonMode(GL_FRONT_AND_BACK, mode);
}

void OGLDevice::LineWidth(GLfloat width)
{
    if (lineWidth.Change(width))
        glLineWidth(width);
}

void OGLDevice::PointSize(GLfloat size)
{
    if (pointSize.Change(size))
        glPointSize(size);
}

void OGLDevice::ColorMask(bool red, bool green, bool blue, bool alpha)
{
    const u32 mask = (red ? 1u : 0u) | (green ? 2u : 0u) | (blue ? 4u : 0u) | (alpha ? 8u : 0u);
    if (colorMask.Change(mask))
        glColorMask(red ? GL_TRUE : GL_FALSE, green ? GL_TRUE : GL_FALSE, blue ? GL_TRUE : GL_FALSE,
                    alpha ? GL_TRUE : GL_FALSE);
}

void OGLDevice::Scissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    if (scissor.Change(Rect{x, y, width, height, 0.0, 0.0}))
        glScissor(x, y, width, height);
}

void OGLDevice::Viewport(GLint x, GLint y, GLsizei width, GLsizei height, GLdouble zNear, GLdouble zFar)
{
    // OpenGL refuses a negative size and keeps its rectangle: such a rectangle is never recorded.
    if (width < 0 || height < 0)
    {
        viewport.known = false;
        glViewport(x, y, width, height);
        glDepthRange(zNear, zFar);
        return;
    }
    const Rect before = viewport.value;
    const bool known = viewport.known;
    if (!viewport.Change(Rect{x, y, width, height, zNear, zFar}))
        return;
    if (!known || before.x != x || before.y != y || before.width != width || before.height != height)
        glViewport(x, y, width, height);
    if (!known || before.zNear != zNear || before.zFar != zFar)
        glDepthRange(zNear, zFar);
}

void OGLDevice::LightModel(bool viewer, const Math::Color& value)
{
    if (localViewer.Change(viewer))
        glLightModelf(GL_LIGHT_MODEL_LOCAL_VIEWER, viewer ? 1.0f : 0.0f);
    if (ambient.Change(value))
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, &value.r);
}

void OGLDevice::ClientArray(GLenum array, bool on)
{
    Known<bool>* record = nullptr;
    if (array == GL_TEXTURE_COORD_ARRAY)
    {
        const int unit = ClientUnitSlot();
        record = unit >= 0 ? &texCoordArrays[unit] : nullptr;
    }
    for (int i = 0; i < 4; ++i)
    {
        if (GlobalArrays[i] == array)
            record = &arrays[i];
    }
    if (record && !record->Change(on))
        return;
    if (on)
        glEnableClientState(array);
    else
        glDisableClientState(array);
}

void OGLDevice::VertexPointer(const void* pointer)
{
    if (vertexPointer.Change(pointer))
        glVertexPointer(3, GL_FLOAT, 0, pointer);
}

void OGLDevice::NormalPointer(const void* pointer)
{
    if (normalPointer.Change(pointer))
        glNormalPointer(GL_FLOAT, 0, pointer);
}

void OGLDevice::ColorPointer(const void* pointer)
{
    if (colorPointer.Change(pointer))
        glColorPointer(4, GL_FLOAT, 0, pointer);
}

void OGLDevice::TexCoordPointer(const void* pointer)
{
    const int unit = ClientUnitSlot();
    if (unit >= 0 && !texCoordPointers[unit].Change(pointer))
        return;
    glTexCoordPointer(2, GL_FLOAT, 0, pointer);
}

void OGLDevice::LoadMatrix(GLenum mode, const f32* matrix)
{
    Known<Matrix>* record = nullptr;
    if (mode == GL_MODELVIEW)
        record = &modelView;
    else if (mode == GL_PROJECTION)
        record = &projection;
    else if (const int unit = UnitSlot(); unit >= 0)
        record = &textureMatrices[unit];
    Matrix next;
    std::memcpy(next.e, matrix, sizeof(next.e));
    if (record && !record->Change(next))
        return;
    if (matrixMode.Change(mode))
        glMatrixMode(mode);
    glLoadMatrixf(matrix);
}
}  // namespace Renderer
