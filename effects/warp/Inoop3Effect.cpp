#include "effects/warp/Inoop3Effect.h"

namespace {

// One object of the class, so its tables live with the module.
RayCastTables tables;

constexpr RayCastScene kScene{"INOOP3", "boek.jpg", RayCastSurfaces::Planes};

} // namespace

Inoop3Effect::Inoop3Effect() : RayCastWarpEffect(kScene, tables) {}
