// The capture's sound: what the audio layer's stepped output gave, encoded as
// AAC, 44100 Hz stereo, in 1024-frame blocks. The block buffer is taken at
// Open; encoding allocates nothing.
#pragma once

#include "platform/host/capture/LibavHandles.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

class Mp4Muxer;

// The music player opens its device at this rate.
inline constexpr int kCaptureSampleRate = 44100;

class AudioEncoder {
  public:
    // Null with *error when libavcodec has no AAC encoder.
    static std::unique_ptr<AudioEncoder> Open(bool globalHeader, std::string* error);

    const AVCodecContext* Codec() const { return codec_.get(); }
    void SetStream(int stream) { stream_ = stream; }

    // Takes interleaved stereo frames and encodes every block they fill.
    bool Encode(std::span<const float> interleaved, Mp4Muxer& muxer, std::string* error);
    // Encodes what is left as a short last block and drains the encoder.
    bool Finish(Mp4Muxer& muxer, std::string* error);
    // Drains the encoder and drops what it held, for a capture that stopped
    // short: closed with blocks queued, libav would say so on a line of its own.
    void Discard();

  private:
    AudioEncoder() = default;
    bool SendBlock(Mp4Muxer& muxer, std::string* error);

    LibavPtr<AVCodecContext> codec_;
    LibavPtr<AVFrame> block_;
    std::int64_t nextFrame_ = 0; // of the block being filled
    int blockFrames_ = 0;
    int filledFrames_ = 0; // of the block being filled
    int stream_ = -1;
};
