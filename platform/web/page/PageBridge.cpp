#include "platform/web/page/PageBridge.h"

#include "platform/audio/PlaybackControl.h"

#include <emscripten/emscripten.h>

#include <string>

namespace {

// clang-format off
EM_JS(void, PageCall, (const char* what, const char* text, double timeMs, int audible), {
    Module.quorvel8Page[UTF8ToString(what)](UTF8ToString(text), timeMs, audible !== 0);
});

EM_ASYNC_JS(void, PageAwait, (const char* what), {
    await Module.quorvel8Page[UTF8ToString(what)]();
});

EM_JS(int, PagePauseWanted, (), {
    return Module.quorvel8Page.pauseWanted() ? 1 : 0;
});
// clang-format on

void Tell(const char* what, std::string_view text = {}, int timeMs = 0) {
    const std::string line(text);
    PageCall(what, line.c_str(), timeMs, 0);
}

} // namespace

void PageSays(std::string_view line) {
    Tell("says", line);
}

void PageReady() {
    Tell("ready");
}

void PageWaitForStart() {
    PageAwait("start");
}

void PageFrameDrawn(int timeMs) {
    // Whether the sound is heard or the silent clock keeps the time; the
    // worklet's own position goes to the page from the page's audio.
    PageCall("frame", "", timeMs, OutputAudible() ? 1 : 0);
}

void PageNextFrame() {
    PageAwait("nextFrame");
}

bool PageWantsPause() {
    return PagePauseWanted() != 0;
}

void PageStill(int timeMs) {
    Tell("still", {}, timeMs);
}

void PageWaitForResize() {
    PageAwait("resized");
}

void PageEndedWaitForReplay() {
    Tell("ended");
    PageAwait("replay");
}

void PageFailed(std::string_view line) {
    Tell("failed", line);
}
