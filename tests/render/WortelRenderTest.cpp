#include "effects/flat/WortelEffect.h"
#include "tests/render/GlStateProbe.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

#include <array>

namespace {

const Rgb kRed{220, 30, 30};
const Rgb kGreen{30, 220, 30};
const Rgb kBlue{30, 30, 220};
const Rgb kWhite{255, 255, 255};
const Rgb kBackground{239, 188, 34};

class WortelRenderTest : public ::testing::Test {
  protected:
    WortelRenderTest()
        : harness(128, 96, {{"wortel.jpg", QuadrantJpeg(64, kRed, kGreen, kBlue, kWhite)}}) {
        effect.Init(harness.Width(), harness.Height());
        effect.Activate();
    }
    ~WortelRenderTest() override { effect.Deactivate(); }

    RenderHarness harness;
    WortelEffect effect;
};

TEST_F(WortelRenderTest, ClearsToItsBackgroundAndDrawsTheTopSpriteMirrored) {
    harness.BeginFrame();
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    effect.RenderFrame(0);
    harness.ReadBack();
    // The hub and the corners are never under a sprite.
    EXPECT_TRUE(ColourNear(harness.At(64, 48), kBackground, 1));
    EXPECT_TRUE(ColourNear(harness.At(1, 1), kBackground, 1));
    EXPECT_TRUE(ColourNear(harness.At(126, 94), kBackground, 1));
    // Sprite 0 stands upright at (0.5, 0.85), left and right swapped, opaque
    // although the frame enabled blending.
    EXPECT_TRUE(ColourNear(harness.At(57, 86), kGreen, 4));
    EXPECT_TRUE(ColourNear(harness.At(70, 86), kRed, 4));
    EXPECT_TRUE(ColourNear(harness.At(57, 76), kWhite, 4));
    EXPECT_TRUE(ColourNear(harness.At(70, 76), kBlue, 4));
}

TEST_F(WortelRenderTest, LeavesTheModelviewTranslatedAndTheColourWhite) {
    harness.BeginFrame();
    glColor3f(0.25f, 0.5f, 0.75f);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5);
    effect.RenderFrame(4321);
    EXPECT_EQ(GlFloats<16>(GL_MODELVIEW_MATRIX), kSteppedBackModelview);
    EXPECT_EQ(GlFloats<4>(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{1, 1, 1, 1}));
    EXPECT_NE(GlInteger(GL_TEXTURE_BINDING_2D), 0);
    EXPECT_EQ(GlFloats<4>(GL_COLOR_CLEAR_VALUE)[0], 0.0f); // the host's black comes back
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
