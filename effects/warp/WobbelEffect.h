// "WOBBEL": the picture laid out in rings around two wandering centres, each
// vertex sampling the grid at a point pushed about by a travelling wobble. It
// sets no colour: the picture takes whatever colour the GL holds.
#pragma once

#include "effects/warp/GridWarpEffect.h"

class WobbelEffect : public GridWarpEffect<UnshadedWarpTable> {
  public:
    WobbelEffect();
};

// The travelling wobble: one wave spans 60 ticks, or 60 grid units (a rate
// of 3.14159 / 30), and pushes the sample point up to 6 grid units.
inline constexpr double kWobbleRate = 0.10471966666666667;
inline constexpr double kWobbleAmplitude = 6; // grid units

// Rewrites every entry from the demo time alone.
void FillWobbelTable(int timeMs, UnshadedWarpTable& table);
