// The picture drawn through the grid as 80 x 60 textured quads over the unit
// square, at depth -0.45. Each quad is a glBegin/glEnd pair of its own, corners
// counter-clockwise from the bottom-left: (k, j), (k + 1, j), (k + 1, j + 1),
// (k, j + 1). Texture coordinates go to the GL as the table holds them.
//
// Called inside the warp frame, after the whole table is filled. Neither
// drawing sets the texture environment: brightness and current colour reach
// the picture through the modulate mode.
#pragma once

#include "effects/warp/WarpTable.h"

// Every corner sends its grey, then its texture coordinates, then its position.
void DrawWarpMesh(unsigned int texture, const ShadedWarpTable& table);

// Also turns blending off. No colour is sent: the whole mesh takes the colour
// current when it begins, so an earlier layer's last colour tints it.
void DrawWarpMeshUnshaded(unsigned int texture, const UnshadedWarpTable& table);
