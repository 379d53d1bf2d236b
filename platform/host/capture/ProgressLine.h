// The capture's progress on a terminal: one line, redrawn in place a few
// times a second, with the frame, the share done, the speed against real time
// and the time left. Quiet when stderr is not a terminal.
#pragma once

#include "platform/host/options/CaptureOptions.h"

#include <chrono>
#include <cstdint>

class ProgressLine {
  public:
    ProgressLine(std::int64_t totalFrames, FrameRate fps);

    void Update(std::int64_t framesDone);
    // Draws the last state and ends the line.
    void Finish(std::int64_t framesDone);

  private:
    void Draw(std::int64_t framesDone);

    using Clock = std::chrono::steady_clock;
    const std::int64_t totalFrames_;
    const FrameRate fps_;
    const bool onTerminal_;
    const Clock::time_point start_;
    Clock::time_point lastDrawn_;
};
