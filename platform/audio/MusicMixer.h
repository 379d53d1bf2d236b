// The loaded musics and which one plays: everything the output's thread
// touches. Each call takes the one lock; Fill is the output's, the rest are the
// show's thread's.
//
// NOTE: positions are counted in frames handed to the output, so they advance
// at the output's pace (real time) and go on through the silence after a
// module's end.
#pragma once

#include "platform/audio/ModuleDecoder.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class MusicMixer {
  public:
    explicit MusicMixer(int sampleRate);
    MusicMixer(const MusicMixer&) = delete;
    MusicMixer& operator=(const MusicMixer&) = delete;

    void Add(std::uint32_t handle, std::unique_ptr<ModuleDecoder> decoder);
    // False for a handle that was never added.
    bool Play(std::uint32_t handle);
    bool PlayFrom(std::uint32_t handle, std::int64_t positionMs);
    // 0 for a handle that was never added.
    std::int64_t PositionMs(std::uint32_t handle) const;
    void SetGain(float gain);

    // The host's transport, on the music that plays. False when none plays.
    // HeardPositionMs: the frames consumed less latencyFrames (those still
    // queued in the output), moved on with the clock since the last fill but
    // never past the frames that fill handed over.
    bool HeardPositionMs(std::int64_t latencyFrames, double* positionMs) const;
    // Exact to the frame, unlike PlayFrom's row start.
    bool SeekPlaying(std::int64_t positionMs);
    // A paused mixer hands out silence and its position stands still.
    void SetPaused(bool paused);
    // -1 for a handle that was never added.
    std::int64_t LengthMs(std::uint32_t handle) const;

    // Output's thread: numFrames frames of interleaved stereo, silence when
    // nothing plays. Allocates nothing.
    void Fill(float* interleaved, std::size_t numFrames);

  private:
    struct Music {
        std::uint32_t handle;
        std::unique_ptr<ModuleDecoder> decoder;
        std::int64_t playedFrames; // from the module's start
    };

    Music* Find(std::uint32_t handle);
    const Music* Find(std::uint32_t handle) const;

    const int sampleRate_;
    mutable std::mutex lock_;
    std::vector<Music> musics_;
    Music* playing_ = nullptr; // into musics_; null when silent
    float gain_ = 1.0f;
    bool paused_ = false;
    std::chrono::steady_clock::time_point lastFillAt_;
    std::int64_t lastFillFrames_ = 0;
};
