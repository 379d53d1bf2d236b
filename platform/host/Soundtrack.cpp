#include "platform/host/Soundtrack.h"

#include "platform/audio/OfflineRender.h"
#include "platform/host/Log.h"

#include <algorithm>
#include <string>

std::int64_t SoundFrameAt(int timeMs) {
    return (static_cast<std::int64_t>(timeMs) * kOfflineSampleRate + 500) / 1000;
}

Soundtrack::Soundtrack(std::span<const unsigned char> module, int startMs, int endMs,
                       std::int64_t showFrames)
    : startFrame_(SoundFrameAt(startMs)) {
    const std::int64_t numFrames = std::min(SoundFrameAt(endMs), showFrames) - startFrame_;
    if (module.empty() || numFrames <= 0) {
        return;
    }
    interleaved_.resize(static_cast<std::size_t>(2 * numFrames));
    std::string error;
    if (!RenderModuleOffline(module.data(), module.size(), interleaved_, &error)) {
        LogLine("capture: the music does not decode (" + error + "); the capture is silent");
        interleaved_.clear();
    }
}

void Soundtrack::Read(std::int64_t first, std::span<float> left, std::span<float> right) const {
    const auto runFrames = static_cast<std::int64_t>(interleaved_.size() / 2);
    for (std::size_t i = 0; i < left.size(); ++i) {
        const std::int64_t at = first + static_cast<std::int64_t>(i) - startFrame_;
        const bool sounding = at >= 0 && at < runFrames;
        left[i] = sounding ? interleaved_[static_cast<std::size_t>(2 * at)] : 0.0f;
        right[i] = sounding ? interleaved_[static_cast<std::size_t>(2 * at + 1)] : 0.0f;
    }
}
