#include "effects/flat/GreetsEffect.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

namespace {

const Rgb kGrey{100, 100, 100};
const Rgb kBlack{0, 0, 0};
const Rgb kOrange{200, 100, 50};

TEST(GreetsRenderTest, OnlyBrightensWhatLiesBelowWhateverBlendingCameBefore) {
    RenderHarness harness(128, 96,
                          {{"blaat.jpg", QuadrantJpeg(64, kBlack, kOrange, kOrange, kBlack)}});
    GreetsEffect effect;
    effect.Init(harness.Width(), harness.Height());
    effect.Activate();
    harness.BeginFrame();
    glClearColor(kGrey[0] / 255.0f, kGrey[1] / 255.0f, kGrey[2] / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    // An earlier layer's blending, which would darken were it kept.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_SRC_COLOR);
    // At 80 s the frame shows the middle of the picture's top half: its black
    // left quadrant and its orange right one, with the quad reaching past both
    // sides.
    effect.RenderFrame(80000);
    harness.ReadBack();
    for (int y = 0; y < harness.Height(); ++y) {
        for (int x = 0; x < harness.Width(); ++x) {
            const Rgb c = harness.At(x, y);
            for (int i = 0; i < 3; ++i) {
                ASSERT_GE(c[i], kGrey[i] - 1) << x << ", " << y;
            }
        }
    }
    EXPECT_TRUE(ColourNear(harness.At(20, 48), kGrey));
    // Grey plus orange weighted by its brightness (200 / 255), clamped.
    EXPECT_TRUE(ColourNear(harness.At(108, 48), {255, 178, 139}, 4));
    effect.Deactivate();
}

} // namespace
