// The host's lifecycle operations, over one process-wide host: defaults and
// registrations are collected until RunApp, which runs the show. Files and
// pictures are served by the show session while it runs (HostServices.cpp).
#include "host/DemoGL.h"
#include "platform/host/ShowHandOver.h"
#include "platform/host/play/ShowRunner.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

struct Host {
    ShowSetup setup{"demodat", "demodat.zip", "script.txt", {"quorvel 8", "", {}}, {}};
    std::unique_ptr<ShowRunner> runner;
    ShowHandOver handOver;
};

Host& TheHost() {
    static Host host;
    return host;
}

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

} // namespace

CEffect::CEffect() = default;

CEffect::~CEffect() = default;

void CEffect::ReceiveParam(char*) {}

int OverruleDefaults(int, int, const char* dataDirectory, const char* archive, const char* script,
                     int, int, int, int, int) {
    ShowSetup& setup = TheHost().setup;
    setup.dataDirectory = Text(dataDirectory);
    setup.archive = Text(archive);
    setup.scriptName = Text(script);
    return 1;
}

int RegisterEffect(CEffect* effect, const char* name) {
    TheHost().setup.effects.push_back({Text(name), effect});
    return 1;
}

// The five values are what the start-up settings default to: full screen,
// vsync, sound, keeping 4:3, looping.
int SetStartupDialogVars(const char* title, const char* makers, int fullscreen, int vsync,
                         int sound, int keepAspect, int loop) {
    TheHost().setup.show = {Text(title),
                            Text(makers),
                            {fullscreen != 0, vsync != 0, sound != 0, keepAspect != 0, loop != 0}};
    return 1;
}

int RunApp(HINSTANCE instance, const char* title, int, int, int) {
    Host& host = TheHost();
    if (title != nullptr) {
        host.setup.show.title = title;
    }
    int status = 0;
    if (host.handOver) {
        status = host.handOver(host.setup);
    } else {
        host.runner = std::make_unique<ShowRunner>();
        status = instance != nullptr ? host.runner->Run(instance->argc, instance->argv, host.setup)
                                     : host.runner->Run(0, nullptr, host.setup);
    }
    if (status != 0) {
        // Refused, failed or cut short by a signal: the entry point has
        // nothing left to do.
        host.runner.reset();
        std::fflush(stdout);
        std::exit(status);
    }
    return 1;
}

void HandShowOverTo(ShowHandOver handOver) {
    TheHost().handOver = std::move(handOver);
}

void EndApp() {
    TheHost().runner.reset();
}
