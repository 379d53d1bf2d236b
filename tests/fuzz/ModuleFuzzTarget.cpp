#include "platform/audio/AudioLibrary.h"
#include "platform/audio/ModuleDecoder.h"
#include "tests/fuzz/FuzzTargets.h"

#include <string>
#include <vector>

void FuzzModule(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    // A tenth of a second of the start, decoded straight.
    constexpr int kSampleRate = 44100;
    static std::vector<float> samples(kSampleRate / 10 * 2);
    std::string error;
    if (const auto decoder = ModuleDecoder::Load(data, size, &error)) {
        decoder->Render(kSampleRate, samples.data(), samples.size() / 2);
    }

    if (BASS_Init(-2, 44100, 0, nullptr) == 0) {
        return;
    }
    const HMUSIC music = BASS_MusicLoad(1, data, 0, static_cast<DWORD>(size), 0);
    if (music != 0) {
        BASS_MusicPlayEx(music, 500, -1, 1);
        BASS_Start();
        BASS_ChannelGetPosition(music);
    }
    BASS_Free();
}
