// What each grid warp's table fill costs per vertex against the libm calls it
// cannot avoid. Every iteration runs the fill and then a pass that makes only
// the fill's libm calls, on the same arguments at the same demo time, so both
// see the same machine load; the ratio of the two is the figure.
#include "effects/warp/GridCentres.h"
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
    const double ticks = GridTicks(timeMs);
    const GridCentre c1 = CentreOne(ticks);
    const GridCentre c2 = CentreTwo(ticks);
    const GridCentre c3 = CentreThree(ticks);
    for (int j = 0; j < kWarpRows; ++j) {
        for (int k = 0; k < kWarpColumns; ++k) {
            Distance(k - c1.x, j - c1.y);
            Distance(k - c2.x, j - c2.y);
            Distance(k - c3.x, j - c3.y);
            const double sum = Direction(j - c3.y, k - c3.x) + Direction(j - c1.y, k - c1.x) +
                               Direction(j - c2.y, k - c2.x);
            const double s = std::sin(sum);
            benchmark::DoNotOptimize(s);
        }
    }
}

// Per frame two sines and two cosines place the centres; per row one cosine
// shifts it; per vertex one sine shifts the column and two distances (sqrt).
void WobbelLibmCalls(int timeMs) {
    const double ticks = GridTicks(timeMs);
    const GridCentre c1 = CentreOne(ticks);
    const GridCentre c2 = CentreTwo(ticks);
    for (int j = 0; j < kWarpRows; ++j) {
        const double rowShift = kWobbleAmplitude * std::cos((ticks + j) * kWobbleRate);
        benchmark::DoNotOptimize(rowShift);
        for (int k = 0; k < kWarpColumns; ++k) {
            const double sy = j + kWobbleAmplitude * std::sin((ticks + k) * kWobbleRate);
            const double sx = k + rowShift;
            Distance(sx - c1.x, sy - c1.y);
            Distance(sx - c2.x, sy - c2.y);
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
