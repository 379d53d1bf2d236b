#include "platform/host/capture/CapturePipeline.h"

#include "platform/audio/PlaybackControl.h"
#include "platform/common/Log.h"
#include "platform/host/FrameStep.h"
#include "platform/host/StopSignals.h"
#include "platform/host/capture/CaptureMemory.h"
#include "platform/host/capture/LibavLog.h"
#include "platform/host/capture/ProgressLine.h"
#include "platform/host/gl/Surface.h"

#include <sys/prctl.h>

#include <cstdio>
#include <new>
#include <thread>

namespace {
// AAC packs 1024 sound frames in a packet.
constexpr std::int64_t kAudioBlockFrames = 1024;
} // namespace

CapturePipeline::CapturePipeline(const CaptureSettings& settings, int startMs,
                                 std::int64_t totalFrames)
    : settings_(settings), startMs_(startMs), totalFrames_(totalFrames) {
    // The most sound frames one picture's time holds.
    const auto soundFrames = static_cast<std::size_t>(
        (static_cast<std::int64_t>(settings.fps.den) * kCaptureSampleRate + settings.fps.num - 1) /
            settings.fps.num +
        1);
    for (int slot = 0; slot < kSlots; ++slot) {
        // The frame as rendered, before the encoder filters it down.
        slots_[slot].resize(static_cast<std::size_t>(settings.width) * settings.supersample *
                            settings.height * settings.supersample * 3);
        soundOfSlot_[slot].resize(2 * soundFrames);
        free_.Push(slot);
    }
}

std::unique_ptr<CapturePipeline> CapturePipeline::Open(const CaptureSettings& settings, int startMs,
                                                       int endMs) {
    std::unique_ptr<CapturePipeline> pipeline;
    try {
        pipeline.reset(
            new CapturePipeline(settings, startMs, FramesBefore(endMs - startMs, settings.fps)));
    } catch (const std::bad_alloc&) {
        LogLine("capture: [" + settings.file.string() +
                "] out of memory: " + CaptureMemoryNeed(settings));
        return nullptr;
    }
    RouteLibavLogThroughSink();
    // x264 asks for huge pages for its frames, which a capture pays for in
    // resident memory (about 15 MB at 1280x960) and does not gain speed from.
    prctl(PR_SET_THP_DISABLE, 1, 0, 0, 0);
    std::string error;
    const std::int64_t totalFrames = pipeline->totalFrames_;
    const std::int64_t packets =
        totalFrames + pipeline->SoundFrameOfVideoFrame(totalFrames) / kAudioBlockFrames + 2;
    // No encoded frame takes much more than the frame's RGB pixels.
    const std::int64_t frameBytes = static_cast<std::int64_t>(settings.width) * settings.height * 3;
    pipeline->muxer_ = Mp4Muxer::Create(settings.file, packets, frameBytes, &error);
    if (pipeline->muxer_) {
        const bool globalHeader = pipeline->muxer_->NeedsGlobalHeader();
        pipeline->video_ = VideoEncoder::Open(settings, globalHeader, &error);
        if (pipeline->video_) {
            pipeline->audio_ = AudioEncoder::Open(globalHeader, &error);
        }
    }
    if (pipeline->audio_) {
        Mp4Muxer& muxer = *pipeline->muxer_;
        const int videoStream = muxer.AddStream(pipeline->video_->Codec(), &error);
        const int audioStream =
            videoStream < 0 ? -1 : muxer.AddStream(pipeline->audio_->Codec(), &error);
        if (audioStream >= 0 && muxer.Start(&error)) {
            pipeline->video_->SetStream(videoStream);
            pipeline->audio_->SetStream(audioStream);
            return pipeline;
        }
    }
    LogLine("capture: [" + settings.file.string() + "] " + error);
    return nullptr;
}

std::int64_t CapturePipeline::SoundFrameOfVideoFrame(std::int64_t frame) const {
    const std::int64_t scaled = frame * settings_.fps.den * kCaptureSampleRate;
    return (2 * scaled + settings_.fps.num) / (2 * static_cast<std::int64_t>(settings_.fps.num));
}

int CapturePipeline::Run(FrameStep& frames) {
    ProgressLine progress(totalFrames_, settings_.fps);
    std::thread encoding([this] { EncodeFrames(); });
    std::int64_t rendered = 0;
    while (rendered < totalFrames_ && StopSignalCaught() == 0 && !failed_.load() &&
           !outOfSpace_.load() && !outOfMemory_.load()) {
        const int slot = *free_.Pop();
        try {
            frames.Render(startMs_ + FrameTimeMs(rendered, settings_.fps));
            frames.Target().ReadPixels(slots_[slot]);
        } catch (const std::bad_alloc&) {
            outOfMemory_.store(true);
            free_.Push(slot);
            break;
        }
        const auto soundFrames = static_cast<std::size_t>(SoundFrameOfVideoFrame(rendered + 1) -
                                                          SoundFrameOfVideoFrame(rendered));
        soundFramesOfSlot_[slot] = soundFrames;
        PullSteppedOutput({soundOfSlot_[slot].data(), 2 * soundFrames});
        frameOfSlot_[slot] = rendered;
        filled_.Push(slot);
        ++rendered;
        progress.Update(rendered);
    }
    filled_.Close();
    encoding.join();
    // Stopped short by a full disk or a failed allocation, the held room
    // takes the index, not the frames the encoders still hold.
    const bool outOfSpace = outOfSpace_.load();
    const bool outOfMemory = outOfMemory_.load();
    if (failed_.load() || outOfSpace || outOfMemory) {
        audio_->Discard();
    }
    const bool written =
        !failed_.load() && (outOfSpace || outOfMemory ? muxer_->Finish(&error_) : Finish());
    progress.Finish(encodedFrames_);
    if (!written) {
        LogLine("capture: [" + settings_.file.string() + "] " + error_);
        return 2;
    }
    if (outOfSpace || outOfMemory) {
        char stopped[120];
        std::snprintf(stopped, sizeof stopped,
                      "; stopped after %lld of %lld frames, the file plays what was written",
                      static_cast<long long>(muxer_->PacketsWritten(video_->Stream())),
                      static_cast<long long>(totalFrames_));
        const std::string why = outOfSpace ? "cannot write: the disk is full"
                                           : "out of memory: " + CaptureMemoryNeed(settings_);
        LogLine("capture: [" + settings_.file.string() + "] " + why + stopped);
        return 2;
    }
    if (StopSignalCaught() != 0) {
        char line[160];
        std::snprintf(line, sizeof line, "capture: stopped after %lld of %lld frames; ",
                      static_cast<long long>(encodedFrames_), static_cast<long long>(totalFrames_));
        LogLine(line + settings_.file.string() + " plays what was rendered");
    }
    return StoppedExitStatus();
}

void CapturePipeline::EncodeFrames() {
    while (const std::optional<int> slot = filled_.Pop()) {
        if (!failed_.load() && !outOfSpace_.load() && !outOfMemory_.load()) {
            const std::int64_t frame = frameOfSlot_[*slot];
            bool encoded = false;
            try {
                encoded =
                    video_->Encode(slots_[*slot], frame, *muxer_, &error_) &&
                    audio_->Encode({soundOfSlot_[*slot].data(), 2 * soundFramesOfSlot_[*slot]},
                                   *muxer_, &error_);
            } catch (const std::bad_alloc&) {
                outOfMemory_.store(true);
                free_.Push(*slot);
                continue;
            }
            if (!encoded) {
                failed_.store(true);
            } else if (muxer_->RanOutOfSpace()) {
                outOfSpace_.store(true);
            } else {
                encodedFrames_ = frame + 1;
            }
        }
        free_.Push(*slot);
    }
}

bool CapturePipeline::Finish() {
    return video_->Flush(*muxer_, &error_) && audio_->Finish(*muxer_, &error_) &&
           muxer_->Finish(&error_);
}
