// The wide-angle lens of the ray-cast warps: per grid vertex, in warp table
// order, half the distance of the vertex's view direction from the view axis
// (0 at the centre, 100 at the corners). Subtracted from the ray's depth, it
// spreads the rays over a wide field without a square root per ray per frame.
#pragma once

#include "effects/warp/WarpTable.h"

struct LensTable {
    float entries[kWarpVertexCount];
};

static_assert(sizeof(LensTable) == 19764, "one float per vertex");

// The table at the start of a fresh block of twice its size. Null when the
// block cannot be had, after one line on stderr naming the effect.
LensTable* AllocateLensTable(const char* effectName);

void FillLensTable(LensTable& table);
