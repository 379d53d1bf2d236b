#include "platform/host/Mp4Muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

std::unique_ptr<Mp4Muxer> Mp4Muxer::Create(const std::filesystem::path& file, std::string* error) {
    std::unique_ptr<Mp4Muxer> muxer(new Mp4Muxer);
    AVFormatContext* format = nullptr;
    int result = avformat_alloc_output_context2(&format, nullptr, "mp4", file.c_str());
    if (result < 0) {
        *error = "needs libavformat's mp4 muxer: " + LibavErrorText(result);
        return nullptr;
    }
    muxer->format_.reset(format);
    result = avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE);
    if (result < 0) {
        *error = "cannot create the file: " + LibavErrorText(result);
        return nullptr;
    }
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

bool Mp4Muxer::Finish(std::string* error) {
    int result = av_write_trailer(format_.get());
    if (result >= 0) {
        result = avio_closep(&format_->pb);
    }
    if (result < 0) {
        *error = "cannot finish the file: " + LibavErrorText(result);
        return false;
    }
    return true;
}
