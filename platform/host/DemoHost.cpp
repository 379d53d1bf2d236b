// The host's registration operations, over one process-wide registered show:
// defaults, effects and the show's identity are collected until RunApp, which
// each platform's runner defines with EndApp (NativeRunner.cpp, and the
// page's PageRunner.cpp). Files and pictures are served by the show session
// while it runs (HostServices.cpp).
#include "host/DemoGL.h"
#include "platform/host/play/RegisteredShow.h"

namespace {

std::string Text(const char* s) {
    return s != nullptr ? s : "";
}

} // namespace

RegisteredShow& TheRegisteredShow() {
    static RegisteredShow show{"demodat", "demodat.zip", "script.txt", {"quorvel 8"}, {}};
    return show;
}

CEffect::CEffect() = default;

CEffect::~CEffect() = default;

void CEffect::ReceiveParam(char*) {}

int OverruleDefaults(int, int, const char* dataDirectory, const char* archive, const char* script,
                     int, int, int, int, int) {
    RegisteredShow& show = TheRegisteredShow();
    show.dataDirectory = Text(dataDirectory);
    show.archive = Text(archive);
    show.scriptName = Text(script);
    return 1;
}

int RegisterEffect(CEffect* effect, const char* name) {
    TheRegisteredShow().effects.push_back({Text(name), effect});
    return 1;
}

// The five values are what the start-up settings default to: full screen,
// vsync, sound, keeping 4:3, looping.
int SetStartupDialogVars(const char* title, const char* makers, int fullscreen, int vsync,
                         int sound, int keepAspect, int loop) {
    TheRegisteredShow().identity = {
        Text(title), Text(makers), fullscreen != 0, vsync != 0, sound != 0, keepAspect != 0,
        loop != 0};
    return 1;
}
