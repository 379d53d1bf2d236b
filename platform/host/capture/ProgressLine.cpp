#include "platform/host/capture/ProgressLine.h"

#include "platform/common/Log.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr auto kRedrawPeriod = std::chrono::milliseconds(250);
}

ProgressLine::ProgressLine(std::int64_t totalFrames, FrameRate fps)
    : totalFrames_(std::max<std::int64_t>(totalFrames, 1)), fps_(fps),
      onTerminal_(isatty(STDERR_FILENO) == 1), start_(Clock::now()), lastDrawn_(start_) {}

void ProgressLine::Update(std::int64_t framesDone) {
    if (onTerminal_ && Clock::now() - lastDrawn_ >= kRedrawPeriod) {
        Draw(framesDone);
    }
}

void ProgressLine::Finish(std::int64_t framesDone) {
    if (onTerminal_) {
        Draw(framesDone);
        LogLine("");
    }
}

void ProgressLine::Draw(std::int64_t framesDone) {
    lastDrawn_ = Clock::now();
    const double wallSeconds = std::chrono::duration<double>(lastDrawn_ - start_).count();
    const double showSeconds = static_cast<double>(framesDone) * fps_.den / fps_.num;
    const double speed = wallSeconds > 0 ? showSeconds / wallSeconds : 0;
    const double leftSeconds =
        framesDone > 0 ? wallSeconds * static_cast<double>(totalFrames_ - framesDone) / framesDone
                       : 0;
    const int left = static_cast<int>(leftSeconds + 0.5);
    char status[128];
    std::snprintf(status, sizeof status,
                  "capture: frame %lld/%lld  %3d%%  %.2fx real time  %d:%02d left  ",
                  static_cast<long long>(framesDone), static_cast<long long>(totalFrames_),
                  static_cast<int>(100 * framesDone / totalFrames_), speed, left / 60, left % 60);
    LogStatus(status);
}
