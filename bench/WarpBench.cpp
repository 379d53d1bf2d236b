// What each grid warp costs alone: one whole frame (advance, fill, draw and
// finish) on Mesa through EGL at the capture size of 1280x960, in frames per
// second, with the show's pictures. The
// fills against their libm calls are in FillCostBench.cpp, the show's sections
// in SectionBench.cpp.
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/WobbelEffect.h"
#include "platform/host/ShowSession.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 960;

benchmark::Counter PerSecond(const benchmark::State& state) {
    return benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// Where each warp runs alone, at its times in the show.
struct WarpRun {
    int startMs;
    int endMs;
};
constexpr WarpRun kRuns[] = {{9000, 27000}, {45000, 54000}, {27000, 45000}, {108000, 126000}};

// The four warps over the build's pictures, drawn by the frame step a capture
// uses. Made once per process.
struct WarpStage {
    WarpStage() {
        std::string error;
        std::unique_ptr<DataSource> source =
            OpenDirectorySource(std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat", &error);
        if (!source) {
            throw std::runtime_error(error);
        }
        ShowSession::Plan plan;
        plan.source = std::move(source);
        plan.makeSurface = [](std::string* error) {
            return CreateOffscreenSurface(kFrameWidth, kFrameHeight, false, error);
        };
        plan.effects = {&inoop2, &wobbel, &inoop3, &inoop4};
        Timeline timeline;
        for (int effect = 0; effect < 4; ++effect) {
            timeline.runs.push_back({effect, kRuns[effect].startMs, kRuns[effect].endMs, 1, 1});
        }
        timeline.endMs = kRuns[3].endMs;
        plan.timeline = timeline;
        plan.output = OutputChoice::Stepped;
        plan.fixedStepClock = true;
        session = ShowSession::Open(std::move(plan), &error);
        if (!session) {
            throw std::runtime_error(error);
        }
    }

    Inoop2Effect inoop2;
    WobbelEffect wobbel;
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
    std::unique_ptr<ShowSession> session;
};

WarpStage& Stage() {
    static WarpStage stage;
    return stage;
}

// Frames 17 ms apart through the warp's run, round again at its end; the
// frame that starts the warp is not timed.
void RunFrames(benchmark::State& state, int warp) {
    FrameStep& frames = Stage().session->Frames();
    const WarpRun run = kRuns[warp];
    int timeMs = run.startMs;
    frames.Render(timeMs);
    for (auto _ : state) {
        frames.Render(timeMs);
        timeMs = timeMs + 17 < run.endMs ? timeMs + 17 : run.startMs;
    }
    state.counters["fps"] = PerSecond(state);
}

void BM_Inoop2Frame(benchmark::State& state) {
    RunFrames(state, 0);
}
BENCHMARK(BM_Inoop2Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WobbelFrame(benchmark::State& state) {
    RunFrames(state, 1);
}
BENCHMARK(BM_WobbelFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Inoop3Frame(benchmark::State& state) {
    RunFrames(state, 2);
}
BENCHMARK(BM_Inoop3Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Inoop4Frame(benchmark::State& state) {
    RunFrames(state, 3);
}
BENCHMARK(BM_Inoop4Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
