// Where the show's 4:3 picture sits in a window or on a screen of any size.
#pragma once

#include "platform/host/gl/Surface.h"

// The largest 4:3 area centred in width x height (black bars around it), or
// the whole of it when stretch is set.
Viewport LayOutDrawingArea(int width, int height, bool stretch);
