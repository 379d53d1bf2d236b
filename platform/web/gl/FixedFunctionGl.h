// Our GL 1.1 subset over WebGL 2: every entry point the show calls (the
// effects' immediate mode, matrices, blending, depth, texture environment,
// attribute stack; the host's clears, masks, viewport and textures) is
// defined with GL's own name and reaches WebGL through emscripten's
// emscripten_gl* calls. Immediate-mode quads are transformed as they come
// and gathered until the state they are drawn with changes.
#pragma once

#include <cstdint>
#include <span>

// Draws what is gathered; the canvas surface calls it before a frame is shown
// or read back.
void FlushFixedFunctionGl();

// The drawing buffer's pixels in x, y, width, height as RGB8, bottom row
// first (rgb holds width * height * 3 bytes).
void ReadCanvasPixels(int x, int y, int width, int height, std::span<std::uint8_t> rgb);
