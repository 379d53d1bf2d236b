#include "platform/web/audio/MusicClock.h"

void MusicClock::Restart(double positionMs, double nowMs) {
    baseMs_ = positionMs;
    sinceMs_ = nowMs;
}

void MusicClock::SetPaused(bool paused, double nowMs) {
    if (paused == paused_) {
        return;
    }
    Restart(PositionMs(nowMs), nowMs);
    paused_ = paused;
}

double MusicClock::PositionMs(double nowMs) const {
    return paused_ ? baseMs_ : baseMs_ + (nowMs - sinceMs_);
}
