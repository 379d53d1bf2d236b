// Carried in double precision from single-precision time factors. The
// closeness w is rounded to float once; u and the brightness are both formed
// from the rounded value, not from the double.
#include "effects/warp/Inoop2Effect.h"

#include "effects/warp/GridCentres.h"

#include <algorithm>
#include <cmath>

namespace {

// One object of the class, so its table lives with the module.
ShadedWarpTable* warpTable = nullptr;

constexpr GridWarpScene<ShadedWarpTable> kScene{"INOOP2", "pakje.jpg", FillInoop2Table};

} // namespace

void FillInoop2Table(int timeMs, ShadedWarpTable& table) {
    const double ticks = GridTicks(timeMs);
    const double drift = static_cast<double>(timeMs) * static_cast<double>(0.0033333334f);
    const GridCentre c1 = CentreOne(ticks);
    const GridCentre c2 = CentreTwo(ticks);
    const GridCentre c3 = CentreThree(ticks);
    const double darkening = 0.2f;

    ShadedWarpEntry* entry = table.entries;
    for (int j = 0; j < kWarpRows; ++j) {
        for (int k = 0; k < kWarpColumns; ++k, ++entry) {
            const double dx1 = k - c1.x;
            const double dy1 = j - c1.y;
            const double dx2 = k - c2.x;
            const double dy2 = j - c2.y;
            const double dx3 = k - c3.x;
            const double dy3 = j - c3.y;
            const double d1 = std::sqrt(dx1 * dx1 + dy1 * dy1);
            const double d2 = std::sqrt(dx2 * dx2 + dy2 * dy2);
            const double d3 = std::sqrt(dx3 * dx3 + dy3 * dy3);
            const double closeness = 3000 / (d1 + 1) + 3000 / (d2 + 1) + 3000 / (d3 + 1);
            const float w = static_cast<float>(closeness * 0.006666666666666667);
            entry->u = static_cast<float>(w + drift);
            // NOTE: summed third, first, second; the rounding follows that order.
            entry->v = static_cast<float>(
                std::sin(std::atan2(dy3, dx3) + std::atan2(dy1, dx1) + std::atan2(dy2, dx2)));
            entry->brightness = static_cast<float>(1 - std::min(w * darkening, 1.0));
        }
    }
}

Inoop2Effect::Inoop2Effect() : GridWarpEffect(kScene, warpTable) {}
