// Small helpers the painters share for shading shapes.
#pragma once

#include <algorithm>
#include <cmath>

// 0 at edge0, 1 at edge1, smooth in between (edge0 > edge1 reverses it).
inline double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// x modulo period, in [0, period).
inline double Mod(double x, double period) {
    const double m = std::fmod(x, period);
    return m < 0.0 ? m + period : m;
}

// The shortest offset from b to a on a circle of the given period.
inline double WrappedOffset(double a, double b, double period) {
    return Mod(a - b + period * 0.5, period) - period * 0.5;
}

inline constexpr double kPi = 3.14159265358979323846;
