#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/WobbelEffect.h"
#include "tests/render/GlStateProbe.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

#include <array>
#include <cmath>

namespace {

const Rgb kPakje{240, 200, 160};
const Rgb kSnoep{120, 220, 60};

std::vector<unsigned char> FlatJpeg(const Rgb& c) {
    return QuadrantJpeg(64, c, c, c, c);
}

Rgb Scaled(const Rgb& c, double grey) {
    return {static_cast<int>(std::lround(c[0] * grey)), static_cast<int>(std::lround(c[1] * grey)),
            static_cast<int>(std::lround(c[2] * grey))};
}

// The grey of a vertex at demo time 0, when the centres stand at (40, 60),
// (80, 30) and (80, 30): 1 - 0.2 w, with w the closeness over 150.
double Inoop2GreyAtTimeZero(int k, int j) {
    const double closeness =
        3000 / (std::hypot(k - 40, j - 60) + 1) + 2 * 3000 / (std::hypot(k - 80, j - 30) + 1);
    return 1 - 0.2 * closeness / 150;
}

class WarpRenderTest : public ::testing::Test {
  protected:
    WarpRenderTest()
        : harness(320, 240, {{"pakje.jpg", FlatJpeg(kPakje)}, {"Snoep.jpg", FlatJpeg(kSnoep)}}) {
        inoop2.Init(harness.Width(), harness.Height());
        wobbel.Init(harness.Width(), harness.Height());
        inoop2.Activate();
        wobbel.Activate();
    }
    ~WarpRenderTest() override {
        inoop2.Deactivate();
        wobbel.Deactivate();
    }

    // What a layer before the warp may have left: additive blending, a
    // projection and modelview of its own, texturing off.
    void LeaveForeignState() {
        glClearColor(0.5f, 0.5f, 0.5f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 3, -4, 5, -6, 7);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(5, 6, 7);
        glRotatef(30, 0, 0, 1);
    }

    // After an opaque warp over the foreign state: everything its attribute
    // push and projection push covered as before, the additive blending and a
    // bound texture included.
    void ExpectStateAfterWarp(const GlMatrix& projectionBefore) {
        ExpectStateAfterGridWarp(projectionBefore, true);
        EXPECT_EQ(GlInteger(GL_BLEND_SRC), GL_ONE);
        EXPECT_EQ(GlInteger(GL_BLEND_DST), GL_ONE);
        EXPECT_NE(GlInteger(GL_TEXTURE_BINDING_2D), 0);
    }

    RenderHarness harness;
    Inoop2Effect inoop2;
    WobbelEffect wobbel;
};

TEST_F(WarpRenderTest, Inoop2DrawsOpaqueOverAnyBlendingAndGivesItBack) {
    harness.BeginFrame();
    LeaveForeignState();
    const GlMatrix projection = ProjectionMatrix();
    inoop2.RenderFrame(0);
    ExpectStateAfterWarp(projection);
    harness.ReadBack();
    // Vertex (40, 30) at the centre of the frame, darkened by its grey alone:
    // no trace of the grey underneath.
    EXPECT_TRUE(ColourNear(harness.At(160, 120), Scaled(kPakje, Inoop2GreyAtTimeZero(40, 30)), 4));
    // The centres themselves are black: (80, 30) on the right edge.
    EXPECT_TRUE(ColourNear(harness.At(319, 120), {0, 0, 0}, 4));
}

TEST_F(WarpRenderTest, WobbelDrawsOpaqueInTheCurrentColourAndGivesBlendingBack) {
    harness.BeginFrame();
    LeaveForeignState();
    const GlMatrix projection = ProjectionMatrix();
    wobbel.RenderFrame(0);
    ExpectStateAfterWarp(projection);
    harness.ReadBack();
    // The frame starts white: the flat picture shows as it is, edge to edge.
    for (auto [x, y] : {std::array{0, 0}, {319, 239}, {0, 239}, {319, 0}, {160, 120}}) {
        EXPECT_TRUE(ColourNear(harness.At(x, y), kSnoep)) << x << ", " << y;
    }
}

TEST_F(WarpRenderTest, WobbelAfterInoop2IsTintedByTheGreyOfItsLastCorner) {
    harness.BeginFrame();
    inoop2.RenderFrame(0);
    const double grey = Inoop2GreyAtTimeZero(79, 60);
    const std::array<GLfloat, 4> colour = GlFloats<4>(GL_CURRENT_COLOR);
    EXPECT_NEAR(colour[0], grey, 1e-6);
    EXPECT_NEAR(colour[2], grey, 1e-6);
    wobbel.RenderFrame(0);
    harness.ReadBack();
    for (auto [x, y] : {std::array{0, 0}, {319, 239}, {160, 120}}) {
        EXPECT_TRUE(ColourNear(harness.At(x, y), Scaled(kSnoep, grey))) << x << ", " << y;
    }
}

} // namespace
