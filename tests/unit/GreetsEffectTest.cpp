#include "effects/flat/GreetsEffect.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Expected edges below were worked out by hand (Python, float32 rounding by
// struct) from the single-precision constants 0.000125, 0.002 and 0.6.
void ExpectEdges(int timeMs, float left, float bottom, float right, float top) {
    const GreetsEdges edges = ComputeGreetsEdges(timeMs);
    EXPECT_EQ(edges.left, left) << timeMs;
    EXPECT_EQ(edges.bottom, bottom) << timeMs;
    EXPECT_EQ(edges.right, right) << timeMs;
    EXPECT_EQ(edges.top, top) << timeMs;
}

TEST(GreetsEdges, ScrollsIntoViewAt64SecondsAndOutAt104) {
    // At 64000 the top reaches the frame's bottom; before, all lies below.
    ExpectEdges(64000, -0.882620096f, -4, 1.8826201f, 0);
    EXPECT_LT(ComputeGreetsEdges(63999).top, 0.0f);
    // One frame height in: the picture's top quarter fills the frame.
    ExpectEdges(72000, -0.155390605f, -3, 1.15539062f, 1);
    // The bottom quarter fills it.
    ExpectEdges(96000, -0.237031862f, 0, 1.23703182f, 4);
    // Out of view at the top from 104000 on.
    ExpectEdges(104000, -0.815445483f, 1, 1.81544542f, 5);
    EXPECT_GT(ComputeGreetsEdges(104001).bottom, 1.0f);
}

TEST(GreetsEdges, OverhangSwingsFromNarrowerToWiderThanTheFrame) {
    ExpectEdges(0, -0.449999988f, -12, 1.45000005f, -8);
    // The sine's trough: at narrowest the picture spans 0.15..0.85.
    ExpectEdges(2356, 0.149999976f, -11.7055006f, 0.850000024f, -7.7055006f);
}

TEST(GreetsEdges, TheTimeDifferenceWrapsAt32Bits) {
    ExpectEdges(INT_MIN, 0.110538192f, 268423.469f, 0.889461815f, 268427.469f);
    ExpectEdges(INT_MAX, -1.01096511f, 268423.469f, 2.01096511f, 268427.469f);
}

using GreetsEffectTest = InitialisedEffectTest<GreetsEffect>;

TEST_F(GreetsEffectTest, LoadsTheScrollerWithBrightnessAlphaAndPassesItToTheHost) {
    ExpectPictureLoadedAndPassedOnActivation(
        effect, "blaat.jpg, 1, 10497, 10497, 9729, 9729, 0, 1, 0, 0, -> 1");
}

TEST_F(GreetsEffectTest, FrameAddsTheWhitePictureQuadInTheUnitSquare) {
    const std::vector<std::string> picture = {
        "glBindTexture(GL_TEXTURE_2D, 1)",
        "glEnable(GL_TEXTURE_2D)",
        "glBlendFunc(GL_SRC_ALPHA, GL_ONE)",
        "glEnable(GL_BLEND)",
        "glColor3f(1, 1, 1)",
        "glBegin(GL_QUADS)",
        "glTexCoord2f(0, 0)",
        "glVertex2f(-0.155390605, -3)",
        "glTexCoord2f(0, 1)",
        "glVertex2f(-0.155390605, 1)",
        "glTexCoord2f(1, 1)",
        "glVertex2f(1.15539062, 1)",
        "glTexCoord2f(1, 0)",
        "glVertex2f(1.15539062, -3)",
        "glEnd()",
    };
    const std::vector<std::string> expected =
        Joined({PictureLayerOpening(), picture, UnitSquareLayerClosing()});
    EXPECT_EQ(FrameCalls(effect, 72000), expected);
    // Submitted whole even when nothing of it is in view.
    EXPECT_EQ(FrameCalls(effect, 0).size(), expected.size());
}

} // namespace
