// The code tables and their fallbacks: no code reaches OpenGL as an invalid enumerant.
#include "renderer/Internal_GLCodes.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

using namespace Renderer;

TEST(GLCodesTest, CompareFunctionsFallBackToNever)
{
    const u32 expected[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_GEQUAL, GL_NOTEQUAL, GL_ALWAYS};
    for (u32 code = 0; code < 8; ++code)
    {
        EXPECT_EQ(ToGLCompare(code), expected[code]) << code;
    }
    EXPECT_EQ(ToGLCompare(8), static_cast<u32>(GL_NEVER));
}

TEST(GLCodesTest, StencilOperationsFallBackToKeep)
{
    const u32 expected[] = {GL_KEEP, GL_ZERO, GL_REPLACE, GL_INCR, GL_DECR, GL_INVERT};
    for (u32 code = 0; code < 6; ++code)
    {
        EXPECT_EQ(ToGLStencilOperation(code), expected[code]) << code;
    }
    EXPECT_EQ(ToGLStencilOperation(6), static_cast<u32>(GL_KEEP));
}

TEST(GLCodesTest, BlendFactorsFallBackToZero)
{
    const u32 expected[] = {GL_ZERO,          GL_ONE,           GL_SRC_COLOR,           GL_ONE_MINUS_SRC_COLOR,
                            GL_DST_COLOR,     GL_ONE_MINUS_DST_COLOR, GL_SRC_ALPHA,     GL_ONE_MINUS_SRC_ALPHA,
                            GL_DST_ALPHA,     GL_ONE_MINUS_DST_ALPHA, GL_SRC_ALPHA_SATURATE};
    for (u32 code = 0; code < 11; ++code)
    {
        EXPECT_EQ(ToGLBlendFactor(code), expected[code]) << code;
    }
    EXPECT_EQ(ToGLBlendFactor(11), static_cast<u32>(GL_ZERO));
}

TEST(GLCodesTest, TextureCodes)
{
    EXPECT_EQ(ToGLEnvironmentMode(0), static_cast<u32>(GL_REPLACE));
    EXPECT_EQ(ToGLEnvironmentMode(1), static_cast<u32>(GL_DECAL));
    EXPECT_EQ(ToGLEnvironmentMode(2), static_cast<u32>(GL_MODULATE));
    EXPECT_EQ(ToGLEnvironmentMode(9), static_cast<u32>(GL_BLEND));
    EXPECT_EQ(ToGLWrap(0), static_cast<u32>(GL_REPEAT));
    EXPECT_EQ(ToGLWrap(1), static_cast<u32>(GL_CLAMP));
    EXPECT_EQ(ToGLWrap(2), static_cast<u32>(GL_CLAMP_TO_EDGE));
    EXPECT_EQ(ToGLWrap(3), static_cast<u32>(GL_CLAMP_TO_BORDER));
    EXPECT_EQ(ToGLWrap(4), static_cast<u32>(GL_CLAMP));
    EXPECT_EQ(ToGLMagnificationFilter(1), static_cast<u32>(GL_LINEAR));
    EXPECT_EQ(ToGLMagnificationFilter(5), static_cast<u32>(GL_NEAREST));
    EXPECT_EQ(ToGLMinificationFilter(0, true), static_cast<u32>(GL_NEAREST_MIPMAP_NEAREST));
    EXPECT_EQ(ToGLMinificationFilter(1, true), static_cast<u32>(GL_LINEAR_MIPMAP_LINEAR));
    EXPECT_EQ(ToGLMinificationFilter(1, false), static_cast<u32>(GL_LINEAR));
    EXPECT_EQ(ToGLMinificationFilter(2, true), static_cast<u32>(GL_NEAREST));
}

TEST(GLCodesTest, PrimitiveAndRasterModes)
{
    EXPECT_EQ(ToGLPrimitive(Primitive::TriangleFan), static_cast<u32>(GL_TRIANGLE_FAN));
    EXPECT_EQ(ToGLPrimitive(3), 0u);
    EXPECT_EQ(ToGLFogMode(0), static_cast<u32>(GL_LINEAR));
    EXPECT_EQ(ToGLFogMode(1), static_cast<u32>(GL_EXP));
    EXPECT_EQ(ToGLFogMode(7), static_cast<u32>(GL_EXP2));
    EXPECT_EQ(ToGLFillMode(0), static_cast<u32>(GL_POINT));
    EXPECT_EQ(ToGLFillMode(1), static_cast<u32>(GL_LINE));
    EXPECT_EQ(ToGLFillMode(5), static_cast<u32>(GL_FILL));
    EXPECT_EQ(ToGLShadeMode(1), static_cast<u32>(GL_SMOOTH));
    EXPECT_EQ(ToGLShadeMode(2), static_cast<u32>(GL_FLAT));
    EXPECT_EQ(ToGLCullFace(0), static_cast<u32>(GL_BACK));
    EXPECT_EQ(ToGLCullFace(3), static_cast<u32>(GL_FRONT));
}
