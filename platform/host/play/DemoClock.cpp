#include "platform/host/play/DemoClock.h"

#include <algorithm>
#include <cmath>

namespace {

// Each frame closes this share of the distance to the music: jitter in the
// output's position averages out, a real difference is gone within a few
// tenths of a second.
constexpr double kPull = 0.1;
// However far ahead the clock is, time still moves at half speed or more.
constexpr double kSlowestRate = 0.5;
// Further apart than this the picture has missed something it could not see
// (a tab the browser froze, a stalled output, a skip in the sound): it goes
// to the music at once, backwards too, rather than closing in for seconds.
constexpr double kSnapMs = 250.0;

} // namespace

void DemoClock::Restart(double timeMs, double steadyMs) {
    timeMs_ = timeMs;
    steadyMs_ = steadyMs;
}

void DemoClock::SetPaused(bool paused, double steadyMs) {
    if (!paused_) {
        timeMs_ += std::max(steadyMs - steadyMs_, 0.0);
    }
    paused_ = paused;
    steadyMs_ = steadyMs;
}

int DemoClock::FrameTimeMs(double steadyMs, const double* musicMs) {
    const double elapsedMs = std::max(steadyMs - steadyMs_, 0.0);
    steadyMs_ = steadyMs;
    if (paused_) {
        return static_cast<int>(std::floor(timeMs_));
    }
    double next = timeMs_ + elapsedMs;
    if (musicMs != nullptr && std::abs(*musicMs - next) > kSnapMs) {
        timeMs_ = *musicMs;
    } else {
        if (musicMs != nullptr) {
            next += (*musicMs - next) * kPull;
        }
        timeMs_ = std::max(next, timeMs_ + elapsedMs * kSlowestRate);
    }
    return static_cast<int>(std::floor(timeMs_));
}
