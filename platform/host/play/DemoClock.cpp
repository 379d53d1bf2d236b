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
    if (!paused_) {
        double next = timeMs_ + elapsedMs;
        if (musicMs != nullptr) {
            next += (*musicMs - next) * kPull;
        }
        timeMs_ = std::max(next, timeMs_ + elapsedMs * kSlowestRate);
    }
    return static_cast<int>(std::floor(timeMs_));
}
