// "WOBBEL": the picture laid out in rings around two wandering centres, each
// vertex sampling the grid at a point pushed about by a travelling wobble. It
// sets no colour: the picture takes whatever colour the GL holds.
#pragma once

#include "effects/warp/GridWarpEffect.h"

class WobbelEffect : public GridWarpEffect<UnshadedWarpTable> {
  public:
    WobbelEffect();
};

// Rewrites every entry from the demo time alone.
void FillWobbelTable(int timeMs, UnshadedWarpTable& table);
