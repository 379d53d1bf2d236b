// A whole frame of every section of the show (advance, fill, draw, finish) at
// the capture size of 1280x960 on Mesa through EGL: the real effects, pictures
// and timeline from the build's demodat, run by the host's scheduler on the
// per-frame path a capture takes. A section is a stretch of the timeline where
// the same runs play; its frames are every fourth 60 fps frame time in it.
// Reports the median and 99th percentile frame time per section.
#include "bench/BenchShow.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kFrameWidth = 1280;
constexpr int kFrameHeight = 960;
constexpr int kFrameStride = 4; // every fourth 60 fps frame

struct Section {
    std::string name; // the drawing effects in draw order, e.g. "INOOP2+LOGO"
    int startMs;
    int endMs;
};

// The drawing effects at timeMs in draw order; the music draws nothing, so it
// names no section.
std::string DrawingNames(const BenchShow& show, int timeMs) {
    constexpr int kBassIndex = 0;
    std::vector<ScriptRun> running;
    for (const ScriptRun& run : show.Script().runs) {
        if (run.startMs <= timeMs && timeMs < run.endMs && run.effect != kBassIndex) {
            running.push_back(run);
        }
    }
    std::stable_sort(running.begin(), running.end(),
                     [](const ScriptRun& a, const ScriptRun& b) { return a.layer < b.layer; });
    std::string name;
    for (const ScriptRun& run : running) {
        name += (name.empty() ? "" : "+") + show.Names()[run.effect].name;
    }
    return name.empty() ? "black" : name;
}

// Split at every run's start and end.
std::vector<Section> Sections(const BenchShow& show) {
    const Timeline& timeline = show.Script();
    std::set<int> cuts = {0, timeline.endMs};
    for (const ScriptRun& run : timeline.runs) {
        cuts.insert(std::min(run.startMs, timeline.endMs));
        cuts.insert(std::min(run.endMs, timeline.endMs));
    }
    std::vector<Section> sections;
    for (auto cut = cuts.begin(); std::next(cut) != cuts.end(); ++cut) {
        sections.push_back({DrawingNames(show, *cut), *cut, *std::next(cut)});
    }
    return sections;
}

// The frame times of a section, as a capture at 60 fps takes them.
std::vector<int> FrameTimes(const Section& section) {
    std::vector<int> times;
    for (long long n = 0;; n += kFrameStride) {
        const int timeMs = static_cast<int>((n * 1000 + 30) / 60);
        if (timeMs >= section.endMs) {
            break;
        }
        if (timeMs >= section.startMs) {
            times.push_back(timeMs);
        }
    }
    return times;
}

double Percentile(std::vector<double> sorted, double fraction) {
    std::sort(sorted.begin(), sorted.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * sorted.size()));
    return sorted[std::max<std::size_t>(rank, 1) - 1];
}

// One iteration per frame time. The section's effects are started by a frame
// before the timing, so picture uploads and shader builds are left out.
void RunSection(benchmark::State& state, BenchShow& show, const std::vector<int>& times) {
    show.Frames().Render(times.front());
    std::vector<double> frameMs(times.size());
    std::size_t frame = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        show.Frames().Render(times[frame]);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        frameMs[frame++] = took.count() * 1000;
    }
    state.counters["median_ms"] = Percentile(frameMs, 0.5);
    state.counters["p99_ms"] = Percentile(frameMs, 0.99);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const int status =
        RunWithBenchShow("section_bench", kFrameWidth, kFrameHeight, [](BenchShow& show) {
            std::vector<std::vector<int>> frameTimes;
            const std::vector<Section> sections = Sections(show);
            frameTimes.reserve(sections.size());
            for (const Section& section : sections) {
                frameTimes.push_back(FrameTimes(section));
                if (frameTimes.back().empty()) {
                    continue;
                }
                char label[64];
                std::snprintf(label, sizeof label, "%d:%02d", section.startMs / 60000,
                              section.startMs / 1000 % 60);
                benchmark::RegisterBenchmark(
                    (std::string("Section/") + label + "/" + section.name).c_str(),
                    [&show, &times = frameTimes.back()](benchmark::State& state) {
                        RunSection(state, show, times);
                    })
                    ->Iterations(static_cast<benchmark::IterationCount>(frameTimes.back().size()))
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
            }
            benchmark::RunSpecifiedBenchmarks();
            return 0;
        });
    benchmark::Shutdown();
    return status;
}
