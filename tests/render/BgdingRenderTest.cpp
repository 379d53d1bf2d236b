#include "effects/flat/BgdingEffect.h"
#include "tests/render/GlStateProbe.h"
#include "tests/render/RenderHarness.h"
#include "tests/support/LogCapture.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <string>

namespace {

const Rgb kTopLeft{40, 80, 200};
const Rgb kTopRight{240, 240, 240};
const Rgb kBottomLeft{200, 40, 40};
const Rgb kBottomRight{40, 200, 80};

Rgb Half(const Rgb& c) {
    return {c[0] / 2, c[1] / 2, c[2] / 2};
}

class BgdingRenderTest : public ::testing::Test {
  protected:
    BgdingRenderTest()
        : harness(128, 96,
                  {{"quorfoto.jpg",
                    QuadrantJpeg(64, kTopLeft, kTopRight, kBottomLeft, kBottomRight)}}) {
        effect.Init(harness.Width(), harness.Height());
        effect.Activate();
    }
    ~BgdingRenderTest() override { effect.Deactivate(); }

    RenderHarness harness;
    BgdingEffect effect;
};

TEST_F(BgdingRenderTest, FillsTheFrameWithTheUprightPictureTintedByHalfAtTimeZero) {
    harness.BeginFrame();
    effect.RenderFrame(0);
    harness.ReadBack();
    EXPECT_TRUE(ColourNear(harness.At(10, 10), Half(kBottomLeft)));
    EXPECT_TRUE(ColourNear(harness.At(117, 10), Half(kBottomRight)));
    EXPECT_TRUE(ColourNear(harness.At(10, 85), Half(kTopLeft)));
    EXPECT_TRUE(ColourNear(harness.At(117, 85), Half(kTopRight)));
    // Near the corners too: the quad covers the unit square exactly. The
    // outermost pixels mix with the far edge, as repeating textures do.
    EXPECT_TRUE(ColourNear(harness.At(2, 2), Half(kBottomLeft)));
    EXPECT_TRUE(ColourNear(harness.At(125, 93), Half(kTopRight)));
}

TEST_F(BgdingRenderTest, OverwritesEarlierLayersWhateverBlendingTheyLeft) {
    harness.BeginFrame();
    glClearColor(0.5f, 0.5f, 0.5f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    effect.RenderFrame(0);
    harness.ReadBack();
    EXPECT_TRUE(ColourNear(harness.At(10, 10), Half(kBottomLeft)));
}

TEST_F(BgdingRenderTest, GivesBackBlendingTextureModeAndProjectionAndLeavesProjectionMode) {
    harness.BeginFrame();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 3, -4, 5, -6, 7);
    const GlMatrix projectionBefore = ProjectionMatrix();
    glMatrixMode(GL_MODELVIEW);
    glColor3f(0.25f, 0.5f, 0.75f);

    effect.RenderFrame(0);

    EXPECT_EQ(GlInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(GlInteger(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(GlInteger(GL_BLEND_DST), GL_ONE);
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, GL_REPLACE);
    EXPECT_EQ(ProjectionMatrix(), projectionBefore);
    EXPECT_EQ(GlFloats<4>(GL_CURRENT_COLOR), (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1}));
    EXPECT_EQ(GlInteger(GL_TEXTURE_BINDING_2D, -1), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(BgdingStandInTest, ACorruptPictureGivesOneWarningAndACheckerboard) {
    const std::string garbage = "this is not a picture";
    RenderHarness harness(64, 48, {{"quorfoto.jpg", {garbage.begin(), garbage.end()}}});
    BgdingEffect effect;
    StartLogCapture();
    effect.Init(64, 48);
    const std::string said = TakeLogCapture();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_EQ(said.rfind("picture: [quorfoto.jpg] ", 0), 0u) << said;
    effect.Activate();
    harness.BeginFrame();
    effect.RenderFrame(0);
    harness.ReadBack();
    // The checkerboard's magenta bottom-left square, tinted by half.
    EXPECT_TRUE(ColourNear(harness.At(2, 2), {127, 0, 127}));
    effect.Deactivate();
}

} // namespace
