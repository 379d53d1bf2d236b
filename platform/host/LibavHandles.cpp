#include "platform/host/LibavHandles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

void LibavDeleter::operator()(AVCodecContext* codec) const {
    avcodec_free_context(&codec);
}

void LibavDeleter::operator()(AVFormatContext* format) const {
    if (format->oformat != nullptr && (format->oformat->flags & AVFMT_NOFILE) == 0 &&
        (format->flags & AVFMT_FLAG_CUSTOM_IO) == 0) {
        avio_closep(&format->pb);
    }
    avformat_free_context(format);
}

void LibavDeleter::operator()(AVFrame* frame) const {
    av_frame_free(&frame);
}

void LibavDeleter::operator()(AVPacket* packet) const {
    av_packet_free(&packet);
}

void LibavDeleter::operator()(SwsContext* scaler) const {
    sws_freeContext(scaler);
}

std::string LibavErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}
