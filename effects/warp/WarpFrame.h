// The GL set-up and restore every grid warp wraps around its mesh: the colour,
// enable, depth and polygon attributes pushed, the unit square as projection,
// and a modelview of a plain step back along z (-0.1), so the mesh lies at eye
// depth -0.55.
//
// NOTE: neither the matrix mode nor the modelview is saved. A warp returns with
// the matrix mode at GL_PROJECTION and the modelview left as the translation;
// the current colour and texture coordinates of the last vertex and the bound
// texture stay too. Layers after it meet that state.
#pragma once

#include <GL/gl.h>

inline constexpr GLbitfield kWarpFrameAttribs =
    GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_DEPTH_BUFFER_BIT | GL_POLYGON_BIT;

// The interference and wobble warps are opaque; the ray-cast warps draw with
// whatever blending the layers before them left.
enum class WarpBlending { Disable, Keep };

void BeginWarpFrame(WarpBlending blending);
// Pops the projection and the attributes; the matrix mode stays GL_PROJECTION.
void EndWarpFrame();
