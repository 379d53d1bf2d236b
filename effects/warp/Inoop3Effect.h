// "INOOP3": the ray-cast warp between two parallel planes, y = +-2000, one
// above and one below the eye.
#pragma once

#include "effects/warp/RayCastWarpEffect.h"

class Inoop3Effect : public RayCastWarpEffect {
  public:
    Inoop3Effect();
};
