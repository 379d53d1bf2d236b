// The benchmarks' RunApp and EndApp, in place of a platform's runner: the
// registered show goes to the benchmark that runs the entry point.
#include "bench/BenchShow.h"

#include "app/DemoMain.h"
#include "host/DemoGL.h"
#include "platform/common/Log.h"

#include <exception>

namespace {

struct BenchRun {
    const char* program = "";
    int width = 0;
    int height = 0;
    std::function<int(BenchShow&)> bench;
    int status = 0;
};

BenchRun& TheBenchRun() {
    static BenchRun run;
    return run;
}

} // namespace

int RunWithBenchShow(const char* program, int width, int height,
                     std::function<int(BenchShow&)> bench) {
    TheBenchRun() = {program, width, height, std::move(bench), 0};
    ProgramInstance instance{0, nullptr};
    DemoMain(&instance);
    return TheBenchRun().status;
}

int RunApp(HINSTANCE, const char*, int, int, int) {
    BenchRun& run = TheBenchRun();
    try {
        BenchShow show(TheRegisteredShow(), run.width, run.height);
        run.status = run.bench(show);
    } catch (const std::exception& e) {
        LogLine(std::string(run.program) + ": " + e.what());
        run.status = 1;
    }
    return 1;
}

void EndApp() {}
