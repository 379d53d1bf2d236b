// The composed song's loudness over time: the arc its sections draw, and the
// same rise and fall in a second, independent player (xmp, which
// scripts/setup.sh installs), so the module is standard, not ours alone.
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/PlaybackControl.h"
#include "tests/soundtrack/ModuleRender.h"
#include "tools/makedata/soundtrack/SoundtrackComposer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

// The composed song as the show plays it: loaded and played through our
// audio calls, pulled from the stepped output. Interleaved stereo.
std::vector<float> RenderThroughAudioLayer(int sampleRate, std::size_t seconds) {
    const std::vector<unsigned char> bytes = ComposeSoundtrack();
    ChooseOutput(OutputChoice::Stepped);
    EXPECT_TRUE(BASS_Init(-1, static_cast<DWORD>(sampleRate), 0, nullptr));
    ChooseOutput(OutputChoice::Device);
    const HMUSIC music = BASS_MusicLoad(1, bytes.data(), 0, static_cast<DWORD>(bytes.size()), 6);
    EXPECT_NE(music, 0u);
    BASS_Start();
    BASS_MusicPlay(music);
    std::vector<float> stereo(2 * seconds * static_cast<std::size_t>(sampleRate));
    PullSteppedOutput(stereo);
    BASS_Free();
    return stereo;
}

TEST(SoundtrackLoudness, OpensSmallBreathesUnderTheGreetingsAndEndsOnItsBiggest) {
    // Where the show's timeline changes section, in seconds.
    constexpr std::array<std::size_t, 9> kBounds = {0, 9, 27, 45, 54, 63, 108, 126, 144};
    constexpr std::size_t kGreetings = 5;
    constexpr int kRate = 48000;
    const std::vector<float> weighted = KWeighted(RenderThroughAudioLayer(kRate, kBounds.back()));
    // Ungated loudness in LUFS: both channels' mean squares added.
    std::vector<double> sections;
    for (std::size_t i = 0; i + 1 < kBounds.size(); ++i) {
        const double rms =
            Rms(weighted, 2 * kBounds[i] * kRate, 2 * (kBounds[i + 1] - kBounds[i]) * kRate);
        sections.push_back(-0.691 + 10.0 * std::log10(2.0 * rms * rms));
    }
    // Coarse bounds, a few LU: a mix as loud from start to end fails them, any
    // fair arc passes.
    EXPECT_GT(*std::min_element(sections.begin(), sections.end()), -30.0) << "every section plays";
    const double loudest = *std::max_element(sections.begin(), sections.end());
    EXPECT_LE(sections.front(), loudest - 3.0) << "the opening";
    EXPECT_LE(sections[kGreetings], sections.back() - 3.0) << "the greetings";
    EXPECT_GE(sections.back(), loudest - 1.5) << "the last section";
}

// RMS of each 50 ms window of a mono 8 kHz signal.
std::vector<double> Envelope(const std::vector<float>& mono) {
    constexpr std::size_t kWindow = 400;
    std::vector<double> envelope;
    for (std::size_t first = 0; first + kWindow <= mono.size(); first += kWindow) {
        envelope.push_back(Rms(mono, first, kWindow));
    }
    return envelope;
}

double Pearson(const std::vector<double>& a, const std::vector<double>& b) {
    const std::size_t n = std::min(a.size(), b.size());
    double meanA = 0.0;
    double meanB = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        meanA += a[i] / static_cast<double>(n);
        meanB += b[i] / static_cast<double>(n);
    }
    double covariance = 0.0;
    double varianceA = 0.0;
    double varianceB = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        covariance += (a[i] - meanA) * (b[i] - meanB);
        varianceA += (a[i] - meanA) * (a[i] - meanA);
        varianceB += (b[i] - meanB) * (b[i] - meanB);
    }
    return covariance / std::sqrt(varianceA * varianceB);
}

TEST(SoundtrackLoudness, RisesAndFallsTheSameInASecondPlayer) {
    constexpr int kRate = 8000;
    const std::string path = testing::TempDir() + "soundtrack_second_player.xm";
    const std::vector<unsigned char> bytes = ComposeSoundtrack();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));

    // NOTE: xmp's raw writer is asked for the machine's byte order; naming an
    // order with -Dendian swaps it in the version we use.
    const std::string command =
        "xmp -q --norc -m -f " + std::to_string(kRate) + " -d file -o - '" + path + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::vector<float> xmp;
    std::array<std::int16_t, 4096> block{};
    while (const std::size_t frames =
               std::fread(block.data(), sizeof(block[0]), block.size(), pipe)) {
        for (std::size_t i = 0; i < frames; ++i) {
            xmp.push_back(block[i] / 32768.0f);
        }
    }
    ASSERT_EQ(pclose(pipe), 0) << command << " failed: scripts/setup.sh installs xmp";

    const std::vector<float> openmpt = ToMono(RenderModule(bytes, -1, kRate));
    EXPECT_NEAR(static_cast<double>(xmp.size()) / kRate,
                static_cast<double>(openmpt.size()) / kRate, 0.5);
    EXPECT_GE(Pearson(Envelope(openmpt), Envelope(xmp)), 0.9);
}

} // namespace
