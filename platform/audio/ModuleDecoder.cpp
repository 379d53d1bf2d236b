#include "platform/audio/ModuleDecoder.h"

#include "platform/common/ShortOfMemory.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
constexpr std::size_t kDropChunkFrames = 1024;
} // namespace

ModuleDecoder::ModuleDecoder()
    : quietLog_(nullptr), dropped_(std::make_unique<float[]>(2 * kDropChunkFrames)) {}

ModuleDecoder::~ModuleDecoder() = default;

std::unique_ptr<ModuleDecoder> ModuleDecoder::Load(const void* data, std::size_t size,
                                                   std::string* error) {
    std::unique_ptr<ModuleDecoder> decoder(new ModuleDecoder);
    try {
        decoder->module_ = std::make_unique<openmpt::module>(data, size, decoder->quietLog_);
    } catch (const std::bad_alloc&) {
        throw ShortOfMemory("audio: out of memory loading the module (" + std::to_string(size) +
                            " bytes)");
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

void ModuleDecoder::SeekToFrame(int sampleRate, std::int64_t numFrames) {
    const std::int64_t targetMs = numFrames * 1000 / sampleRate;
    std::int64_t landedMs = Seek(targetMs);
    // The decoder lands on the first row at or after the target: step back
    // until a row start lies at or before it.
    for (std::int64_t backMs = 100; landedMs * sampleRate / 1000 > numFrames; backMs *= 2) {
        landedMs = Seek(std::max<std::int64_t>(targetMs - backMs, 0));
    }
    std::int64_t toDrop = numFrames - landedMs * sampleRate / 1000;
    while (toDrop > 0) {
        const auto chunk = static_cast<std::size_t>(
            std::min<std::int64_t>(toDrop, static_cast<std::int64_t>(kDropChunkFrames)));
        Render(sampleRate, dropped_.get(), chunk);
        toDrop -= static_cast<std::int64_t>(chunk);
    }
}

std::int64_t ModuleDecoder::LengthMs() const {
    // NOTE: libopenmpt says infinity where the pattern data is too complex to
    // follow (loops on loops at the format's limits); such a module plays all
    // the same.
    const double lengthMs = module_->get_duration_seconds() * 1000.0;
    return std::isfinite(lengthMs) && lengthMs >= 0.0 && lengthMs < 9.0e18 ? std::llround(lengthMs)
                                                                           : -1;
}
