// The page's canvas as the show's surface: WebGL 2 without antialiasing or an
// alpha channel; a still frame's drawing buffer is kept to be read back.
// The canvas is the 4:3 picture alone, centred in the window by the page's
// style (the bars around it are the page's, and cost no fill); its drawing
// buffer follows the canvas's size in device pixels, within what a picture
// can show (a device pixel ratio of 2, 2560x1920), unless a recording holds
// it at the recording's size. The viewer's pause comes
// from the page as the surface's pause key.
#pragma once

#include "platform/host/gl/Surface.h"

#include <memory>
#include <string>

enum class CanvasResolution {
    Full,     // every frame at the full size (a still frame)
    Adaptive, // lowered while frames come slowly, never below 640x480
};

// A recording's picture: the canvas holds width x height whatever the window's
// size, until it is given 0 x 0 and follows the window again. `canvas` is one
// CreateCanvasSurface made.
void HoldCanvasSize(Surface& canvas, int width, int height);

// Null with *error (one line) when the browser gives no WebGL 2 context.
std::unique_ptr<Surface> CreateCanvasSurface(CanvasResolution resolution, std::string* error);
