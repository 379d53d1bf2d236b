// The page's canvas as the show's surface: WebGL 2 without antialiasing or an
// alpha channel, the drawing buffer kept so a still frame can be read back.
// The canvas fills the window; the 4:3 picture sits centred between black bars.
#pragma once

#include "platform/host/gl/Surface.h"

#include <memory>
#include <string>

// Null with *error (one line) when the browser gives no WebGL 2 context.
std::unique_ptr<Surface> CreateCanvasSurface(std::string* error);
