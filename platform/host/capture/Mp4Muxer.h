// The capture's container: an MP4 file that the encoders' packets go into,
// interleaved by time, with the index before them so that it plays while it
// downloads. Open, add the streams, Start, write, Finish; a muxer destroyed
// before Finish leaves an unfinished file. Room for the index is held from the
// start, so a file cut short by a full disk can still be finished.
#pragma once

#include "platform/host/capture/CaptureFile.h"
#include "platform/host/capture/LibavHandles.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class Mp4Muxer {
  public:
    // Null with *error when the file cannot be created or the room for the
    // index cannot be held. packets: how many the streams will write at most,
    // give or take a few; packetBytes: the most one packet can take.
    static std::unique_ptr<Mp4Muxer> Create(const std::filesystem::path& file, std::int64_t packets,
                                            std::int64_t packetBytes, std::string* error);

    // Encoders must put their parameter sets in the stream header.
    bool NeedsGlobalHeader() const;
    // A stream with the opened encoder's parameters; its index, or -1 with *error.
    int AddStream(const AVCodecContext* encoder, std::string* error);
    // Writes the header once every stream is added.
    bool Start(std::string* error);
    // Takes every packet the encoder has ready and writes it to stream.
    bool WriteEncoded(AVCodecContext* encoder, int stream, std::string* error);
    // True once the disk filled: write no more, Finish what was written.
    bool RanOutOfSpace() const { return file_->RanOutOfSpace(); }
    // Packets of stream in the file so far.
    std::int64_t PacketsWritten(int stream) const;
    // Writes the index: the file plays from here on.
    bool Finish(std::string* error);

  private:
    Mp4Muxer() = default;

    std::unique_ptr<CaptureFile> file_; // outlives the format context writing to it
    LibavPtr<AVFormatContext> format_;
    LibavPtr<AVPacket> packet_;
};
