#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "tests/render/GlStateProbe.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace {

const Rgb kBoek{200, 120, 40};
const Rgb kDralm{40, 100, 180};

std::vector<unsigned char> FlatJpeg(const Rgb& c) {
    return QuadrantJpeg(64, c, c, c, c);
}

Rgb Scaled(const Rgb& c, double grey, int base = 0) {
    return {base + static_cast<int>(std::lround(c[0] * grey)),
            base + static_cast<int>(std::lround(c[1] * grey)),
            base + static_cast<int>(std::lround(c[2] * grey))};
}

// Greys at time 0: the centre vertex meets the near plane at distance 2000;
// the lower-left one the far plane (INOOP3) or the tunnel wall (INOOP4).
constexpr double kCentreGrey = 235.0 / 256;
constexpr double kPlanesCornerGrey = 0.432621;
constexpr double kTunnelCornerGrey = 0.678232;

class RayCastRenderTest : public ::testing::Test {
  protected:
    RayCastRenderTest()
        : harness(320, 240, {{"boek.jpg", FlatJpeg(kBoek)}, {"Dralm.jpg", FlatJpeg(kDralm)}}) {
        inoop3.Init(harness.Width(), harness.Height());
        inoop4.Init(harness.Width(), harness.Height());
        inoop3.Activate();
        inoop4.Activate();
    }
    ~RayCastRenderTest() override {
        inoop3.Deactivate();
        inoop4.Deactivate();
    }

    RenderHarness harness;
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
};

TEST_F(RayCastRenderTest, Inoop3DrawsOpaqueWhenBlendingIsOffAndDarkensWithDistance) {
    harness.BeginFrame();
    const GlMatrix projection = ProjectionMatrix();
    inoop3.RenderFrame(0);
    ExpectStateAfterGridWarp(projection, false);
    harness.ReadBack();
    EXPECT_TRUE(ColourNear(harness.At(160, 120), Scaled(kBoek, kCentreGrey), 4));
    // The corner pixel lies within a quad of vertex (0, 0); its neighbours differ little.
    EXPECT_TRUE(ColourNear(harness.At(0, 0), Scaled(kBoek, kPlanesCornerGrey), 6));
}

TEST_F(RayCastRenderTest, Inoop4AddsToWhatIsThereWhenTheLayerBeforeLeftAdditiveBlending) {
    harness.BeginFrame();
    glClearColor(0.25f, 0.25f, 0.25f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 3, -4, 5, -6, 7);
    const GlMatrix projection = ProjectionMatrix();
    inoop4.RenderFrame(0);
    ExpectStateAfterGridWarp(projection, true);
    EXPECT_EQ(GlInteger(GL_BLEND_SRC), GL_ONE);
    EXPECT_EQ(GlInteger(GL_BLEND_DST), GL_ONE);
    harness.ReadBack();
    EXPECT_TRUE(ColourNear(harness.At(160, 120), Scaled(kDralm, kCentreGrey, 64), 4));
    EXPECT_TRUE(ColourNear(harness.At(0, 0), Scaled(kDralm, kTunnelCornerGrey, 64), 6));
}

} // namespace
