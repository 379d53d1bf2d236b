#include "effects/flat/BgdingEffect.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace {

using BgdingEffectTest = InitialisedEffectTest<BgdingEffect>;

TEST_F(BgdingEffectTest, LoadsTheBackdropWithBrightnessAlpha) {
    EXPECT_EQ(
        FakeHostCalls("LoadTexture"),
        std::vector<std::string>{"quorfoto.jpg, 1, 10497, 10497, 9729, 9729, 0, 1, 0, 0, -> 1"});
}

TEST_F(BgdingEffectTest, ActivationPassesTheTextureStraightToTheHost) {
    effect.Activate();
    effect.Deactivate();
    effect.Deactivate();
    effect.Activate();
    EXPECT_EQ(FakeHostCalls("UploadTexture"), (std::vector<std::string>{"1", "1"}));
    EXPECT_EQ(FakeHostCalls("UnUploadTexture"), (std::vector<std::string>{"1", "1"}));
}

TEST_F(BgdingEffectTest, FrameAtTimeZeroIsTheHalfTintedQuad) {
    const std::vector<std::string> picture = {
        "glColor3f(0.5, 0.5, 0.5)",
        "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)",
        "glBindTexture(GL_TEXTURE_2D, 1)",
        "glEnable(GL_TEXTURE_2D)",
        "glDisable(GL_BLEND)",
        "glBegin(GL_QUADS)",
        "glTexCoord2f(0, 0)",
        "glVertex2f(0, 0)",
        "glTexCoord2f(0, 1)",
        "glVertex2f(0, 1)",
        "glTexCoord2f(1, 1)",
        "glVertex2f(1, 1)",
        "glTexCoord2f(1, 0)",
        "glVertex2f(1, 0)",
        "glEnd()",
    };
    const std::vector<std::string> expected =
        Joined({PictureLayerOpening(), picture, UnitSquareLayerClosing()});
    EXPECT_EQ(FrameCalls(effect, 0), expected);
}

// The constants are single precision used in double arithmetic; at large times
// using the decimal constants instead drifts the phase by whole radians.
TEST(BgdingTint, UsesSinglePrecisionConstantsInDoubleArithmetic) {
    for (int timeMs : {1, 1000, 123456, 100000000, -77777777, INT_MAX, INT_MIN}) {
        const double a = timeMs * 0.004999999888241291;
        const BgdingTint tint = ComputeBgdingTint(timeMs);
        EXPECT_EQ(tint.red, static_cast<float>(0.5 * (std::sin(a) + 1))) << timeMs;
        EXPECT_EQ(tint.green, static_cast<float>(0.5 * (std::sin(1.2309999465942383 * a) + 1)))
            << timeMs;
        EXPECT_EQ(tint.blue, static_cast<float>(0.5 * (std::sin(1.1130000352859497 * a) + 1)))
            << timeMs;
    }
}

TEST(BgdingTint, StaysWithinZeroAndOneAndRepeatsOnItsPeriods) {
    for (int timeMs = -200000; timeMs <= 200000; timeMs += 7) {
        const BgdingTint tint = ComputeBgdingTint(timeMs);
        for (float c : {tint.red, tint.green, tint.blue}) {
            ASSERT_GE(c, 0.0f) << timeMs;
            ASSERT_LE(c, 1.0f) << timeMs;
        }
    }
    // Red peaks a quarter period in (about 314 ms) and is dark at three quarters.
    EXPECT_GT(ComputeBgdingTint(314).red, 0.999f);
    EXPECT_LT(ComputeBgdingTint(942).red, 0.001f);
}

TEST_F(BgdingEffectTest, EveryFrameIsTheSameShapeAndTintOnlyFollowsTime) {
    const std::vector<std::string> first = FrameCalls(effect, 5000);
    EXPECT_EQ(FrameCalls(effect, 5000), first);
    const std::vector<std::string> later = FrameCalls(effect, 5001);
    ASSERT_EQ(later.size(), first.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i].rfind("glColor3f", 0) != 0) {
            EXPECT_EQ(later[i], first[i]);
        }
    }
    EXPECT_NE(later[5], first[5]);
}

} // namespace
