// Capture: the show rendered offscreen at a fixed step into an MP4 file,
// picture and sound in step. Two threads share the work: this one renders
// each frame and reads it back into a free slot; the encoding thread converts
// and encodes it (H.264), encodes the sound up to the frame's end (AAC) and
// writes both, then frees the slot. Three slots let rendering run up to two
// frames ahead. Every buffer is taken at Open.
#pragma once

#include "platform/host/AudioEncoder.h"
#include "platform/host/CaptureOptions.h"
#include "platform/host/Mp4Muxer.h"
#include "platform/host/ShowRunner.h"
#include "platform/host/SlotQueue.h"
#include "platform/host/Soundtrack.h"
#include "platform/host/VideoEncoder.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class Scheduler;
class Surface;
struct Timeline;

// Where the music sounds: the module the music player loaded, from its start,
// over the first run of the music effect.
struct CaptureMusic {
    std::span<const unsigned char> module;
    int startMs = 0;
    int endMs = 0;
};

// The music effect's first run in the script; the player frees its device when
// that run ends, so a later run stays silent. No run: no music.
CaptureMusic FindCaptureMusic(const Timeline& timeline, std::span<const RegisteredEffect> effects,
                              std::span<const unsigned char> module);

class CapturePipeline {
  public:
    // Null with one line said when the file or an encoder cannot be opened.
    static std::unique_ptr<CapturePipeline> Open(const CaptureSettings& settings, int endMs,
                                                 const CaptureMusic& music);

    // Renders every frame of 0 <= t < endMs, or until SIGINT or SIGTERM, and
    // finishes the file. The exit status: 0, 2 when writing failed (one line
    // says why; after a full disk the file plays what was written), 128 + the
    // signal when stopped early (the file still plays).
    int Run(Surface& surface, Scheduler& scheduler);

  private:
    CapturePipeline(const CaptureSettings& settings, std::int64_t totalFrames,
                    const CaptureMusic& music);
    // The encoding thread.
    void EncodeFrames();
    bool Finish(std::int64_t frames);
    std::int64_t SoundFrameOfVideoFrame(std::int64_t frame) const;

    static constexpr int kSlots = 3;

    const CaptureSettings settings_;
    const std::int64_t totalFrames_;
    const Soundtrack sound_;
    std::unique_ptr<Mp4Muxer> muxer_;
    std::unique_ptr<VideoEncoder> video_;
    std::unique_ptr<AudioEncoder> audio_;
    std::vector<std::uint8_t> slots_[kSlots]; // RGB, bottom row first
    std::int64_t frameOfSlot_[kSlots] = {};
    SlotQueue free_{kSlots};
    SlotQueue filled_{kSlots};
    std::atomic<bool> failed_{false};
    std::atomic<bool> outOfSpace_{false};
    std::int64_t encodedFrames_ = 0; // the encoding thread's, read after it ends
    std::string error_;              // likewise
};
