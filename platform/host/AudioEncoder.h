// The capture's sound: the soundtrack encoded as AAC, 44100 Hz stereo, in
// 1024-frame blocks that follow the pictures encoded so far. The block buffer
// is taken at Open; encoding allocates nothing.
#pragma once

#include "platform/host/LibavHandles.h"

#include <cstdint>
#include <memory>
#include <string>

class Mp4Muxer;
class Soundtrack;

class AudioEncoder {
  public:
    // Null with *error when libavcodec has no AAC encoder.
    static std::unique_ptr<AudioEncoder> Open(bool globalHeader, std::string* error);

    const AVCodecContext* Codec() const { return codec_.get(); }
    void SetStream(int stream) { stream_ = stream; }

    // Encodes every whole block that ends at or before endFrame.
    bool EncodeUntil(std::int64_t endFrame, const Soundtrack& sound, Mp4Muxer& muxer,
                     std::string* error);
    // Encodes up to endFrame exactly (a short last block) and drains the encoder.
    bool Finish(std::int64_t endFrame, const Soundtrack& sound, Mp4Muxer& muxer,
                std::string* error);

  private:
    AudioEncoder() = default;
    bool EncodeBlock(int numFrames, const Soundtrack& sound, Mp4Muxer& muxer, std::string* error);

    LibavPtr<AVCodecContext> codec_;
    LibavPtr<AVFrame> block_;
    std::int64_t nextFrame_ = 0;
    int blockFrames_ = 0;
    int stream_ = -1;
};
