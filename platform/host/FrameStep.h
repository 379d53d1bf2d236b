// The show's one frame function, for live play, screenshots, shots and
// capture alike: advance the timeline, reset the frame's GL state, draw the
// running effects by layer, present. Offscreen frames also hold the
// millisecond clock at the frame's time, so they are the same on every run.
//
// It also keeps the music with the pictures: when a run's Activate starts a
// music, that run's start is the music's position 0, and a frame that starts
// it later than that (a show started in the middle) moves it on to match.
#pragma once

#include "platform/audio/PlaybackControl.h"
#include "platform/host/timeline/Scheduler.h"

class Surface;

class FrameStep final : RunObserver, PlaybackListener {
  public:
    // fixedStepClock: the millisecond clock follows each frame's time.
    FrameStep(Surface& surface, Scheduler& scheduler, bool fixedStepClock);
    ~FrameStep();
    FrameStep(const FrameStep&) = delete;
    FrameStep& operator=(const FrameStep&) = delete;

    // alignMusic: also move a music that plays to timeMs (after a seek).
    void Render(int timeMs, bool alignMusic = false);

    // The demo time of the playing music's position 0; false when none plays.
    bool MusicAnchorMs(int* anchorMs) const;

    Surface& Target() { return surface_; }
    Scheduler& Schedule() { return scheduler_; }

  private:
    void RunActivated(const ScriptRun& run) override;
    void MusicStarted() override;
    void MusicStopped() override;

    Surface& surface_;
    Scheduler& scheduler_;
    const bool fixedStepClock_;
    PlaybackListener* const listenerBefore_; // told again once this one goes
    bool musicStarting_ = false;             // a music started inside the Activate being made
    bool musicPlays_ = false;
    bool musicJustStarted_ = false;
    int musicAnchorMs_ = 0;
};
