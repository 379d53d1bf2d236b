#include "effects/flat/LogoEffect.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

bool Clears(LogoEffect& effect, int timeMs) {
    const std::vector<std::string> calls = FrameCalls(effect, timeMs);
    return std::find(calls.begin(), calls.end(), "glClear(0x4000)") != calls.end();
}

using LogoEffectTest = InitialisedEffectTest<LogoEffect>;

TEST_F(LogoEffectTest, LoadsTheLogoWithBrightnessAlphaAndPassesItToTheHost) {
    ExpectPictureLoadedAndPassedOnActivation(
        effect, "logo.jpg, 1, 10497, 10497, 9729, 9729, 0, 1, 0, 0, -> 1");
}

TEST_F(LogoEffectTest, FrameAtTimeZeroClearsAndBlendsTheLogoAtSixtyPercent) {
    const std::vector<std::string> picture = {
        "glColor3f(1, 1, 1)",
        "glClear(0x4000)",
        "glBindTexture(GL_TEXTURE_2D, 1)",
        "glEnable(GL_TEXTURE_2D)",
        "glEnable(GL_BLEND)",
        "glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA)",
        "glBegin(GL_QUADS)",
        "glTexCoord2f(0, 0)",
        "glVertex2f(0.200000003, 0.200000003)",
        "glTexCoord2f(0, 1)",
        "glVertex2f(0.200000003, 0.800000012)",
        "glTexCoord2f(1, 1)",
        "glVertex2f(0.800000012, 0.800000012)",
        "glTexCoord2f(1, 0)",
        "glVertex2f(0.800000012, 0.200000003)",
        "glEnd()",
    };
    const std::vector<std::string> expected =
        Joined({PictureLayerOpening(), picture, UnitSquareLayerClosing()});
    EXPECT_EQ(FrameCalls(effect, 0), expected);
}

TEST_F(LogoEffectTest, ClearsOnlyBelowNineSecondsNegativeTimesIncluded) {
    for (int timeMs : {INT_MIN, -1, 0, 8999}) {
        EXPECT_TRUE(Clears(effect, timeMs)) << timeMs;
    }
    for (int timeMs : {9000, 9001, 144000, INT_MAX}) {
        EXPECT_FALSE(Clears(effect, timeMs)) << timeMs;
    }
}

TEST(LogoPulse, SnapsBackAtEachBeatAndKeepsTheTimesSignWhenNegative) {
    EXPECT_EQ(LogoBeatPhase(0), 0);
    EXPECT_EQ(LogoBeatPhase(157), 628);
    EXPECT_EQ(LogoBeatPhase(281), 1124);
    EXPECT_EQ(LogoBeatPhase(282), 3);
    EXPECT_EQ(LogoBeatPhase(-1), -4);
    EXPECT_EQ(LogoBeatPhase(-281), -1124);
    EXPECT_EQ(LogoBeatPhase(-282), -3);
    // Four times the time wraps at 32 bits.
    EXPECT_EQ(LogoBeatPhase(INT_MAX), -4);
    EXPECT_EQ(LogoBeatPhase(INT_MIN), 0);
    EXPECT_EQ(LogoBeatPhase(1000000000), -171);

    // Hand-derived insets: about 73% of the frame just before the beat, 60%
    // just after it, and (very nearly) the whole frame 157 ms in.
    EXPECT_EQ(LogoInset(281), -0.134890139f);
    EXPECT_EQ(LogoInset(282), -0.198500022f);
    EXPECT_EQ(LogoInset(157), -6.3413637e-08f);
    EXPECT_EQ(LogoInset(-281), -0.265109867f);
}

TEST(LogoPulse, NegativeTimesKeepTheLogoWithinSixtyPercentOfTheFrame) {
    for (int timeMs = -20000; timeMs <= 0; ++timeMs) {
        const float inset = LogoInset(timeMs);
        ASSERT_LE(inset, -0.2f) << timeMs;
        ASSERT_GE(inset, -0.4f) << timeMs;
    }
    for (int timeMs = 0; timeMs <= 20000; ++timeMs) {
        const float inset = LogoInset(timeMs);
        ASSERT_GE(inset, -0.2f) << timeMs;
        ASSERT_LE(inset, 0.0f) << timeMs;
    }
}

} // namespace
