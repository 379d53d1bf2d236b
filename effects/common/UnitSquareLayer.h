// The drawing frame of the flat picture layers: save what the layer changes,
// look at the unit square (x and y from 0 to 1), draw one textured quad, and
// give the projection and attributes back.
//
// NOTE: the matrix mode is not saved; a layer returns with it at GL_PROJECTION.
// The modelview matrix is neither set nor saved: the quad is drawn under
// whatever modelview an earlier layer left.
#pragma once

#include <GL/gl.h>

// Current colour, enables, blending and texture state: everything a picture
// layer touches.
inline constexpr GLbitfield kPictureLayerAttribs =
    GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TEXTURE_BIT;

// glPushAttrib(mask), then PushUnitSquareProjection.
void BeginUnitSquareLayer(GLbitfield attribMask);

// Matrix mode GL_PROJECTION, the projection pushed and replaced by the unit
// square. For layers that set more state between the attribute push and this,
// and for the grid warps, which push their own attributes.
void PushUnitSquareProjection();

// The picture mapped whole onto the rectangle: texture (0, 0) at (left, bottom)
// and (1, 1) at (right, top), corners bottom-left, top-left, top-right,
// bottom-right.
void DrawPictureQuad(GLfloat left, GLfloat bottom, GLfloat right, GLfloat top);

// glPopMatrix of the projection, then glPopAttrib.
void EndUnitSquareLayer();
