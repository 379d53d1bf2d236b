#include "platform/host/capture/AudioEncoder.h"

#include "platform/host/capture/Mp4Muxer.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>

namespace {
constexpr std::int64_t kBitRate = 192000;
}

std::unique_ptr<AudioEncoder> AudioEncoder::Open(bool globalHeader, std::string* error) {
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (aac == nullptr) {
        *error = "needs libavcodec with an AAC encoder, found it without";
        return nullptr;
    }
    std::unique_ptr<AudioEncoder> encoder(new AudioEncoder);
    encoder->codec_.reset(avcodec_alloc_context3(aac));
    encoder->block_.reset(av_frame_alloc());
    if (!encoder->codec_ || !encoder->block_) {
        *error = "out of memory";
        return nullptr;
    }
    AVCodecContext* codec = encoder->codec_.get();
    codec->sample_fmt = AV_SAMPLE_FMT_FLTP;
    codec->sample_rate = kCaptureSampleRate;
    codec->bit_rate = kBitRate;
    codec->time_base = AVRational{1, kCaptureSampleRate};
    const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&codec->ch_layout, &stereo);
    if (globalHeader) {
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    int result = avcodec_open2(codec, aac, nullptr);
    if (result < 0) {
        *error = "the AAC encoder refused 44100 Hz stereo: " + LibavErrorText(result);
        return nullptr;
    }
    encoder->blockFrames_ = codec->frame_size;
    AVFrame* block = encoder->block_.get();
    block->format = AV_SAMPLE_FMT_FLTP;
    block->sample_rate = kCaptureSampleRate;
    block->nb_samples = encoder->blockFrames_;
    av_channel_layout_copy(&block->ch_layout, &stereo);
    result = av_frame_get_buffer(block, 0);
    if (result < 0) {
        *error = "out of memory";
        return nullptr;
    }
    return encoder;
}

bool AudioEncoder::Encode(std::span<const float> interleaved, Mp4Muxer& muxer, std::string* error) {
    AVFrame* block = block_.get();
    for (std::size_t at = 0; at + 1 < interleaved.size(); at += 2) {
        if (filledFrames_ == 0 && av_frame_make_writable(block) < 0) {
            *error = "out of memory";
            return false;
        }
        reinterpret_cast<float*>(block->data[0])[filledFrames_] = interleaved[at];
        reinterpret_cast<float*>(block->data[1])[filledFrames_] = interleaved[at + 1];
        if (++filledFrames_ == blockFrames_ && !SendBlock(muxer, error)) {
            return false;
        }
    }
    return true;
}

bool AudioEncoder::SendBlock(Mp4Muxer& muxer, std::string* error) {
    AVFrame* block = block_.get();
    block->nb_samples = filledFrames_;
    block->pts = nextFrame_;
    const int result = avcodec_send_frame(codec_.get(), block);
    if (result < 0) {
        *error = "the AAC encoder failed: " + LibavErrorText(result);
        return false;
    }
    nextFrame_ += filledFrames_;
    filledFrames_ = 0;
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}

bool AudioEncoder::Finish(Mp4Muxer& muxer, std::string* error) {
    // The encoder takes one short block, as the last.
    if (filledFrames_ > 0 && !SendBlock(muxer, error)) {
        return false;
    }
    const int result = avcodec_send_frame(codec_.get(), nullptr);
    if (result < 0) {
        *error = "the AAC encoder failed: " + LibavErrorText(result);
        return false;
    }
    return muxer.WriteEncoded(codec_.get(), stream_, error);
}

void AudioEncoder::Discard() {
    const LibavPtr<AVPacket> packet(av_packet_alloc());
    if (!packet || avcodec_send_frame(codec_.get(), nullptr) < 0) {
        return;
    }
    while (avcodec_receive_packet(codec_.get(), packet.get()) == 0) {
        av_packet_unref(packet.get());
    }
}
