#include "tests/support/VideoProbe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <fstream>
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
    const auto format = static_cast<AVPixelFormat>(frame->format);
    const AVPixFmtDescriptor* layout = av_pix_fmt_desc_get(format);
    std::uint64_t hash = 14695981039346656037ull;
    for (int plane = 0; plane < av_pix_fmt_count_planes(format); ++plane) {
        const bool chroma = plane == 1 || plane == 2;
        const int rows =
            chroma ? AV_CEIL_RSHIFT(frame->height, layout->log2_chroma_h) : frame->height;
        const int bytes = av_image_get_linesize(format, frame->width, plane);
        for (int y = 0; y < rows; ++y) {
            const std::uint8_t* row = frame->data[plane] + y * frame->linesize[plane];
            for (int x = 0; x < bytes; ++x) {
                hash = (hash ^ row[x]) * 1099511628211ull;
            }
        }
    }
    return hash;
}

std::vector<std::uint8_t> ToRgb(const AVFrame* frame) {
    const auto format = static_cast<AVPixelFormat>(frame->format);
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(frame->width) * frame->height * 3);
    SwsContext* converter = sws_getContext(
        frame->width, frame->height, format, frame->width, frame->height, AV_PIX_FMT_RGB24,
        SWS_POINT | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT, nullptr, nullptr, nullptr);
    if (converter == nullptr) {
        return {};
    }
    if ((av_pix_fmt_desc_get(format)->flags & AV_PIX_FMT_FLAG_RGB) == 0) {
        // libswscale's tables are numbered as the stream's matrices are.
        const int* matrix = sws_getCoefficients(frame->colorspace);
        sws_setColorspaceDetails(converter, matrix, frame->color_range == AVCOL_RANGE_JPEG, matrix,
                                 1, 0, 1 << 16, 1 << 16);
    }
    std::uint8_t* const planes[] = {rgb.data()};
    const int strides[] = {frame->width * 3};
    sws_scale(converter, frame->data, frame->linesize, 0, frame->height, planes, strides);
    sws_freeContext(converter);
    return rgb;
}

std::string NameOr(const char* name) {
    return name != nullptr ? name : "";
}

std::vector<std::string> TopLevelBoxes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> boxes;
    const auto fileSize = static_cast<std::uint64_t>(std::filesystem::file_size(file));
    std::uint64_t at = 0;
    while (at + 8 <= fileSize) {
        unsigned char header[16] = {};
        in.seekg(static_cast<std::streamoff>(at));
        in.read(reinterpret_cast<char*>(header), 16);
        std::uint64_t size = 0;
        for (int i = 0; i < 4; ++i) {
            size = size << 8 | header[i];
        }
        // 1: a 64-bit size follows the type; 0: the box runs to the end.
        if (size == 1) {
            size = 0;
            for (int i = 8; i < 16; ++i) {
                size = size << 8 | header[i];
            }
        } else if (size == 0) {
            size = fileSize - at;
        }
        const std::string type(reinterpret_cast<const char*>(header) + 4, 4);
        const bool named = std::all_of(type.begin(), type.end(),
                                       [](unsigned char c) { return c >= 0x20 && c < 0x7f; });
        if (!named || size < 8 || size > fileSize - at) {
            return {};
        }
        boxes.push_back(type);
        at += size;
    }
    return boxes;
}

void Drain(AVCodecContext* codec, AVFrame* frame, ProbedVideo* probe) {
    while (avcodec_receive_frame(codec, frame) == 0) {
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO) {
            if (probe->frameHashes.empty()) {
                probe->firstFrameRgb = ToRgb(frame);
            }
            probe->lastFrameRgb = ToRgb(frame);
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
        probe.colorSpace = NameOr(av_color_space_name(stream->codecpar->color_space));
        probe.colorPrimaries = NameOr(av_color_primaries_name(stream->codecpar->color_primaries));
        probe.colorTransfer = NameOr(av_color_transfer_name(stream->codecpar->color_trc));
        probe.colorRange = NameOr(av_color_range_name(stream->codecpar->color_range));
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
    probe.topLevelBoxes = TopLevelBoxes(file);
    probe.opened = true;
    return probe;
}
