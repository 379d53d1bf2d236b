#include "platform/host/FrameStep.h"

#include "platform/audio/PlaybackControl.h"
#include "platform/host/gl/FrameState.h"
#include "platform/host/gl/Surface.h"
#include "platform/win/WinHostControl.h"

FrameStep::FrameStep(Surface& surface, Scheduler& scheduler, bool fixedStepClock)
    : surface_(surface), scheduler_(scheduler), fixedStepClock_(fixedStepClock) {}

void FrameStep::Render(int timeMs, bool alignMusic) {
    if (fixedStepClock_) {
        DriveMillisecondClock(static_cast<DWORD>(timeMs));
    }
    surface_.BeginFrame();
    lastTimeMs_ = timeMs;
    scheduler_.DeactivateEnded(timeMs);
    // A music that starts with its run is at position 0 already.
    const bool started = ActivateDueRuns(timeMs);
    if (Anchored() && (alignMusic || (started && timeMs != musicAnchorMs_))) {
        SeekPlayback(timeMs - musicAnchorMs_);
    }
    ResetFrameState(surface_.DrawingArea());
    scheduler_.Render(timeMs);
    surface_.Present();
}

bool FrameStep::ActivateDueRuns(int timeMs) {
    bool started = false;
    std::uint64_t musics = MusicsStarted();
    while (const ScriptRun* run = scheduler_.ActivateNext(timeMs)) {
        if (MusicsStarted() != musics) {
            musics = MusicsStarted();
            anchoredMusic_ = musics;
            musicAnchorMs_ = run->startMs;
            musicRunEndMs_ = run->endMs;
            started = true;
        }
    }
    return started;
}

bool FrameStep::HeardDemoTimeMs(double* timeMs) const {
    double positionMs = 0.0;
    if (!Anchored() || lastTimeMs_ < musicAnchorMs_ || lastTimeMs_ >= musicRunEndMs_ ||
        !HeardPositionMs(&positionMs)) {
        return false;
    }
    *timeMs = musicAnchorMs_ + positionMs;
    return true;
}

bool FrameStep::MusicAnchorMs(int* timeMs) const {
    if (!Anchored()) {
        return false;
    }
    *timeMs = musicAnchorMs_;
    return true;
}

void FrameStep::SetFixedStepClock(bool fixed) {
    if (fixedStepClock_ && !fixed) {
        ReleaseMillisecondClock();
    }
    fixedStepClock_ = fixed;
}

bool FrameStep::Anchored() const {
    return anchoredMusic_ != 0 && MusicsStarted() == anchoredMusic_;
}
