// u and v are distances from the wobbled sample point to the two centres,
// carried in double precision and rounded to float where they are stored.
#include "effects/warp/WobbelEffect.h"

#include <cmath>

namespace {

// One object of the class, so its table lives with the module.
UnshadedWarpTable* warpTable = nullptr;

constexpr GridWarpScene<UnshadedWarpTable> kScene{"WOBBEL", "Snoep.jpg", FillWobbelTable};

// The same paths as the first two centres of "INOOP2": rates 3.14159 / 100,
// / 80, / 90 and / 110.
constexpr double kCentreOneXRate = 0.0314159;
constexpr double kCentreOneYRate = 0.039269874999999996;
constexpr double kCentreTwoXRate = 0.03490655555555555;
constexpr double kCentreTwoYRate = 0.02855990909090909;

// 3.14159 / 30: one wave spans 60 ticks, or 60 grid units.
constexpr double kWobbleRate = 0.10471966666666667;
constexpr double kWobbleAmplitude = 6; // grid units
constexpr double kRingScale = 0.02;

} // namespace

void FillWobbelTable(int timeMs, UnshadedWarpTable& table) {
    const double ticks = static_cast<double>(timeMs) * static_cast<double>(0.033333335f);
    const double x1 = 40 + 40 * std::sin(kCentreOneXRate * ticks);
    const double y1 = 30 + 30 * std::cos(kCentreOneYRate * ticks);
    const double x2 = 40 + 40 * std::cos(kCentreTwoXRate * ticks);
    const double y2 = 30 + 30 * std::sin(kCentreTwoYRate * ticks);

    UnshadedWarpEntry* entry = table.entries;
    for (int j = 0; j < kWarpRows; ++j) {
        // Rows shift sideways, columns up and down.
        const double rowShift = kWobbleAmplitude * std::cos((ticks + j) * kWobbleRate);
        for (int k = 0; k < kWarpColumns; ++k, ++entry) {
            const double sx = k + rowShift;
            const double sy = j + kWobbleAmplitude * std::sin((ticks + k) * kWobbleRate);
            const double ex1 = sx - x1;
            const double ey1 = sy - y1;
            const double ex2 = sx - x2;
            const double ey2 = sy - y2;
            entry->u = static_cast<float>(kRingScale * std::sqrt(ex1 * ex1 + ey1 * ey1));
            entry->v = static_cast<float>(kRingScale * std::sqrt(ex2 * ex2 + ey2 * ey2));
        }
    }
}

WobbelEffect::WobbelEffect() : GridWarpEffect(kScene, warpTable) {}
