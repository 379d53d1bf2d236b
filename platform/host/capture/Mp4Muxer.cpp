#include "platform/host/capture/Mp4Muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
}

#include <limits>

namespace {
// The index takes at most 45 bytes a packet (size, offset, chunk, duration,
// composition offset, key and dependency entries) whatever the stream, an
// all-key-frame lossless one included; 64 leaves room to spare. The fixed part
// holds the headers of the file and its streams, a few kilobytes.
constexpr std::int64_t kIndexBytesPerPacket = 64;
constexpr std::int64_t kIndexFixedBytes = 32 << 10;
// The margin covers the packets still queued and the buffer when the disk fills.
constexpr std::int64_t kHeldMarginBytes = 2 << 20;
} // namespace

std::unique_ptr<Mp4Muxer> Mp4Muxer::Create(const std::filesystem::path& file, std::int64_t packets,
                                           std::int64_t packetBytes, std::string* error) {
    std::unique_ptr<Mp4Muxer> muxer(new Mp4Muxer);
    // The index's place at the front stays unwritten until Finish, so the disk
    // could fill before then: its room is held too, with the rest of the
    // packet being written when the disk fills.
    const std::int64_t indexBytes = kIndexFixedBytes + kIndexBytesPerPacket * packets;
    muxer->file_ = CaptureFile::Create(file, kHeldMarginBytes + packetBytes + indexBytes, error);
    if (!muxer->file_) {
        return nullptr;
    }
    AVFormatContext* format = nullptr;
    int result = avformat_alloc_output_context2(&format, nullptr, "mp4", file.c_str());
    if (result < 0) {
        *error = "needs libavformat's mp4 muxer: " + LibavErrorText(result);
        return nullptr;
    }
    muxer->format_.reset(format);
    // The index goes before the media, in room left for it at the front, so a
    // player starts before the whole file has arrived. An index too large for
    // the muxer's option (days at a thousand frames a second) goes at the end.
    if (indexBytes <= std::numeric_limits<int>::max()) {
        result = av_opt_set_int(format->priv_data, "moov_size", indexBytes, 0);
        if (result < 0) {
            *error = "needs libavformat's mp4 muxer with moov_size: " + LibavErrorText(result);
            return nullptr;
        }
    }
    format->pb = muxer->file_->Io();
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    muxer->packet_.reset(av_packet_alloc());
    if (!muxer->packet_) {
        *error = "out of memory";
        return nullptr;
    }
    return muxer;
}

bool Mp4Muxer::NeedsGlobalHeader() const {
    return (format_->oformat->flags & AVFMT_GLOBALHEADER) != 0;
}

int Mp4Muxer::AddStream(const AVCodecContext* encoder, std::string* error) {
    AVStream* stream = avformat_new_stream(format_.get(), nullptr);
    if (stream == nullptr) {
        *error = "out of memory";
        return -1;
    }
    const int result = avcodec_parameters_from_context(stream->codecpar, encoder);
    if (result < 0) {
        *error = "cannot describe a stream: " + LibavErrorText(result);
        return -1;
    }
    stream->time_base = encoder->time_base;
    if (encoder->codec_type == AVMEDIA_TYPE_VIDEO) {
        stream->avg_frame_rate = encoder->framerate;
    }
    return stream->index;
}

bool Mp4Muxer::Start(std::string* error) {
    const int result = avformat_write_header(format_.get(), nullptr);
    if (result < 0) {
        *error = "cannot write the header: " + LibavErrorText(result);
        return false;
    }
    return true;
}

bool Mp4Muxer::WriteEncoded(AVCodecContext* encoder, int stream, std::string* error) {
    AVPacket* packet = packet_.get();
    for (;;) {
        int result = avcodec_receive_packet(encoder, packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) {
            return true;
        }
        if (result < 0) {
            *error = "the encoder failed: " + LibavErrorText(result);
            return false;
        }
        av_packet_rescale_ts(packet, encoder->time_base, format_->streams[stream]->time_base);
        packet->stream_index = stream;
        // Takes the packet's data and leaves the packet blank for the next one.
        result = av_interleaved_write_frame(format_.get(), packet);
        if (result < 0) {
            *error = "cannot write: " + LibavErrorText(result);
            return false;
        }
    }
}

std::int64_t Mp4Muxer::PacketsWritten(int stream) const {
    return format_->streams[stream]->nb_frames;
}

bool Mp4Muxer::Finish(std::string* error) {
    const int result = av_write_trailer(format_.get());
    if (result < 0) {
        *error = "cannot finish the file: " + LibavErrorText(result);
        return false;
    }
    return file_->Close(error);
}
