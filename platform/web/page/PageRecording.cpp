#include "platform/web/page/PageRecording.h"

#include "platform/audio/PlaybackControl.h"
#include "platform/common/Log.h"
#include "platform/host/FrameStep.h"
#include "platform/host/gl/DrawingAreaLayout.h"
#include "platform/host/options/CaptureRules.h"
#include "platform/host/options/RequestedTimes.h"
#include "platform/web/page/CanvasSurface.h"
#include "platform/web/page/PageBridge.h"

#include <cmath>
#include <optional>
#include <string>

namespace {

// The line a shared rule says while the ask is checked is the refusal.
class LastLine final : public ScopedLogSink {
  public:
    void Line(std::string_view line) override { line_ = line; }
    const std::string& Said() const { return line_; }

  private:
    std::string line_;
};

struct Recording {
    int width = 0;
    int height = 0;
    FrameRate fps;
    int startMs = 0;
    int endMs = 0;
};

// False with *line when the command line's --capture would refuse the ask.
bool CheckAsk(const RecordingAsk& ask, int showEndMs, Recording* recording, std::string* line) {
    if (!ParseFrameSize(ask.size, &recording->width, &recording->height)) {
        *line = FrameSizeRefusal(ask.size);
        return false;
    }
    if (!EvenFrameSize(recording->width, recording->height, line)) {
        return false;
    }
    if (!ParseFrameRate(ask.fps, &recording->fps)) {
        *line = FrameRateRefusal(ask.fps);
        return false;
    }
    LastLine said;
    RequestedTimes times;
    if (!ResolvePlayRange(ask.start, ask.end, &times.startMs, &times.endMs) ||
        !TimesFitTheShow(times, showEndMs)) {
        *line = said.Said();
        return false;
    }
    recording->startMs = times.startMs;
    recording->endMs = times.endMs.value_or(showEndMs);
    return true;
}

// A music that a recorded frame starts stays silent: the show is paused.
void Render(FrameStep& frames, int timeMs, bool alignMusic = false) {
    const std::uint64_t musics = MusicsStarted();
    frames.Render(timeMs, alignMusic);
    if (MusicsStarted() != musics) {
        PausePlayback(true);
    }
}

} // namespace

void RenderPageRecording(FrameStep& frames, int heldMs) {
    Recording recording;
    std::string line;
    if (!CheckAsk(PageRecordingAsked(), frames.Schedule().EndMs(), &recording, &line)) {
        PageRecordingRefused(line);
        return;
    }
    const std::int64_t total = FramesBefore(recording.endMs - recording.startMs, recording.fps);
    // The canvas is the 4:3 picture alone; the page puts the bars around it.
    const Viewport picture = LayOutDrawingArea(recording.width, recording.height, false);
    HoldCanvasSize(frames.Target(), picture.width, picture.height);
    frames.SetFixedStepClock(true);

    Render(frames, recording.startMs + FrameTimeMs(0, recording.fps));
    int anchorMs = 0;
    const double musicAnchorMs = frames.MusicAnchorMs(&anchorMs) ? anchorMs : std::nan("");
    bool going =
        PageRecordingBegins(total, recording.width, recording.height, picture.x, picture.y,
                            recording.fps.num, recording.fps.den, recording.startMs, musicAnchorMs);
    std::int64_t done = 0;
    while (going && done < total) {
        if (done > 0) {
            Render(frames, recording.startMs + FrameTimeMs(done, recording.fps));
        }
        going = PageRecordingFrame(done);
        done += going ? 1 : 0;
    }
    PageRecordingEnds(done == total);

    frames.SetFixedStepClock(false);
    HoldCanvasSize(frames.Target(), 0, 0);
    Render(frames, heldMs, true);
}
