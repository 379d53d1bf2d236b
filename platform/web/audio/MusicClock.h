// A music position that runs in real time from where it was last set: the
// clock of the page's silent output and of a page whose sound failed, and
// the worklet's music between its reports.
#pragma once

class MusicClock {
  public:
    void Restart(double positionMs, double nowMs);
    // Holds the position where it stands, or lets it run on from there.
    void SetPaused(bool paused, double nowMs);
    double PositionMs(double nowMs) const;

  private:
    double baseMs_ = 0.0;
    double sinceMs_ = 0.0;
    bool paused_ = false;
};
