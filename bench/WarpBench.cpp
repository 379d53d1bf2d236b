// What each grid warp costs alone: one whole frame (fill, draw and finish) on
// Mesa through EGL at the capture size of 1280x960, in frames per second. The
// fills against their libm calls are in FillCostBench.cpp, the show's sections
// in SectionBench.cpp.
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/WobbelEffect.h"
#include "platform/host/DataSource.h"
#include "platform/host/FileStore.h"
#include "platform/host/FrameState.h"
#include "platform/host/HostServices.h"
#include "platform/host/Surface.h"
#include "platform/host/TextureStore.h"
#include "tests/support/TestFiles.h"

#include <benchmark/benchmark.h>

#include <cstdint>
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

// A diagonal colour ramp, so the texture is sampled as a real picture would be.
std::vector<unsigned char> RampJpeg(int side) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * side + x) * 3];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x + y);
        }
    }
    return EncodeTestJpeg(side, side, rgb);
}

// The offscreen surface and the host's picture loading, as a capture uses them,
// with both warps initialised and active. Made once per process.
struct WarpStage {
    WarpStage() {
        folder.Write("pakje.jpg", RampJpeg(256));
        folder.Write("Snoep.jpg", RampJpeg(256));
        folder.Write("boek.jpg", RampJpeg(256));
        folder.Write("Dralm.jpg", RampJpeg(256));
        std::string error;
        surface = CreateOffscreenSurface(kFrameWidth, kFrameHeight, &error);
        if (!surface) {
            throw std::runtime_error(error);
        }
        source = OpenDirectorySource(folder.Path(), &error);
        if (!source) {
            throw std::runtime_error(error);
        }
        files = std::make_unique<FileStore>(*source);
        textures = std::make_unique<TextureStore>(*source);
        InstallHostServices(files.get(), textures.get());
        surface->BeginFrame();
        inoop2.Init(kFrameWidth, kFrameHeight);
        wobbel.Init(kFrameWidth, kFrameHeight);
        inoop3.Init(kFrameWidth, kFrameHeight);
        inoop4.Init(kFrameWidth, kFrameHeight);
        inoop2.Activate();
        wobbel.Activate();
        inoop3.Activate();
        inoop4.Activate();
    }

    TempFolder folder;
    std::unique_ptr<Surface> surface;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<FileStore> files;
    std::unique_ptr<TextureStore> textures;
    Inoop2Effect inoop2;
    WobbelEffect wobbel;
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
};

WarpStage& Stage() {
    static WarpStage stage;
    return stage;
}

void RunFrames(benchmark::State& state, CEffect& effect, int startMs) {
    Surface& surface = *Stage().surface;
    int timeMs = startMs;
    for (auto _ : state) {
        surface.BeginFrame();
        ResetFrameState(surface.DrawingArea());
        effect.RenderFrame(timeMs);
        surface.Present();
        timeMs += 17;
    }
    state.counters["fps"] = PerSecond(state);
}

void BM_Inoop2Frame(benchmark::State& state) {
    RunFrames(state, Stage().inoop2, 9000);
}
BENCHMARK(BM_Inoop2Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WobbelFrame(benchmark::State& state) {
    RunFrames(state, Stage().wobbel, 45000);
}
BENCHMARK(BM_WobbelFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Inoop3Frame(benchmark::State& state) {
    RunFrames(state, Stage().inoop3, 27000);
}
BENCHMARK(BM_Inoop3Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Inoop4Frame(benchmark::State& state) {
    RunFrames(state, Stage().inoop4, 108000);
}
BENCHMARK(BM_Inoop4Frame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
