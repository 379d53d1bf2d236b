#include "platform/audio/ModuleDecoder.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <exception>

ModuleDecoder::ModuleDecoder() : quietLog_(nullptr) {}

ModuleDecoder::~ModuleDecoder() = default;

std::unique_ptr<ModuleDecoder> ModuleDecoder::Load(const void* data, std::size_t size,
                                                   std::string* error) {
    std::unique_ptr<ModuleDecoder> decoder(new ModuleDecoder);
    try {
        decoder->module_ = std::make_unique<openmpt::module>(data, size, decoder->quietLog_);
    } catch (const std::exception& e) {
        *error = e.what();
        return nullptr;
    }
    // NOTE: a module cut short may still load, and then plays only silence.
    if (decoder->module_->get_num_samples() == 0) {
        *error = "no sample data (cut short?)";
        return nullptr;
    }
    return decoder;
}

void ModuleDecoder::Render(int sampleRate, float* interleaved, std::size_t numFrames) {
    std::size_t done = 0;
    // The decoder hands out at most what it can render in one go; after the
    // end it hands out nothing.
    while (done < numFrames) {
        const std::size_t got =
            module_->read_interleaved_stereo(sampleRate, numFrames - done, interleaved + 2 * done);
        if (got == 0) {
            break;
        }
        done += got;
    }
    std::fill(interleaved + 2 * done, interleaved + 2 * numFrames, 0.0f);
}

std::int64_t ModuleDecoder::Seek(std::int64_t positionMs) {
    const double landed = module_->set_position_seconds(static_cast<double>(positionMs) / 1000.0);
    return std::llround(landed * 1000.0);
}
