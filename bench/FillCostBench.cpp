// What each grid warp's table fill costs per vertex against the libm calls it
// cannot avoid. Every iteration runs the fill and then a pass that makes only
// the fill's libm calls, on the same arguments at the same demo time, so both
// see the same machine load; the ratio of the two is the figure.
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/LensTable.h"
#include "effects/warp/RayCastWarpEffect.h"
#include "effects/warp/TrigTables.h"
#include "effects/warp/WobbelEffect.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <memory>

namespace {

using Clock = std::chrono::steady_clock;

// The fill's own rates, so the libm calls see its arguments.
constexpr double kTicksPerMs = static_cast<double>(0.033333335f);
constexpr double kCentreOneXRate = 0.0314159;
constexpr double kCentreOneYRate = 0.039269874999999996;
constexpr double kCentreTwoXRate = 0.03490655555555555;
constexpr double kCentreTwoYRate = 0.02855990909090909;
constexpr double kCentreThreeXRate = 0.036959882352941176;
constexpr double kCentreThreeYRate = 0.04487985714285714;
constexpr double kWobbleRate = 0.10471966666666667;

double Distance(double dx, double dy) {
    const double d = std::sqrt(dx * dx + dy * dy);
    benchmark::DoNotOptimize(d);
    return d;
}

double Direction(double dy, double dx) {
    const double a = std::atan2(dy, dx);
    benchmark::DoNotOptimize(a);
    return a;
}

// Per frame three sines and three cosines place the centres; per vertex three
// distances (sqrt), three directions (atan2) and the sine of their sum.
void Inoop2LibmCalls(int timeMs) {
    const double ticks = timeMs * kTicksPerMs;
    const double x1 = 40 + 40 * std::sin(kCentreOneXRate * ticks);
    const double y1 = 30 + 30 * std::cos(kCentreOneYRate * ticks);
    const double x2 = 40 + 40 * std::cos(kCentreTwoXRate * ticks);
    const double y2 = 30 + 30 * std::sin(kCentreTwoYRate * ticks);
    const double x3 = 40 + 40 * std::cos(kCentreThreeXRate * ticks);
    const double y3 = 30 + 30 * std::sin(kCentreThreeYRate * ticks);
    for (int j = 0; j < kWarpRows; ++j) {
        for (int k = 0; k < kWarpColumns; ++k) {
            Distance(k - x1, j - y1);
            Distance(k - x2, j - y2);
            Distance(k - x3, j - y3);
            const double sum =
                Direction(j - y3, k - x3) + Direction(j - y1, k - x1) + Direction(j - y2, k - x2);
            const double s = std::sin(sum);
            benchmark::DoNotOptimize(s);
        }
    }
}

// Per frame two sines and two cosines place the centres; per row one cosine
// shifts it; per vertex one sine shifts the column and two distances (sqrt).
void WobbelLibmCalls(int timeMs) {
    const double ticks = timeMs * kTicksPerMs;
    const double x1 = 40 + 40 * std::sin(kCentreOneXRate * ticks);
    const double y1 = 30 + 30 * std::cos(kCentreOneYRate * ticks);
    const double x2 = 40 + 40 * std::cos(kCentreTwoXRate * ticks);
    const double y2 = 30 + 30 * std::sin(kCentreTwoYRate * ticks);
    for (int j = 0; j < kWarpRows; ++j) {
        const double rowShift = 6 * std::cos((ticks + j) * kWobbleRate);
        benchmark::DoNotOptimize(rowShift);
        for (int k = 0; k < kWarpColumns; ++k) {
            const double sy = j + 6 * std::sin((ticks + k) * kWobbleRate);
            const double sx = k + rowShift;
            Distance(sx - x1, sy - y1);
            Distance(sx - x2, sy - y2);
        }
    }
}

// Per frame a cosine and a sine turn the view; per vertex one sqrt scales the
// ray to length 1. The view only turns the ray, so its length is the lens ray's.
void RayCastLibmCalls(int timeMs, const LensTable& lens) {
    const ViewRotationIndices indices = ViewRotationIndicesAt(timeMs);
    benchmark::DoNotOptimize(indices);
    int n = 0;
    for (int j = 0; j < kWarpRows; ++j) {
        for (int k = 0; k < kWarpColumns; ++k, ++n) {
            const double x = -160.0 + 4 * k;
            const double y = -120.0 + 4 * j;
            const double z = 128.0 - lens.entries[n];
            const double length = std::sqrt(x * x + y * y + z * z);
            benchmark::DoNotOptimize(length);
        }
    }
}

double SecondsOf(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Times fill(t) and libm(t) one after the other each iteration; the reported
// time is the fill's.
template <typename Fill, typename Libm>
void CompareFillWithLibm(benchmark::State& state, int startMs, Fill fill, Libm libm) {
    double fillSeconds = 0;
    double libmSeconds = 0;
    int timeMs = startMs;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        fill(timeMs);
        benchmark::ClobberMemory();
        const Clock::time_point filled = Clock::now();
        libm(timeMs);
        const Clock::time_point done = Clock::now();
        fillSeconds += SecondsOf(filled - start);
        libmSeconds += SecondsOf(done - filled);
        state.SetIterationTime(SecondsOf(filled - start));
        timeMs += 17;
    }
    const double vertices = static_cast<double>(state.iterations()) * kWarpVertexCount;
    state.counters["fill_ns"] = fillSeconds * 1e9 / vertices;
    state.counters["libm_ns"] = libmSeconds * 1e9 / vertices;
    state.counters["ratio"] = fillSeconds / libmSeconds;
}

void BM_Inoop2Fill(benchmark::State& state) {
    auto table = std::make_unique<ShadedWarpTable>();
    CompareFillWithLibm(
        state, 9000, [&](int t) { FillInoop2Table(t, *table); }, Inoop2LibmCalls);
}
BENCHMARK(BM_Inoop2Fill)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_WobbelFill(benchmark::State& state) {
    auto table = std::make_unique<UnshadedWarpTable>();
    CompareFillWithLibm(
        state, 45000, [&](int t) { FillWobbelTable(t, *table); }, WobbelLibmCalls);
}
BENCHMARK(BM_WobbelFill)->UseManualTime()->Unit(benchmark::kMicrosecond);

void CompareRayCastFill(benchmark::State& state, RayCastSurfaces surfaces, int startMs) {
    FillTrigTables();
    auto lens = std::make_unique<LensTable>();
    FillLensTable(*lens);
    auto table = std::make_unique<ShadedWarpTable>();
    CompareFillWithLibm(
        state, startMs, [&](int t) { FillRayCastTable(t, surfaces, *lens, *table); },
        [&](int t) { RayCastLibmCalls(t, *lens); });
}

void BM_Inoop3Fill(benchmark::State& state) {
    CompareRayCastFill(state, RayCastSurfaces::Planes, 27000);
}
BENCHMARK(BM_Inoop3Fill)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_Inoop4Fill(benchmark::State& state) {
    CompareRayCastFill(state, RayCastSurfaces::Tunnel, 108000);
}
BENCHMARK(BM_Inoop4Fill)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
