// The show's one frame function, for live play, screenshots, shots and
// capture alike: advance the timeline, reset the frame's GL state, draw the
// running effects by layer, present. Offscreen frames also hold the
// millisecond clock at their time, so they are the same on every run.
//
// It also keeps the music with the pictures: the run whose Activate started
// the music that plays puts the music's position 0 at its start, and a frame
// that starts it later than that (a show started in the middle) moves it on
// to match. The runs activate one at a time, and the audio layer's count of
// started musics, read between them, tells which run started one.
#pragma once

#include "platform/host/timeline/Scheduler.h"

#include <cstdint>

class Surface;

class FrameStep {
  public:
    // fixedStepClock: the millisecond clock follows each frame's time.
    FrameStep(Surface& surface, Scheduler& scheduler, bool fixedStepClock);
    FrameStep(const FrameStep&) = delete;
    FrameStep& operator=(const FrameStep&) = delete;

    // alignMusic: also move a music that plays to timeMs (after a seek).
    void Render(int timeMs, bool alignMusic = false);

    // The demo time the listener hears of the music that plays; false when
    // none plays, it was started by no run, or the last frame lay outside
    // that run (a seek before it: the music there is not the show's time).
    bool HeardDemoTimeMs(double* timeMs) const;

    // The demo time at which the music that plays is at its position 0; false
    // when none plays or no run started it.
    bool MusicAnchorMs(int* timeMs) const;

    // Whether the millisecond clock follows each frame's time (the page's
    // recording) or runs on its own again.
    void SetFixedStepClock(bool fixed);

    Surface& Target() { return surface_; }
    Scheduler& Schedule() { return scheduler_; }

  private:
    // Activates the due runs; true when one of them started a music.
    bool ActivateDueRuns(int timeMs);
    // The music that plays last started in a run.
    bool Anchored() const;

    Surface& surface_;
    Scheduler& scheduler_;
    bool fixedStepClock_;
    // The audio layer's count of started musics when a run last started one:
    // the anchor holds while the count stays there.
    std::uint64_t anchoredMusic_ = 0;
    int musicAnchorMs_ = 0;
    int musicRunEndMs_ = 0;
    int lastTimeMs_ = 0;
};
