#include "platform/host/capture/LibavHandles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

void LibavDeleter::operator()(AVCodecContext* codec) const {
    avcodec_free_context(&codec);
}

void LibavDeleter::operator()(AVFormatContext* format) const {
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
