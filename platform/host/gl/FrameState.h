// The GL state every frame starts from, so that a frame is a function of its
// demo time alone: seeking and capture give the same picture as playing.
#pragma once

#include "platform/host/gl/Surface.h"

// Viewport on the drawing area, identity matrices with the modelview current,
// white colour, modulate, blending, depth test and texturing off, the default
// blend and depth functions, no texture bound; then the whole frame buffer
// cleared to black and depth 1.
void ResetFrameState(const Viewport& drawingArea);
