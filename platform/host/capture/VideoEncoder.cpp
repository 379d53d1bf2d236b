#include "platform/host/capture/VideoEncoder.h"

#include "platform/host/capture/Mp4Muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

std::unique_ptr<VideoEncoder> VideoEncoder::Open(const CaptureSettings& settings, bool globalHeader,
                                                 std::string* error) {
    const AVCodec* x264 = avcodec_find_encoder_by_name("libx264");
    if (x264 == nullptr) {
        *error = "needs libavcodec with libx264, found it without";
        return nullptr;
    }
    std::unique_ptr<VideoEncoder> encoder(new VideoEncoder);
    encoder->width_ = settings.width;
    encoder->height_ = settings.height;
    encoder->codec_.reset(avcodec_alloc_context3(x264));
    encoder->picture_.reset(av_frame_alloc());
    if (!encoder->codec_ || !encoder->picture_) {
        *error = "out of memory";
        return nullptr;
    }
    AVCodecContext* codec = encoder->codec_.get();
    codec->width = settings.width;
    codec->height = settings.height;
    codec->pix_fmt = AV_PIX_FMT_YUV420P;
    codec->time_base = AVRational{settings.fps.den, settings.fps.num};
    codec->framerate = AVRational{settings.fps.num, settings.fps.den};
    // What libswscale writes by default: studio-range BT.601.
    codec->color_range = AVCOL_RANGE_MPEG;
    codec->colorspace = AVCOL_SPC_SMPTE170M;
    codec->color_primaries = AVCOL_PRI_SMPTE170M;
    codec->color_trc = AVCOL_TRC_SMPTE170M;
    if (globalHeader) {
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    av_opt_set(codec->priv_data, "preset", settings.preset.c_str(), 0);
    av_opt_set_double(codec->priv_data, "crf", settings.crf, 0);
    int result = avcodec_open2(codec, x264, nullptr);
    if (result < 0) {
        *error = "libx264 refused " + std::to_string(settings.width) + "x" +
                 std::to_string(settings.height) + ": " + LibavErrorText(result);
        return nullptr;
    }

    AVFrame* picture = encoder->picture_.get();
    picture->format = AV_PIX_FMT_YUV420P;
    picture->width = settings.width;
    picture->height = settings.height;
    result = av_frame_get_buffer(picture, 0);
    encoder->converter_.reset(sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGB24,
                                             settings.width, settings.height, AV_PIX_FMT_YUV420P,
                                             SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (result < 0 || !encoder->converter_) {
        *error = "out of memory";
        return nullptr;
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
    const int stride = 3 * width_;
    const std::uint8_t* const source[] = {rgb.data() +
                                          static_cast<std::ptrdiff_t>(height_ - 1) * stride};
    const int sourceStride[] = {-stride};
    sws_scale(converter_.get(), source, sourceStride, 0, height_, picture->data, picture->linesize);
    picture->pts = frame;
    result = avcodec_send_frame(codec_.get(), picture);
    if (result < 0) {
        *error = "libx264 failed: " + LibavErrorText(result);
        return false;
    }
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}

bool VideoEncoder::Flush(Mp4Muxer& muxer, std::string* error) {
    const int result = avcodec_send_frame(codec_.get(), nullptr);
    if (result < 0) {
        *error = "libx264 failed: " + LibavErrorText(result);
        return false;
    }
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}
