// The demo time of each frame. It runs on the monotonic clock and, while the
// music plays, is pulled towards the position the listener hears, so picture
// and sound stay together while frames never stand still or step back. Only
// when the two are more than a quarter second apart does it jump to the music.
//
// Times are ms as doubles; the caller reads the monotonic clock and the music,
// so the clock itself is a pure function of what it is given.
#pragma once

class DemoClock {
  public:
    // From now (steadyMs) the clock reads timeMs: the start, or a seek.
    void Restart(double timeMs, double steadyMs);
    // While paused the clock stands at the time it had.
    void SetPaused(bool paused, double steadyMs);
    bool Paused() const { return paused_; }

    // The time of a frame at steadyMs, whole ms. musicMs: the demo time the
    // listener hears, or null when no music plays (the steady clock alone).
    int FrameTimeMs(double steadyMs, const double* musicMs);

  private:
    double timeMs_ = 0.0;
    double steadyMs_ = 0.0;
    bool paused_ = false;
};
