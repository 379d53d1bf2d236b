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

EM_ASYNC_JS(int, PageAwaitAsk, (const char* what), {
    return (await Module.quorvel8Page[UTF8ToString(what)]()) ? 1 : 0;
});

EM_JS(void, PageRecordingText, (int field, char* text, int capacity), {
    const ask = Module.quorvel8Page.recording.ask;
    stringToUTF8(String([ask.size, ask.fps, ask.start, ask.end][field] ?? ''), text, capacity);
});

EM_ASYNC_JS(int, PageRecordingStep, (int what, double a, int width, int height, int x, int y,
                                     int num, int den, int startMs, double anchorMs), {
    const recording = Module.quorvel8Page.recording;
    const go = await [
        () => recording.begins({ frames: a, width, height, x, y, num, den, startMs,
                                 anchorMs: Number.isNaN(anchorMs) ? null : anchorMs }),
        () => recording.frame(a),
        () => recording.ends(a !== 0),
    ][what]();
    return go ? 1 : 0;
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

PageAsks PageNextFrame() {
    return PageAwaitAsk("nextFrame") != 0 ? PageAsks::Recording : PageAsks::GoOn;
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

void PageEnded() {
    Tell("ended");
}

PageAsks PageWaitForReplay() {
    return PageAwaitAsk("replay") != 0 ? PageAsks::Recording : PageAsks::GoOn;
}

void PageFailed(std::string_view line) {
    Tell("failed", line);
}

RecordingAsk PageRecordingAsked() {
    RecordingAsk ask;
    std::string* fields[] = {&ask.size, &ask.fps, &ask.start, &ask.end};
    char text[128];
    for (int i = 0; i < 4; ++i) {
        PageRecordingText(i, text, sizeof text);
        *fields[i] = text;
    }
    return ask;
}

void PageRecordingRefused(std::string_view line) {
    Tell("recordingRefused", line);
}

bool PageRecordingBegins(std::int64_t frames, int width, int height, int pictureX, int pictureY,
                         int num, int den, int startMs, double musicAnchorMs) {
    return PageRecordingStep(0, static_cast<double>(frames), width, height, pictureX, pictureY, num,
                             den, startMs, musicAnchorMs) != 0;
}

bool PageRecordingFrame(std::int64_t frame) {
    return PageRecordingStep(1, static_cast<double>(frame), 0, 0, 0, 0, 0, 0, 0, 0.0) != 0;
}

void PageRecordingEnds(bool complete) {
    PageRecordingStep(2, complete ? 1.0 : 0.0, 0, 0, 0, 0, 0, 0, 0, 0.0);
}
