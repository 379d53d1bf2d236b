// "INOOP4": the ray-cast warp in a square tunnel, the planes y = +-2000 and
// x = +-2000; each ray shows whichever it meets first.
#pragma once

#include "effects/warp/RayCastWarpEffect.h"

class Inoop4Effect : public RayCastWarpEffect {
  public:
    Inoop4Effect();
};
