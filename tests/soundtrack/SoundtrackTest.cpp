// The composed "Ar_8peos.xm" as the show plays it: its length and tempo, that
// it never drops out, its levels, and a kick that lands on the logo's beat.
#include "tests/soundtrack/ModuleRender.h"
#include "tools/makedata/soundtrack/SoundtrackComposer.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBeatSeconds = 0.28125;

const std::vector<unsigned char>& Soundtrack() {
    static const std::vector<unsigned char> bytes = ComposeSoundtrack();
    return bytes;
}

TEST(Soundtrack, LastsTheShowAtItsTempo) {
    const openmpt::module module(Soundtrack());
    EXPECT_NEAR(module.get_duration_seconds(), 144.0, 0.5);
    EXPECT_EQ(module.get_num_orders(), 32);
    for (int order = 0; order < module.get_num_orders(); ++order) {
        EXPECT_EQ(module.get_pattern_num_rows(module.get_order_pattern(order)), 48) << order;
    }
    EXPECT_EQ(module.get_current_tempo(), 160);
    EXPECT_EQ(module.get_current_speed(), 6);
    EXPECT_GE(module.get_num_channels(), 6);
    EXPECT_LT(Soundtrack().size(), 1000000u);
}

TEST(Soundtrack, NeverFallsSilentAndNeverClips) {
    const std::vector<float> stereo = RenderModule(Soundtrack());
    const std::vector<float> mono = ToMono(stereo);
    ASSERT_NEAR(static_cast<double>(mono.size()) / kRenderRate, 144.0, 0.5);

    // 100 ms windows: no run of quiet ones longer than 2 s after the first second.
    const std::size_t window = kRenderRate / 10;
    int quietRun = 0;
    int longestQuietRun = 0;
    for (std::size_t first = kRenderRate; first + window <= mono.size(); first += window) {
        quietRun = Rms(mono, first, window) < 0.001 ? quietRun + 1 : 0;
        longestQuietRun = std::max(longestQuietRun, quietRun);
    }
    EXPECT_LE(longestQuietRun, 20);

    float peak = 0.0f;
    double sum = 0.0;
    for (const float sample : stereo) {
        peak = std::max(peak, std::abs(sample));
        sum += static_cast<double>(sample) * sample;
    }
    const double rmsDbfs = 10.0 * std::log10(sum / static_cast<double>(stereo.size()));
    EXPECT_LT(peak, 1.0f);
    EXPECT_GT(rmsDbfs, -20.0);
    EXPECT_LT(rmsDbfs, -10.0);
}

TEST(Soundtrack, KickLandsOnTheBeat) {
    // NOTE: at 48 kHz a tick (15.625 ms) is a whole 750 frames. At 44.1 kHz the
    // player rounds each tick down to 689 frames and runs 0.09 ms a second fast
    // (13 ms by the end), which is the player's, not the module's, timing.
    constexpr int kRate = 48000;
    const std::vector<float> mono =
        ToMono(RenderModule(Soundtrack(), kSoundtrackKickChannel, kRate));
    // An onset: the slope's level over 1 ms rises fourfold above that of 5 ms
    // before. The slope stresses the attack's click and high start over the low
    // tail of the kick before; kicks are a beat apart, so none is looked for
    // within 100 ms of another.
    std::vector<float> slope(mono.size(), 0.0f);
    for (std::size_t i = 1; i < mono.size(); ++i) {
        slope[i] = mono[i] - mono[i - 1];
    }
    const std::size_t step = kRate / 1000;
    std::vector<double> onsets;
    for (std::size_t first = 0; first + step <= slope.size(); first += step) {
        const double seconds = static_cast<double>(first) / kRate;
        if (!onsets.empty() && seconds - onsets.back() < 0.1) {
            continue;
        }
        const double level = Rms(slope, first, step);
        const double before = first >= 5 * step ? Rms(slope, first - 5 * step, step) : 0.0;
        if (level > 0.002 && level > 4.0 * before) {
            onsets.push_back(seconds);
        }
    }
    // Kicks run through most of the song: far more than the opening's few.
    ASSERT_GT(onsets.size(), 150u);
    for (const double seconds : onsets) {
        const double beats = seconds / kBeatSeconds;
        const double offBeat = std::abs(beats - std::round(beats)) * kBeatSeconds;
        EXPECT_LT(offBeat, 0.004) << "kick at " << seconds << " s";
    }
}

} // namespace
