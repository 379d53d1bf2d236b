#include "effects/warp/Inoop4Effect.h"

namespace {

// One object of the class, so its tables live with the module.
RayCastTables tables;

constexpr RayCastScene kScene{"INOOP4", "Dralm.jpg", RayCastSurfaces::Tunnel};

} // namespace

Inoop4Effect::Inoop4Effect() : RayCastWarpEffect(kScene, tables) {}
