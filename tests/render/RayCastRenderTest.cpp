#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
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

    // After a ray-cast warp: projection mode, the modelview stepped back along
    // z, the projection as before and blending exactly as it was found.
    void ExpectStateAfterWarp(const std::array<GLfloat, 16>& projectionBefore, bool blending) {
        GLint mode = 0;
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        EXPECT_EQ(mode, GL_PROJECTION);
        std::array<GLfloat, 16> modelview{};
        glGetFloatv(GL_MODELVIEW_MATRIX, modelview.data());
        EXPECT_EQ(modelview,
                  (std::array<GLfloat, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -0.1f, 1}));
        EXPECT_EQ(Projection(), projectionBefore);
        EXPECT_EQ(glIsEnabled(GL_BLEND), blending ? GL_TRUE : GL_FALSE);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    std::array<GLfloat, 16> Projection() {
        std::array<GLfloat, 16> projection{};
        glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
        return projection;
    }

    RenderHarness harness;
    Inoop3Effect inoop3;
    Inoop4Effect inoop4;
};

TEST_F(RayCastRenderTest, Inoop3DrawsOpaqueWhenBlendingIsOffAndDarkensWithDistance) {
    harness.BeginFrame();
    const std::array<GLfloat, 16> projection = Projection();
    inoop3.RenderFrame(0);
    ExpectStateAfterWarp(projection, false);
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
    const std::array<GLfloat, 16> projection = Projection();
    inoop4.RenderFrame(0);
    ExpectStateAfterWarp(projection, true);
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_ONE);
    EXPECT_EQ(destination, GL_ONE);
    harness.ReadBack();
    EXPECT_TRUE(ColourNear(harness.At(160, 120), Scaled(kDralm, kCentreGrey, 64), 4));
    EXPECT_TRUE(ColourNear(harness.At(0, 0), Scaled(kDralm, kTunnelCornerGrey, 64), 6));
}

} // namespace
