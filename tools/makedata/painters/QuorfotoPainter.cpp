// A lake at dusk: a banded sky with stars, streaks of lit cloud and a low sun,
// four ranges of mountains fading into the haze, a line of firs on the far
// shore, and the water mirroring it all with ripples and a glitter path.
// Everything is a function of the point (u right, v down, both 0..1).
#include "tools/makedata/painters/QuorfotoPainter.h"

#include "tools/makedata/SeededRandom.h"
#include "tools/makedata/pictures/Shading.h"
#include "tools/makedata/pictures/ValueNoise.h"

#include <array>
#include <cmath>
#include <memory>

namespace {

constexpr int kSize = 1024;
constexpr double kHorizon = 0.64;
constexpr double kSunU = 0.62;
constexpr double kSunV = 0.47;

struct SkyStop {
    double v;
    Rgb colour;
};

const std::array<SkyStop, 6> kSkyStops = {{
    {0.0, Bytes(6, 8, 34)},
    {0.22, Bytes(34, 22, 80)},
    {0.40, Bytes(112, 44, 112)},
    {0.52, Bytes(222, 100, 96)},
    {0.60, Bytes(255, 170, 110)},
    {kHorizon, Bytes(255, 206, 140)},
}};

Rgb SkyGradient(double v) {
    for (std::size_t i = 1; i < kSkyStops.size(); ++i) {
        if (v < kSkyStops[i].v) {
            const SkyStop& a = kSkyStops[i - 1];
            const SkyStop& b = kSkyStops[i];
            return Mix(a.colour, b.colour, SmoothStep(a.v, b.v, v));
        }
    }
    return kSkyStops.back().colour;
}

double SunDistance(double u, double v) {
    return std::hypot(u - kSunU, v - kSunV);
}

Rgb Stars(double u, double v) {
    constexpr double kCells = 150.0;
    if (v > 0.42) {
        return {};
    }
    const int ci = static_cast<int>(u * kCells);
    const int cj = static_cast<int>(v * kCells);
    if (HashUnit(ci, cj, 3) > 0.16) {
        return {};
    }
    const double sx = (ci + 0.15 + 0.7 * HashUnit(ci, cj, 4)) / kCells;
    const double sy = (cj + 0.15 + 0.7 * HashUnit(ci, cj, 5)) / kCells;
    const double pixels = std::hypot(u - sx, v - sy) * kSize;
    const double brightness = (0.3 + 0.7 * HashUnit(ci, cj, 6)) * SmoothStep(0.42, 0.08, v);
    const double tint = HashUnit(ci, cj, 8);
    const Rgb colour = Mix(Bytes(190, 210, 255), Bytes(255, 230, 200), tint);
    return colour * (brightness * std::exp(-std::pow(pixels / 0.9, 2.0)));
}

Rgb Sky(double u, double v) {
    Rgb colour = SkyGradient(v) + Stars(u, v);
    const double d = SunDistance(u, v);
    colour = colour + Bytes(255, 150, 80) * (0.5 * std::exp(-d * 10.0) + 0.2 * std::exp(-d * 3.0));
    // Long thin clouds, lit from below by the low sun.
    const double band = SmoothStep(0.24, 0.34, v) * SmoothStep(0.58, 0.48, v);
    if (band > 0.0) {
        const double n = FractalNoise(u * 3.0, v * 22.0, 5, 9);
        const double density = SmoothStep(0.5, 0.7, n) * band;
        const double lit = std::exp(-std::abs(u - kSunU) * 2.5) * SmoothStep(0.3, 0.55, v);
        const Rgb cloud = Mix(Bytes(70, 36, 84), Bytes(255, 150, 110), 0.2 + 0.8 * lit);
        colour = Mix(colour, cloud, density * 0.9);
    }
    colour = Mix(colour, Bytes(255, 246, 222), SmoothStep(0.046, 0.042, d));
    return colour;
}

struct Range {
    double base;      // v of the range's foot line
    double amplitude; // how far above it the peaks reach
    double frequency;
    std::uint32_t seed;
    Rgb rock;
    double haze; // how much mist fills its foot
    bool snow;
};

const std::array<Range, 4> kRanges = {{
    {0.628, 0.06, 9.0, 41, Bytes(28, 16, 36), 0.25, false},
    {0.60, 0.08, 6.0, 31, Bytes(62, 34, 74), 0.45, false},
    {0.575, 0.10, 4.0, 21, Bytes(110, 62, 110), 0.6, false},
    {0.54, 0.13, 2.5, 11, Bytes(168, 104, 140), 0.75, true},
}};

double RidgeNoise(const Range& range, double u) {
    const double n = FractalNoise(u * range.frequency, 0.5, 6, range.seed);
    // Hills at the sides close the view around the lake.
    const double sides = range.seed == 41 ? std::pow(std::abs(u - 0.5) * 2.0, 3.0) * 0.14 : 0.0;
    return range.base - range.amplitude * std::pow(n, 1.4) * 1.6 - sides;
}

// The ridge lines, sampled once finely across the picture: each point of the
// picture then reads them instead of summing noise again.
class Ridges {
  public:
    Ridges() {
        for (std::size_t r = 0; r < kRanges.size(); ++r) {
            for (int i = 0; i <= kSteps; ++i) {
                lines_[r][static_cast<std::size_t>(i)] =
                    RidgeNoise(kRanges[r], static_cast<double>(i) / kSteps);
            }
        }
    }

    // v of the range's ridge above u.
    double At(std::size_t range, double u) const {
        const double at = std::clamp(u, 0.0, 1.0) * kSteps;
        const int i = std::min(static_cast<int>(at), kSteps - 1);
        const auto& line = lines_[range];
        const double a = line[static_cast<std::size_t>(i)];
        return a + (line[static_cast<std::size_t>(i + 1)] - a) * (at - i);
    }

  private:
    static constexpr int kSteps = 4 * kSize;
    std::array<std::array<double, kSteps + 1>, kRanges.size()> lines_{};
};

Rgb Mountain(const Ridges& ridges, std::size_t index, double u, double v, double ridge) {
    const Range& range = kRanges[index];
    const double e = 0.002;
    const double slope = ridges.At(index, u + e) - ridges.At(index, u - e);
    const double below = v - ridge;
    // Faces turned to the sun (on the right) catch its light near the crest.
    const double facing =
        std::clamp((u < kSunU ? slope : -slope) * 150.0, -1.0, 1.0) * SmoothStep(0.06, 0.0, below);
    // Slanting strata of rock.
    const double texture = FractalNoise(u * 36.0 + below * 30.0, below * 90.0, 4, range.seed + 5);
    Rgb colour = range.rock * (0.75 + 0.5 * texture + 0.3 * facing);
    if (range.snow) {
        const double line = 0.006 + 0.03 * FractalNoise(u * 50.0, v * 50.0, 3, 77);
        colour = Mix(colour, Bytes(255, 206, 214) * (0.85 + 0.2 * facing),
                     SmoothStep(line, line - 0.004, below));
    }
    const Rgb mist = Bytes(236, 140, 128);
    return Mix(colour, mist, range.haze * SmoothStep(ridge, kHorizon, v));
}

Rgb FarShore(double u, double v, Rgb behind) {
    constexpr double kTrees = 220.0;
    const int k = static_cast<int>(u * kTrees);
    for (int t = k - 1; t <= k + 1; ++t) {
        const double centre = (t + 0.5 + 0.3 * (HashUnit(t, 0, 13) - 0.5)) / kTrees;
        const double height = 0.004 + 0.012 * HashUnit(t, 0, 14);
        const double halfBase = 0.7 / kTrees;
        const double rise = kHorizon - v;
        if (rise >= 0.0 && rise < height * (1.0 - std::abs(u - centre) / halfBase)) {
            return Bytes(18, 10, 26);
        }
    }
    return behind;
}

Rgb AboveWater(const Ridges& ridges, double u, double v) {
    for (std::size_t index = 0; index < kRanges.size(); ++index) {
        const double ridge = ridges.At(index, u);
        if (v > ridge) {
            return FarShore(u, v, Mountain(ridges, index, u, v, ridge));
        }
    }
    return FarShore(u, v, Sky(u, v));
}

Rgb Water(const Ridges& ridges, double u, double v) {
    const double depth = (v - kHorizon) / (1.0 - kHorizon);
    const double waves = FractalNoise(u * 6.0, v * 160.0 / (0.3 + depth), 3, 51) - 0.5;
    const double mirrored = 2.0 * kHorizon - v + waves * 0.012 * (0.2 + depth);
    Rgb colour =
        AboveWater(ridges, u + waves * 0.01 * depth, std::min(mirrored, kHorizon - 1e-6)) * 0.7;
    colour = colour * (0.9 + 0.35 * waves);
    colour = Mix(colour, Bytes(8, 12, 36), 0.55 * depth);
    // The sun's path across the water, widening towards the viewer.
    const double width = 0.015 + 0.1 * depth;
    const double path = std::exp(-std::pow((u - kSunU) / width, 2.0));
    const double sparkle = SmoothStep(0.72, 0.9, ValueNoise(u * 260.0, v * 1400.0, 61));
    colour = colour + Bytes(255, 200, 140) * (path * sparkle * 0.9);
    // A soft line where the water meets the far shore.
    return Mix(colour, Bytes(255, 190, 150), 0.3 * SmoothStep(0.004, 0.0, v - kHorizon));
}

} // namespace

PictureCanvas PaintQuorfoto(const MakeDataInputs&) {
    const auto ridges = std::make_unique<Ridges>();
    PictureCanvas canvas(kSize, kSize);
    canvas.Fill(2, [&](double x, double y) {
        const double u = x / kSize;
        const double v = y / kSize;
        return v < kHorizon ? AboveWater(*ridges, u, v) : Water(*ridges, u, v);
    });
    return canvas;
}
