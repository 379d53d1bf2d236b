// The capture's picture: RGB frames as the GL reads them (bottom row first),
// rendered at the supersampling factor times the frame size, filtered down and
// converted in one pass (libswscale), and encoded as H.264 through libavcodec:
// BT.709 4:2:0 with libx264, or, lossless, the RGB pixels at qp 0 with
// libx264rgb. Buffers are taken at Open; Encode allocates nothing.
#pragma once

#include "platform/host/capture/LibavHandles.h"
#include "platform/host/options/CaptureOptions.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

class Mp4Muxer;

class VideoEncoder {
  public:
    // Null with *error when the encoder is missing or refuses the settings.
    static std::unique_ptr<VideoEncoder> Open(const CaptureSettings& settings, bool globalHeader,
                                              std::string* error);

    const AVCodecContext* Codec() const { return codec_.get(); }
    void SetStream(int stream) { stream_ = stream; }
    int Stream() const { return stream_; }

    // rgb: the render size's (width and height times the supersampling) RGB
    // pixels, bottom row first; frame counts from 0.
    bool Encode(std::span<const std::uint8_t> rgb, std::int64_t frame, Mp4Muxer& muxer,
                std::string* error);
    // Drains the frames the encoder still holds.
    bool Flush(Mp4Muxer& muxer, std::string* error);

  private:
    VideoEncoder() = default;

    LibavPtr<AVCodecContext> codec_;
    LibavPtr<SwsContext> converter_;
    LibavPtr<AVFrame> picture_;
    std::string encoderName_; // for messages
    int renderWidth_ = 0;
    int renderHeight_ = 0;
    int stream_ = -1;
};
