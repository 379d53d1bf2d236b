// Reads GL state back after an effect has drawn, for the render tests that
// check what a layer leaves to the layers after it.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstddef>

using GlMatrix = std::array<GLfloat, 16>;

// One integer of state; unread is what comes back if the GL writes nothing.
inline GLint GlInteger(GLenum name, GLint unread = 0) {
    GLint value = unread;
    glGetIntegerv(name, &value);
    return value;
}

// N floats of state: a matrix, a colour.
template <std::size_t N> std::array<GLfloat, N> GlFloats(GLenum name) {
    std::array<GLfloat, N> values{};
    glGetFloatv(name, values.data());
    return values;
}

inline GlMatrix ProjectionMatrix() {
    return GlFloats<16>(GL_PROJECTION_MATRIX);
}

// The modelview a grid warp or the carrot wheel leaves: a plain step back
// along z.
inline constexpr GlMatrix kSteppedBackModelview{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -0.1f, 1};

// After a grid warp: projection mode, the modelview stepped back, the
// projection as it was found, blending on or off as expected, texturing off and
// no GL error.
inline void ExpectStateAfterGridWarp(const GlMatrix& projectionBefore, bool blending) {
    EXPECT_EQ(GlInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(GlFloats<16>(GL_MODELVIEW_MATRIX), kSteppedBackModelview);
    EXPECT_EQ(ProjectionMatrix(), projectionBefore);
    EXPECT_EQ(glIsEnabled(GL_BLEND), blending ? GL_TRUE : GL_FALSE);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
