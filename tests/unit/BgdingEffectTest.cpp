#include "effects/flat/BgdingEffect.h"
#include "tests/support/EffectTestSupport.h"
#include "tests/support/WarpTableCheck.h"

#include <gtest/gtest.h>

#include <climits>
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

// Derived apart from the effect: (1 + sin(t * 0.005 [* 1.231 or 1.113])) / 2,
// each factor in single precision, in 60-digit arithmetic, rounded to float.
// From 1000 ms on, float arithmetic or decimal factors miss by over a unit in
// the last place, and by far more near the edges of time.
constexpr struct {
    int timeMs;
    BgdingTint tint;
} kDerivedTints[] = {
    {1000, {0.0205378477f, 0.436082512f, 0.170990378f}},
    {123456, {0.999538481f, 0.30815348f, 0.914171875f}},
    {100000000, {0.59440881f, 0.116821282f, 0.00536738988f}},
    {-77777777, {0.759849131f, 0.49288699f, 0.697103322f}},
    {INT_MAX, {0.904412687f, 0.48844099f, 0.803483784f}},
    {INT_MIN, {0.0941222683f, 0.508482158f, 0.198732197f}},
};

TEST(BgdingTint, ComponentsMatchTheSinesDerivedApartUpToTheEdgesOfTime) {
    for (const auto& [timeMs, derived] : kDerivedTints) {
        const BgdingTint got = ComputeBgdingTint(timeMs);
        EXPECT_TRUE(WithinOneUlp(got.red, derived.red) && WithinOneUlp(got.green, derived.green) &&
                    WithinOneUlp(got.blue, derived.blue))
            << timeMs << ": " << got.red << ", " << got.green << ", " << got.blue;
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
