// What bounds a capture's speed, and how near it comes: rendering the show
// (offscreen, read back, no encoding), encoding it (the same frames from
// memory, through the capture pipeline) and the capture itself, over the same
// frames of the show at 1280x960@60 with the build's data. The capture runs
// both at once on two threads; it should reach at least 0.9 of the speed of
// doing them one after the other, 1 / (1 / render + 1 / encode).
#include "bench/BenchShow.h"
#include "platform/host/capture/CapturePipeline.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;
constexpr FrameRate kFps{60, 1};

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Frames read back before, handed out again in order, as if just drawn.
class ReplaySurface : public Surface {
  public:
    explicit ReplaySurface(const std::vector<std::vector<std::uint8_t>>& frames)
        : frames_(frames) {}
    Viewport DrawingArea() const override { return {0, 0, kWidth, kHeight}; }
    void BeginFrame() override {}
    void Present() override {}
    bool QuitRequested() override { return false; }
    void ReadPixels(std::span<std::uint8_t> rgb) override {
        const std::vector<std::uint8_t>& frame = frames_[next_++ % frames_.size()];
        std::copy(frame.begin(), frame.end(), rgb.begin());
    }
    void* NativeWindow() const override { return nullptr; }

  private:
    const std::vector<std::vector<std::uint8_t>>& frames_;
    std::size_t next_ = 0;
};

struct Range {
    int startMs;
    int endMs;
};

struct Measured {
    double renderFps = 0;
    double encodeFps = 0;
};

CaptureSettings Settings(const std::string& name) {
    CaptureSettings settings;
    settings.file = std::filesystem::temp_directory_path() / name;
    settings.width = kWidth;
    settings.height = kHeight;
    settings.fps = kFps;
    return settings;
}

// Renders and reads back every frame of the range, keeping them for encoding.
void Render(benchmark::State& state, BenchShow& show, Range range,
            std::vector<std::vector<std::uint8_t>>& kept, Measured& measured) {
    const std::int64_t count = FramesBefore(range.endMs - range.startMs, kFps);
    kept.assign(static_cast<std::size_t>(count),
                std::vector<std::uint8_t>(static_cast<std::size_t>(kWidth) * kHeight * 3));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (std::int64_t n = 0; n < count; ++n) {
            show.Frames().Render(range.startMs + FrameTimeMs(n, kFps));
            show.Frames().Target().ReadPixels(kept[static_cast<std::size_t>(n)]);
        }
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        measured.renderFps = static_cast<double>(count) / seconds;
    }
    state.counters["fps"] = measured.renderFps;
}

// The kept frames through the capture pipeline: the surface hands them back,
// nothing is drawn.
void Encode(benchmark::State& state, Range range,
            const std::vector<std::vector<std::uint8_t>>& kept, Measured& measured) {
    ReplaySurface surface(kept);
    Scheduler nothing(Timeline{{}, range.endMs}, {});
    FrameStep frames(surface, nothing, false);
    for (auto _ : state) {
        const auto pipeline =
            CapturePipeline::Open(Settings("encode_bench.mp4"), range.startMs, range.endMs);
        const auto start = std::chrono::steady_clock::now();
        if (!pipeline || pipeline->Run(frames) != 0) {
            state.SkipWithError("the encoding failed");
            return;
        }
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        measured.encodeFps = static_cast<double>(kept.size()) / seconds;
    }
    state.counters["fps"] = measured.encodeFps;
}

void Capture(benchmark::State& state, BenchShow& show, Range range, const Measured& measured) {
    const double count = static_cast<double>(FramesBefore(range.endMs - range.startMs, kFps));
    double fps = 0;
    for (auto _ : state) {
        const auto pipeline =
            CapturePipeline::Open(Settings("capture_bench.mp4"), range.startMs, range.endMs);
        const auto start = std::chrono::steady_clock::now();
        if (!pipeline || pipeline->Run(show.Frames()) != 0) {
            state.SkipWithError("the capture failed");
            return;
        }
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        fps = count / seconds;
    }
    const double bound = 1.0 / (1.0 / measured.renderFps + 1.0 / measured.encodeFps);
    state.counters["fps"] = fps;
    state.counters["bound_fps"] = bound;
    state.counters["of_bound"] = fps / bound;
}

} // namespace

// Usage: capture_bench_frames [START_MS END_MS]   (default 63000 65000: 1:03 to 1:05)
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Range range{63000, 65000};
    if (argc == 3) {
        range = {std::stoi(argv[1]), std::stoi(argv[2])};
    }
    const int status =
        RunWithBenchShow("capture_bench_frames", kWidth, kHeight, [range](BenchShow& show) {
            std::vector<std::vector<std::uint8_t>> kept;
            Measured measured;
            benchmark::RegisterBenchmark(
                "Capture/1_RenderOnly",
                [&](benchmark::State& state) { Render(state, show, range, kept, measured); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kSecond);
            benchmark::RegisterBenchmark(
                "Capture/2_EncodeOnly",
                [&](benchmark::State& state) { Encode(state, range, kept, measured); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kSecond);
            benchmark::RegisterBenchmark(
                "Capture/3_Capture",
                [&](benchmark::State& state) { Capture(state, show, range, measured); })
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kSecond);
            benchmark::RunSpecifiedBenchmarks();
            return 0;
        });
    benchmark::Shutdown();
    return status;
}
