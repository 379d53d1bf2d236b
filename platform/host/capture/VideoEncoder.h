// The capture's picture: RGB frames as the GL reads them (bottom row first)
// converted to 4:2:0 (libswscale) and encoded as H.264 (libx264 through
// libavcodec). Buffers are taken at Open; Encode allocates nothing.
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
    // Null with *error when libx264 is missing or refuses the settings.
    static std::unique_ptr<VideoEncoder> Open(const CaptureSettings& settings, bool globalHeader,
                                              std::string* error);

    const AVCodecContext* Codec() const { return codec_.get(); }
    void SetStream(int stream) { stream_ = stream; }
    int Stream() const { return stream_; }

    // rgb: width * height * 3 bytes, bottom row first; frame counts from 0.
    bool Encode(std::span<const std::uint8_t> rgb, std::int64_t frame, Mp4Muxer& muxer,
                std::string* error);
    // Drains the frames the encoder still holds.
    bool Flush(Mp4Muxer& muxer, std::string* error);

  private:
    VideoEncoder() = default;

    LibavPtr<AVCodecContext> codec_;
    LibavPtr<SwsContext> converter_;
    LibavPtr<AVFrame> picture_;
    int width_ = 0;
    int height_ = 0;
    int stream_ = -1;
};
