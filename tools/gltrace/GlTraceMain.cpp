// gltrace EFFECT TIME_MS [--clock MS]
//
// Prints the GL calls of one RenderFrame of one effect, one call per line,
// after Init(1280, 960) and Activate against the recording host. Runs the
// show's real entry point, so the effect is the one the roster registers.
#include "app/DemoMain.h"
#include "platform/common/Log.h"
#include "platform/common/QuotedValue.h"
#include "platform/win/WinHostControl.h"
#include "tools/gltrace/FakeHost.h"
#include "tools/gltrace/GlCallFormat.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

struct TraceRequest {
    std::string effect;
    int timeMs = 0;
    std::uint32_t clockMs = 0;
};

int Trace(const TraceRequest& request) {
    int status = 0;
    SetFakeRunApp([&](HINSTANCE) {
        CEffect* effect = nullptr;
        std::string known;
        for (const FakeRegistration& registration : FakeRegistrations()) {
            known += (known.empty() ? "" : ", ") + registration.name;
            if (registration.name == request.effect) {
                effect = registration.effect;
            }
        }
        if (effect == nullptr) {
            LogLine("gltrace: unknown effect " + QuotedValue(request.effect) +
                    "; known effects: " + known);
            status = 2;
            return;
        }
        DriveMillisecondClock(request.clockMs);
        effect->Init(1280, 960);
        effect->Activate();
        ClearRecordedGlCalls();
        effect->RenderFrame(request.timeMs);
        for (const GlCall& call : RecordedGlCalls()) {
            std::puts(FormatGlCall(call).c_str());
        }
    });
    ProgramInstance instance{0, nullptr};
    DemoMain(&instance);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"gltrace: prints the GL calls of one frame of one quorvel 8 effect"};
    TraceRequest request;
    app.add_option("effect", request.effect, "effect name as the timeline script uses it")
        ->required();
    app.add_option("time", request.timeMs, "demo time in milliseconds (may be negative)")
        ->required();
    app.add_option("--clock", request.clockMs, "millisecond clock the effect sees (default 0)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    return Trace(request);
}
