// u and v are distances from the wobbled sample point to the two centres,
// carried in double precision and rounded to float where they are stored.
#include "effects/warp/WobbelEffect.h"

#include "effects/warp/GridCentres.h"

#include <cmath>

namespace {

// One object of the class, so its table lives with the module.
UnshadedWarpTable* warpTable = nullptr;

constexpr GridWarpScene<UnshadedWarpTable> kScene{"WOBBEL", "Snoep.jpg", FillWobbelTable};

constexpr double kRingScale = 0.02;

} // namespace

void FillWobbelTable(int timeMs, UnshadedWarpTable& table) {
    const double ticks = GridTicks(timeMs);
    const GridCentre c1 = CentreOne(ticks);
    const GridCentre c2 = CentreTwo(ticks);

    UnshadedWarpEntry* entry = table.entries;
    for (int j = 0; j < kWarpRows; ++j) {
        // Rows shift sideways, columns up and down.
        const double rowShift = kWobbleAmplitude * std::cos((ticks + j) * kWobbleRate);
        for (int k = 0; k < kWarpColumns; ++k, ++entry) {
            const double sx = k + rowShift;
            const double sy = j + kWobbleAmplitude * std::sin((ticks + k) * kWobbleRate);
            const double ex1 = sx - c1.x;
            const double ey1 = sy - c1.y;
            const double ex2 = sx - c2.x;
            const double ey2 = sy - c2.y;
            entry->u = static_cast<float>(kRingScale * std::sqrt(ex1 * ex1 + ey1 * ey1));
            entry->v = static_cast<float>(kRingScale * std::sqrt(ex2 * ex2 + ey2 * ey2));
        }
    }
}

WobbelEffect::WobbelEffect() : GridWarpEffect(kScene, warpTable) {}
