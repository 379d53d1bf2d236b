#include "platform/web/page/RenderScale.h"

#include <algorithm>
#include <cmath>

namespace {

// Frames further apart than this say the display's pace is not kept (under
// about 42 a second); closer than kQuickMs there is room to spare.
constexpr double kSlowMs = 24.0;
constexpr double kQuickMs = 19.0;
// What a lowered scale aims for: about 58 frames a second.
constexpr double kAimMs = 17.0;
// A gap this long is a pause the browser made (a hidden tab), not a frame.
constexpr double kNoFrameMs = 1000.0;
// Quick frames for this long before the scale goes up a step.
constexpr double kRaiseAfterMs = 2000.0;
constexpr double kRaiseStep = 1.1;
// A scale found too slow is not tried again for this long: long enough not
// to flicker between two sizes, short enough for a lighter part of the show.
constexpr double kCeilingMs = 10000.0;

} // namespace

RenderScale::RenderScale(double lowest) : lowest_(std::min(lowest, 1.0)) {}

void RenderScale::Frame(double nowMs) {
    const double intervalMs = nowMs - lastFrameMs_;
    const bool counts = lastFrameMs_ >= 0.0 && intervalMs < kNoFrameMs;
    lastFrameMs_ = nowMs;
    if (!counts) {
        return;
    }
    intervals_[counted_++] = intervalMs;
    if (counted_ < kWindow) {
        return;
    }
    counted_ = 0;
    std::nth_element(intervals_.begin(), intervals_.begin() + kWindow / 2, intervals_.end());
    Judge(intervals_[kWindow / 2], nowMs);
}

void RenderScale::Judge(double medianMs, double nowMs) {
    if (medianMs > kSlowMs) {
        // The fill is most of a slow frame's cost: it goes with the area.
        ceiling_ = scale_;
        ceilingUntilMs_ = nowMs + kCeilingMs;
        scale_ = std::max(lowest_, scale_ * std::clamp(std::sqrt(kAimMs / medianMs), 0.6, 0.9));
        quickSinceMs_ = -1.0;
        return;
    }
    if (medianMs >= kQuickMs || scale_ >= 1.0) {
        quickSinceMs_ = -1.0;
        return;
    }
    if (quickSinceMs_ < 0.0) {
        quickSinceMs_ = nowMs;
        return;
    }
    if (nowMs - quickSinceMs_ < kRaiseAfterMs) {
        return;
    }
    const double limit = nowMs < ceilingUntilMs_ ? ceiling_ * 0.95 : 1.0;
    scale_ = std::max(scale_, std::min(scale_ * kRaiseStep, std::min(limit, 1.0)));
    quickSinceMs_ = nowMs;
}
