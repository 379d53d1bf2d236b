// The capture's container: an MP4 file that the encoders' packets go into,
// interleaved by time. Open, add the streams, Start, write, Finish; a muxer
// destroyed before Finish leaves an unfinished file.
#pragma once

#include "platform/host/LibavHandles.h"

#include <filesystem>
#include <memory>
#include <string>

class Mp4Muxer {
  public:
    // Null with *error when the file cannot be created.
    static std::unique_ptr<Mp4Muxer> Create(const std::filesystem::path& file, std::string* error);

    // Encoders must put their parameter sets in the stream header.
    bool NeedsGlobalHeader() const;
    // A stream with the opened encoder's parameters; its index, or -1 with *error.
    int AddStream(const AVCodecContext* encoder, std::string* error);
    // Writes the header once every stream is added.
    bool Start(std::string* error);
    // Takes every packet the encoder has ready and writes it to stream.
    bool WriteEncoded(AVCodecContext* encoder, int stream, std::string* error);
    // Writes the index: the file plays from here on.
    bool Finish(std::string* error);

  private:
    Mp4Muxer() = default;

    LibavPtr<AVFormatContext> format_;
    LibavPtr<AVPacket> packet_;
};
