#include "platform/host/capture/VideoEncoder.h"

#include "platform/host/capture/Mp4Muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <thread>

namespace {

// The two ways a capture stores its pictures.
struct Format {
    const char* encoder;
    AVPixelFormat pixels;
    AVColorSpace matrix;
    AVColorRange range;
};

// What players and video sites expect: BT.709, studio range, 4:2:0.
constexpr Format kPublished{"libx264", AV_PIX_FMT_YUV420P, AVCOL_SPC_BT709, AVCOL_RANGE_MPEG};
// The rendered pixels themselves, for editing.
constexpr Format kLossless{"libx264rgb", AV_PIX_FMT_RGB24, AVCOL_SPC_RGB, AVCOL_RANGE_JPEG};

// A box filter over each N x N block is what supersampling averages; reading
// the chroma at full width keeps it a box at odd factors too.
constexpr int kScaleFlags = SWS_AREA | SWS_FULL_CHR_H_INP;

} // namespace

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const CaptureSettings& settings, bool globalHeader,
                                                 std::string* error) {
    const Format& format = settings.lossless ? kLossless : kPublished;
    const AVCodec* x264 = avcodec_find_encoder_by_name(format.encoder);
    if (x264 == nullptr) {
        *error = std::string("needs libavcodec with ") + format.encoder + ", found it without";
        return nullptr;
    }
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->encoderName_ = format.encoder;
    encoder->renderWidth_ = settings.width * settings.supersample;
    encoder->renderHeight_ = settings.height * settings.supersample;
    encoder->codec_.reset(avcodec_alloc_context3(x264));
    encoder->picture_.reset(av_frame_alloc());
    if (!encoder->codec_ || !encoder->picture_) {
        *error = "out of memory";
        return nullptr;
    }
    AVCodecContext* codec = encoder->codec_.get();
    codec->width = settings.width;
    codec->height = settings.height;
    codec->pix_fmt = format.pixels;
    codec->time_base = AVRational{settings.fps.den, settings.fps.num};
    codec->framerate = AVRational{settings.fps.num, settings.fps.den};
    // Stated in the stream, so that players need not guess from the frame size.
    codec->color_range = format.range;
    codec->colorspace = format.matrix;
    codec->color_primaries = AVCOL_PRI_BT709;
    codec->color_trc = AVCOL_TRC_BT709;
    if (globalHeader) {
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    av_opt_set(codec->priv_data, "preset", settings.preset.c_str(), 0);
    // Memory: by default x264 runs 1.5 threads a core with a lookahead kept in
    // step with them, some twenty frames in flight. The capture renders on a
    // core of its own, so x264 gets a thread for each of the others, with no
    // synced lookahead, and the default preset's ten frames of lookahead are
    // cut to five: a 1280x960 capture stays near 250 MB at the same speed.
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    codec->thread_count = std::max(1, cores - 1);
    av_opt_set(
        codec->priv_data, "x264-params",
        settings.preset == "veryfast" ? "sync-lookahead=0:rc-lookahead=5" : "sync-lookahead=0", 0);
    if (settings.lossless) {
        av_opt_set_int(codec->priv_data, "qp", 0, 0);
    } else {
        av_opt_set_double(codec->priv_data, "crf", settings.crf, 0);
    }
    int result = avcodec_open2(codec, x264, nullptr);
    if (result < 0) {
        *error = std::string(format.encoder) + " refused " + std::to_string(settings.width) + "x" +
                 std::to_string(settings.height) + ": " + LibavErrorText(result);
        return nullptr;
    }

    AVFrame* picture = encoder->picture_.get();
    picture->format = format.pixels;
    picture->width = settings.width;
    picture->height = settings.height;
    result = av_frame_get_buffer(picture, 0);
    encoder->converter_.reset(sws_getContext(
        encoder->renderWidth_, encoder->renderHeight_, AV_PIX_FMT_RGB24, settings.width,
        settings.height, format.pixels, kScaleFlags, nullptr, nullptr, nullptr));
    if (result < 0 || !encoder->converter_) {
        *error = "out of memory";
        return nullptr;
    }
    if (!settings.lossless) {
        // From full-range RGB (its table is not read) to studio-range BT.709.
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        if (sws_setColorspaceDetails(encoder->converter_.get(), bt709, 1, bt709, 0, 0, 1 << 16,
                                     1 << 16) < 0) {
            *error = "libswscale cannot convert to BT.709";
            return nullptr;
        }
    }
    return encoder;
}

bool VideoEncoder::Encode(std::span<const std::uint8_t> rgb, std::int64_t frame, Mp4Muxer& muxer,
                          std::string* error) {
    AVFrame* picture = picture_.get();
    // The encoder copies each picture it is sent, so the buffer is free again here.
    int result = av_frame_make_writable(picture);
    if (result < 0) {
        *error = "out of memory";
        return false;
    }
    // NOTE: a negative stride starting at the last row turns the bottom-up rows upright.
    const int stride = 3 * renderWidth_;
    const std::uint8_t* const source[] = {rgb.data() +
                                          static_cast<std::ptrdiff_t>(renderHeight_ - 1) * stride};
    const int sourceStride[] = {-stride};
    sws_scale(converter_.get(), source, sourceStride, 0, renderHeight_, picture->data,
              picture->linesize);
    picture->pts = frame;
    result = avcodec_send_frame(codec_.get(), picture);
    if (result < 0) {
        *error = encoderName_ + " failed: " + LibavErrorText(result);
        return false;
    }
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}

bool VideoEncoder::Flush(Mp4Muxer& muxer, std::string* error) {
    const int result = avcodec_send_frame(codec_.get(), nullptr);
    if (result < 0) {
        *error = encoderName_ + " failed: " + LibavErrorText(result);
        return false;
    }
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}
