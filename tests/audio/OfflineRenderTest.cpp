#include "platform/audio/OfflineRender.h"
#include "tests/support/TestModule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

float Peak(const std::vector<float>& samples, std::size_t fromFrame, std::size_t toFrame) {
    float peak = 0;
    for (std::size_t i = 2 * fromFrame; i < 2 * toFrame; ++i) {
        peak = std::max(peak, std::abs(samples[i]));
    }
    return peak;
}

std::size_t FrameAt(int ms) {
    return static_cast<std::size_t>(ms) * kOfflineSampleRate / 1000;
}

TEST(OfflineRenderTest, TheToneSoundsInBothChannelsFromTheStartThenSilenceAfterTheEnd) {
    const std::vector<unsigned char> module = MakeTestModule();
    std::vector<float> samples(2 * FrameAt(kTestModuleLengthMs + 600), 1.0f);
    std::string error;
    ASSERT_TRUE(RenderModuleOffline(module.data(), module.size(), samples, &error)) << error;

    // Every tenth of a second of the module holds the tone, left and right.
    for (int ms = 0; ms + 100 <= kTestModuleLengthMs; ms += 100) {
        float left = 0;
        float right = 0;
        for (std::size_t frame = FrameAt(ms); frame < FrameAt(ms + 100); ++frame) {
            left = std::max(left, std::abs(samples[2 * frame]));
            right = std::max(right, std::abs(samples[2 * frame + 1]));
        }
        EXPECT_GT(left, 0.05f) << ms;
        EXPECT_GT(right, 0.05f) << ms;
    }
    // The last note rings on for a moment after the last row.
    EXPECT_EQ(Peak(samples, FrameAt(kTestModuleLengthMs + 200), samples.size() / 2), 0.0f);
}

TEST(OfflineRenderTest, BytesThatAreNoModuleAreRefusedWithAReason) {
    const std::string garbage = "this is not a module, only some text that goes on a while";
    std::vector<float> samples(2 * 64);
    std::string error;
    EXPECT_FALSE(RenderModuleOffline(garbage.data(), garbage.size(), samples, &error));
    EXPECT_FALSE(error.empty());
}

} // namespace
