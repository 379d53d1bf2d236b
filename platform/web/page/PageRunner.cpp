// The page's runner: the link's options, the preloaded data and the canvas;
// then one still frame (?t=), drawn again whenever the window changes size,
// or, once the viewer starts it, the show live one animation frame at a time.
// On the page the end is a pause under the end screen: the last frame and the
// music are held, and a replay plays from the start again. Playing, paused
// or ended, the page may ask for a recording, rendered in the same session
// between two frames (PageRecording.h). The show is taken down with the
// page. RunApp and EndApp for the page.
#include "platform/common/Log.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/play/RunFlow.h"
#include "platform/web/page/CanvasSurface.h"
#include "platform/web/page/LinkOptions.h"
#include "platform/web/page/PageBridge.h"
#include "platform/web/page/PageRecording.h"

#include <string>

namespace {

// Every line the show says goes on the page; a refusal's own line is the
// page's error.
class PageLog final : public ScopedLogSink {
  public:
    void Line(std::string_view line) override {
        last_ = line;
        PageSays(line);
    }

    int Refuse() const {
        PageFailed(last_);
        return 2;
    }

  private:
    std::string last_;
};

// The live session's frames, and the demo time its last frame showed, for a
// recording asked for between frames.
FrameStep* liveFrames = nullptr;
int lastFrameMs = 0;

void AfterFrame(int timeMs) {
    lastFrameMs = timeMs;
    PageFrameDrawn(timeMs);
    while (PageNextFrame() == PageAsks::Recording) {
        RenderPageRecording(*liveFrames, lastFrameMs);
    }
}

void EndedWaitForReplay() {
    PageEnded();
    while (PageWaitForReplay() == PageAsks::Recording) {
        RenderPageRecording(*liveFrames, lastFrameMs);
    }
}

int RunPage(int argc, char** argv, const RegisteredShow& show) {
    PageLog log;
    LinkOptions link;
    if (!ReadLinkOptions(argc, argv, &link)) {
        return log.Refuse();
    }
    // The data package is preloaded at the file system's root.
    std::string error;
    std::unique_ptr<DataSource> source = OpenDirectorySource("/" + show.dataDirectory, &error);
    if (!source) {
        LogLine("data: " + error);
        return log.Refuse();
    }
    std::optional<Timeline> timeline = LoadRunTimeline(*source, show, link.times);
    if (!timeline) {
        return log.Refuse();
    }

    const bool still = link.times.screenshotMs.has_value();
    ShowSession::Plan plan;
    plan.source = std::move(source);
    // A still frame is for looking at (and comparing): always full size.
    plan.makeSurface = [still](std::string* error) {
        return CreateCanvasSurface(still ? CanvasResolution::Full : CanvasResolution::Adaptive,
                                   error);
    };
    // A still frame plays nothing and holds the millisecond clock at its time.
    plan.output = still ? OutputChoice::Stepped : OutputChoice::Device;
    plan.fixedStepClock = still;
    ShowSession* session = OpenRunSession(show, std::move(*timeline), std::move(plan));
    if (session == nullptr) {
        return log.Refuse();
    }
    FrameStep& frames = session->Frames();
    if (still) {
        for (;;) {
            frames.Render(*link.times.screenshotMs);
            PageStill(*link.times.screenshotMs);
            PageWaitForResize();
        }
    }

    PageReady();
    PageWaitForStart();
    LiveSettings live{
        show.identity.title.c_str(), link.times.startMs, link.loop, false, 0, link.times.endMs};
    live.viewerPause = true;
    liveFrames = &frames;
    PlayLive(*session, show, live, false, AfterFrame, EndedWaitForReplay);
    return 0;
}

} // namespace

int RunApp(HINSTANCE instance, const char* title, int, int, int) {
    return RunRegisteredShow(instance, title, RunPage);
}

void EndApp() {
    EndRegisteredShow();
}
