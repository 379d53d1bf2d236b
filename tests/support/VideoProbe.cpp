#include "tests/support/VideoProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <memory>

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* format) const { avformat_close_input(&format); }
};
struct CodecFreer {
    void operator()(AVCodecContext* codec) const { avcodec_free_context(&codec); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using Codec = std::unique_ptr<AVCodecContext, CodecFreer>;

Codec OpenDecoder(const AVStream* stream) {
    const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
    Codec codec(avcodec_alloc_context3(decoder));
    if (decoder == nullptr || avcodec_parameters_to_context(codec.get(), stream->codecpar) < 0 ||
        avcodec_open2(codec.get(), decoder, nullptr) < 0) {
        return nullptr;
    }
    return codec;
}

// FNV-1a over the visible bytes of every plane.
std::uint64_t HashPicture(const AVFrame* frame) {
    std::uint64_t hash = 14695981039346656037ull;
    for (int plane = 0; plane < 3; ++plane) {
        const int rows = plane == 0 ? frame->height : (frame->height + 1) / 2;
        const int columns = plane == 0 ? frame->width : (frame->width + 1) / 2;
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = frame->data[plane] + y * frame->linesize[plane];
            for (int x = 0; x < columns; ++x) {
                hash = (hash ^ row[x]) * 1099511628211ull;
            }
        }
    }
    return hash;
}

void Drain(AVCodecContext* codec, AVFrame* frame, ProbedVideo* probe) {
    while (avcodec_receive_frame(codec, frame) == 0) {
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
            probe->frameHashes.push_back(HashPicture(frame));
        } else {
            const auto* samples = reinterpret_cast<const float*>(frame->data[0]);
            probe->left.insert(probe->left.end(), samples, samples + frame->nb_samples);
        }
    }
}

} // namespace

ProbedVideo ProbeVideo(const std::filesystem::path& file) {
    ProbedVideo probe;
    AVFormatContext* opened = nullptr;
    if (avformat_open_input(&opened, file.c_str(), nullptr, nullptr) < 0) {
        return probe;
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(opened);
    if (avformat_find_stream_info(format.get(), nullptr) < 0) {
        return probe;
    }
    const int video = av_find_best_stream(format.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    Codec videoCodec;
    Codec audioCodec;
    if (video >= 0) {
        const AVStream* stream = format->streams[video];
        probe.videoCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.width = stream->codecpar->width;
        probe.height = stream->codecpar->height;
        probe.fpsNum = stream->avg_frame_rate.num;
        probe.fpsDen = stream->avg_frame_rate.den;
        videoCodec = OpenDecoder(stream);
    }
    if (audio >= 0) {
        const AVStream* stream = format->streams[audio];
        probe.audioCodec = avcodec_get_name(stream->codecpar->codec_id);
        probe.sampleRate = stream->codecpar->sample_rate;
        probe.channels = stream->codecpar->ch_layout.nb_channels;
        audioCodec = OpenDecoder(stream);
    }
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    while (av_read_frame(format.get(), packet.get()) >= 0) {
        AVCodecContext* codec = packet->stream_index == video   ? videoCodec.get()
                                : packet->stream_index == audio ? audioCodec.get()
                                                                : nullptr;
        if (codec != nullptr && avcodec_send_packet(codec, packet.get()) >= 0) {
            Drain(codec, frame.get(), &probe);
        }
        av_packet_unref(packet.get());
    }
    for (AVCodecContext* codec : {videoCodec.get(), audioCodec.get()}) {
        if (codec != nullptr) {
            avcodec_send_packet(codec, nullptr);
            Drain(codec, frame.get(), &probe);
        }
    }
    probe.opened = true;
    return probe;
}
