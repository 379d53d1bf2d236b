// "INOOP2": the picture folded around three centres that wander over the grid.
// Near all three the horizontal texture coordinate grows and the picture goes
// dark; the vertical one follows the sum of the directions to the centres.
#pragma once

#include "effects/warp/GridWarpEffect.h"

class Inoop2Effect : public GridWarpEffect<ShadedWarpTable> {
  public:
    Inoop2Effect();
};

// Rewrites every entry from the demo time alone.
void FillInoop2Table(int timeMs, ShadedWarpTable& table);
