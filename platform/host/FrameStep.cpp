#include "platform/host/FrameStep.h"

#include "platform/host/gl/FrameState.h"
#include "platform/host/gl/Surface.h"
#include "platform/win/WinHostControl.h"

FrameStep::FrameStep(Surface& surface, Scheduler& scheduler, bool fixedStepClock)
    : surface_(surface), scheduler_(scheduler), fixedStepClock_(fixedStepClock),
      listenerBefore_(ListenToPlayback(this)) {
    scheduler_.Observe(this);
}

FrameStep::~FrameStep() {
    ListenToPlayback(listenerBefore_);
    scheduler_.Observe(nullptr);
}

void FrameStep::Render(int timeMs, bool alignMusic) {
    if (fixedStepClock_) {
        DriveMillisecondClock(static_cast<DWORD>(timeMs));
    }
    surface_.BeginFrame();
    scheduler_.Advance(timeMs);
    // A music that starts with its run is at position 0 already.
    if (musicPlays_ && (alignMusic || (musicJustStarted_ && timeMs != musicAnchorMs_))) {
        SeekPlayback(timeMs - musicAnchorMs_);
    }
    musicJustStarted_ = false;
    ResetFrameState(surface_.DrawingArea());
    scheduler_.Render(timeMs);
    surface_.Present();
}

bool FrameStep::MusicAnchorMs(int* anchorMs) const {
    *anchorMs = musicAnchorMs_;
    return musicPlays_;
}

void FrameStep::RunActivated(const ScriptRun& run) {
    if (musicStarting_) {
        musicStarting_ = false;
        musicPlays_ = true;
        musicJustStarted_ = true;
        musicAnchorMs_ = run.startMs;
    }
}

void FrameStep::MusicStarted() {
    musicStarting_ = true;
}

void FrameStep::MusicStopped() {
    musicStarting_ = false;
    musicPlays_ = false;
}
