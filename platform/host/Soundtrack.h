// The capture's sound by demo time, rendered ahead: silence until the music's
// run starts, then the module from its start, silence again once the run ends.
// Frame s sounds at s / kOfflineSampleRate seconds of demo time.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

class Soundtrack {
  public:
    // module: the bytes the music player loaded (empty: silence throughout).
    // Only frames before showFrames are rendered. A module that does not
    // decode gives one line and silence.
    Soundtrack(std::span<const unsigned char> module, int startMs, int endMs,
               std::int64_t showFrames);

    // Frames [first, first + left.size()) into the two channels.
    void Read(std::int64_t first, std::span<float> left, std::span<float> right) const;

  private:
    std::vector<float> interleaved_; // the music's run, from its first frame
    std::int64_t startFrame_ = 0;
};

// The frame that sounds at timeMs.
std::int64_t SoundFrameAt(int timeMs);
