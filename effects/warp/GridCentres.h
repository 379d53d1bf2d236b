// The demo time as the grid warps count it, and the slow paths their centres
// wander over the grid: "INOOP2" follows all three, "WOBBEL" the first two.
#pragma once

#include <cmath>

// 30 ticks a second, from the single-precision factor.
inline double GridTicks(int timeMs) {
    return static_cast<double>(timeMs) * static_cast<double>(0.033333335f);
}

struct GridCentre {
    double x; // in columns
    double y; // in rows
};

// The rates are 3.14159 / 100, / 80, / 90, / 110, / 85, / 70 a tick.
inline GridCentre CentreOne(double ticks) {
    return {40 + 40 * std::sin(0.0314159 * ticks),
            30 + 30 * std::cos(0.039269874999999996 * ticks)};
}
inline GridCentre CentreTwo(double ticks) {
    return {40 + 40 * std::cos(0.03490655555555555 * ticks),
            30 + 30 * std::sin(0.02855990909090909 * ticks)};
}
inline GridCentre CentreThree(double ticks) {
    return {40 + 40 * std::cos(0.036959882352941176 * ticks),
            30 + 30 * std::sin(0.04487985714285714 * ticks)};
}
