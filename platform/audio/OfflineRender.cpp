#include "platform/audio/OfflineRender.h"

#include "platform/audio/ModuleDecoder.h"

#include <algorithm>

bool RenderModuleOffline(const void* data, std::size_t size, std::span<float> interleaved,
                         std::string* error) {
    const auto decoder = ModuleDecoder::Load(data, size, error);
    if (!decoder) {
        return false;
    }
    const std::size_t numFrames = interleaved.size() / 2;
    decoder->Render(kOfflineSampleRate, interleaved.data(), numFrames);
    // A half frame at the end gets silence too.
    std::fill(interleaved.begin() + static_cast<std::ptrdiff_t>(2 * numFrames), interleaved.end(),
              0.0f);
    return true;
}
