#include "tools/makedata/pictures/ValueNoise.h"

#include "tools/makedata/SeededRandom.h"

#include <cmath>

namespace {

double Fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

int Wrap(int i, int period) {
    if (period <= 0) {
        return i;
    }
    const int m = i % period;
    return m < 0 ? m + period : m;
}

} // namespace

double ValueNoise(double x, double y, std::uint32_t seed, int periodX, int periodY) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = Fade(x - fx);
    const double ty = Fade(y - fy);
    const int x0 = Wrap(ix, periodX);
    const int x1 = Wrap(ix + 1, periodX);
    const int y0 = Wrap(iy, periodY);
    const int y1 = Wrap(iy + 1, periodY);
    const double top =
        HashUnit(x0, y0, seed) + (HashUnit(x1, y0, seed) - HashUnit(x0, y0, seed)) * tx;
    const double bottom =
        HashUnit(x0, y1, seed) + (HashUnit(x1, y1, seed) - HashUnit(x0, y1, seed)) * tx;
    return top + (bottom - top) * ty;
}

double FractalNoise(double x, double y, int octaves, std::uint32_t seed, int periodX, int periodY) {
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight *
               ValueNoise(x, y, seed + static_cast<std::uint32_t>(octave) * 101u, periodX, periodY);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        periodX *= 2;
        periodY *= 2;
        weight *= 0.5;
    }
    return sum / total;
}
