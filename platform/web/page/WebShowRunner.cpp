// The show in a page: the link's options, the preloaded data, the script,
// the canvas and the effects' Init; then one still frame (?t=) or, after the
// viewer's click, the live player one animation frame at a time. The host's
// lifecycle stays as it is natively: this returns when the show is over,
// handing control to the browser at each frame in between.
#include "platform/host/play/ShowRunner.h"

#include "platform/common/Log.h"
#include "platform/host/ShowSession.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/play/LivePlayer.h"
#include "platform/web/page/CanvasSurface.h"
#include "platform/web/page/LinkOptions.h"
#include "platform/web/page/PageBridge.h"

#include <string>

namespace {

// Every line the show says goes on the page; a refusal's own line is the
// page's error.
class PageLog final : public LogSink {
  public:
    PageLog() : before_(SetLogSink(this)) {}
    ~PageLog() { SetLogSink(before_); }
    PageLog(const PageLog&) = delete;
    PageLog& operator=(const PageLog&) = delete;

    void Line(std::string_view line) override {
        last_ = line;
        PageSays(line);
    }

    int Refuse() const {
        PageFailed(last_);
        return 2;
    }

  private:
    LogSink* before_;
    std::string last_;
};

} // namespace

ShowRunner::ShowRunner() = default;

ShowRunner::~ShowRunner() = default;

int ShowRunner::Run(int argc, char** argv, const ShowSetup& setup) {
    PageLog log;
    LinkOptions link;
    if (!ReadLinkOptions(argc, argv, &link)) {
        return log.Refuse();
    }
    // The data package is preloaded at the file system's root.
    std::string error;
    std::unique_ptr<DataSource> source = OpenDirectorySource("/" + setup.dataDirectory, &error);
    if (!source) {
        LogLine("data: " + error);
        return log.Refuse();
    }
    std::optional<Timeline> timeline = LoadTimeline(*source, setup);
    if (!timeline || !TimesFitTheShow(link.times, timeline->endMs)) {
        return log.Refuse();
    }

    const bool still = link.times.screenshotMs.has_value();
    SessionPlan plan;
    plan.source = std::move(source);
    plan.makeSurface = CreateCanvasSurface;
    plan.effects = RegisteredObjects(setup);
    plan.timeline = std::move(timeline);
    // A still frame plays nothing and holds the millisecond clock at its time.
    plan.output = still ? OutputChoice::Stepped : OutputChoice::Device;
    plan.fixedStepClock = still;
    session_ = ShowSession::Open(std::move(plan), &error);
    if (!session_) {
        LogLine(error);
        return log.Refuse();
    }
    FrameStep& frames = session_->Frames();
    if (still) {
        frames.Render(*link.times.screenshotMs);
        frames.Schedule().StopAll();
        PageStill(*link.times.screenshotMs);
        return 0;
    }

    PageReady();
    PageWaitForClick();
    const std::vector<RegisteredName> names = RegisteredNames(setup);
    const LiveSettings live{setup.show.title.c_str(), link.times.startMs, link.loop, false, 0,
                            link.times.endMs};
    LivePlayer player(frames, names, live, nullptr);
    int timeMs = 0;
    while (player.Frame(&timeMs)) {
        PageFrameDrawn(timeMs);
        PageNextFrame();
    }
    // The effects' Deactivate and the music's release, as at a native show's end.
    frames.Schedule().StopAll();
    PageEnded();
    return 0;
}
