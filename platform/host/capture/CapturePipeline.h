// Capture: the show rendered offscreen at a fixed step into an MP4 file,
// picture and sound in step. Two threads share the work: this one renders
// each frame, reads it back into a free slot and pulls the sound that plays
// until the next frame from the audio layer's stepped output; the encoding
// thread converts and encodes the picture (H.264) and the sound (AAC) and
// writes both, then frees the slot. Three slots let rendering run up to two
// frames ahead. Every buffer is taken at Open.
#pragma once

#include "platform/host/capture/AudioEncoder.h"
#include "platform/host/capture/Mp4Muxer.h"
#include "platform/host/capture/SlotQueue.h"
#include "platform/host/capture/VideoEncoder.h"
#include "platform/host/options/CaptureOptions.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class FrameStep;

class CapturePipeline {
  public:
    static constexpr int kSlots = 3;

    // Null with one line said when the file or an encoder cannot be opened, or
    // the frames' memory cannot be had. The capture covers startMs <= t < endMs.
    static std::unique_ptr<CapturePipeline> Open(const CaptureSettings& settings, int startMs,
                                                 int endMs);

    // Renders every frame of the range, or until a stop signal, and
    // finishes the file. The exit status: 0, 2 when writing failed (one line
    // says why; after a full disk or a failed allocation the file plays what
    // was written), 128 + the signal when stopped early (the file still plays).
    int Run(FrameStep& frames);

  private:
    CapturePipeline(const CaptureSettings& settings, int startMs, std::int64_t totalFrames);
    // The encoding thread.
    void EncodeFrames();
    bool Finish();
    std::int64_t SoundFrameOfVideoFrame(std::int64_t frame) const;

    const CaptureSettings settings_;
    const int startMs_;
    const std::int64_t totalFrames_;
    std::unique_ptr<Mp4Muxer> muxer_;
    std::unique_ptr<VideoEncoder> video_;
    std::unique_ptr<AudioEncoder> audio_;
    std::vector<std::uint8_t> slots_[kSlots]; // RGB as rendered, bottom row first
    std::vector<float> soundOfSlot_[kSlots];  // interleaved stereo, the frame's share
    std::size_t soundFramesOfSlot_[kSlots] = {};
    std::int64_t frameOfSlot_[kSlots] = {};
    SlotQueue free_{kSlots};
    SlotQueue filled_{kSlots};
    std::atomic<bool> failed_{false};
    std::atomic<bool> outOfSpace_{false};
    std::atomic<bool> outOfMemory_{false};
    std::int64_t encodedFrames_ = 0; // the encoding thread's, read after it ends
    std::string error_;              // likewise
};
