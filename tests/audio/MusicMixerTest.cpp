#include "platform/audio/MusicMixer.h"
#include "tests/support/TestModule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::size_t kFrames = 4096;
constexpr int kSampleRate = 44100;

std::unique_ptr<ModuleDecoder> TestDecoder(const std::vector<unsigned char>& module) {
    std::string error;
    auto decoder = ModuleDecoder::Load(module.data(), module.size(), &error);
    EXPECT_NE(decoder, nullptr) << error;
    return decoder;
}

TEST(MusicMixerTest, PlaysExactlyWhatTheDecoderGivesScaledByTheGain) {
    const std::vector<unsigned char> module = MakeTestModule();
    std::vector<float> decoded(2 * kFrames);
    TestDecoder(module)->Render(kSampleRate, decoded.data(), kFrames);

    MusicMixer mixer(kSampleRate);
    mixer.Add(7, TestDecoder(module));
    std::vector<float> played(2 * kFrames, 1.0f);
    mixer.Fill(played.data(), kFrames);
    EXPECT_EQ(played, std::vector<float>(2 * kFrames, 0.0f)) << "nothing plays before Play";
    EXPECT_EQ(mixer.PositionMs(7), 0);

    ASSERT_TRUE(mixer.Play(7));
    mixer.SetGain(0.5f);
    mixer.Fill(played.data(), kFrames / 2);
    mixer.Fill(played.data() + kFrames, kFrames / 2);
    for (std::size_t i = 0; i < played.size(); ++i) {
        ASSERT_EQ(played[i], decoded[i] * 0.5f) << i;
    }
    EXPECT_EQ(mixer.PositionMs(7), static_cast<std::int64_t>(kFrames) * 1000 / kSampleRate);
}

TEST(MusicMixerTest, UnknownHandlesAreRefusedAndPlayingAnotherMusicStopsTheFirst) {
    const std::vector<unsigned char> module = MakeTestModule();
    MusicMixer mixer(kSampleRate);
    EXPECT_FALSE(mixer.Play(1));
    EXPECT_FALSE(mixer.PlayFrom(1, 0));
    mixer.Add(1, TestDecoder(module));
    ASSERT_TRUE(mixer.Play(1));
    // Adding while one plays must not lose track of it.
    mixer.Add(2, TestDecoder(module));
    std::vector<float> scratch(2 * kFrames);
    mixer.Fill(scratch.data(), kFrames);
    EXPECT_GT(mixer.PositionMs(1), 0);
    EXPECT_EQ(mixer.PositionMs(2), 0);
    ASSERT_TRUE(mixer.Play(2));
    mixer.Fill(scratch.data(), kFrames);
    EXPECT_EQ(mixer.PositionMs(1), mixer.PositionMs(2));
    EXPECT_FALSE(mixer.Play(3));
}

} // namespace
