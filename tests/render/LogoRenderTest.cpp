#include "effects/flat/LogoEffect.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

namespace {

const Rgb kGrey{100, 100, 100};
const Rgb kWhite{255, 255, 255};

class LogoRenderTest : public ::testing::Test {
  protected:
    LogoRenderTest()
        : harness(128, 96, {{"logo.jpg", QuadrantJpeg(64, kWhite, kWhite, kWhite, kWhite)}}) {
        effect.Init(harness.Width(), harness.Height());
        effect.Activate();
    }
    ~LogoRenderTest() override { effect.Deactivate(); }

    // An earlier layer fills the frame with grey; the clear colour goes back
    // to the host's black.
    void DrawOnGreyAt(int timeMs) {
        harness.BeginFrame();
        glClearColor(kGrey[0] / 255.0f, kGrey[1] / 255.0f, kGrey[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0, 0, 0, 1);
        effect.RenderFrame(timeMs);
        harness.ReadBack();
    }

    RenderHarness harness;
    LogoEffect effect;
};

TEST_F(LogoRenderTest, WipesEarlierLayersBeforeNineSecondsAndNotAfter) {
    DrawOnGreyAt(8999);
    EXPECT_TRUE(ColourNear(harness.At(2, 2), {0, 0, 0}));
    EXPECT_TRUE(ColourNear(harness.At(64, 48), kWhite));
    DrawOnGreyAt(9000);
    EXPECT_TRUE(ColourNear(harness.At(2, 2), kGrey));
    EXPECT_TRUE(ColourNear(harness.At(64, 48), kWhite));
}

TEST_F(LogoRenderTest, CoversSixtyPercentOfTheFrameOnTheBeat) {
    // At 9000 ms the beat starts: the logo spans 0.2..0.8 on both axes.
    DrawOnGreyAt(9000);
    EXPECT_TRUE(ColourNear(harness.At(28, 48), kWhite));
    EXPECT_TRUE(ColourNear(harness.At(99, 48), kWhite));
    EXPECT_TRUE(ColourNear(harness.At(22, 48), kGrey));
    EXPECT_TRUE(ColourNear(harness.At(105, 48), kGrey));
    EXPECT_TRUE(ColourNear(harness.At(64, 16), kGrey));
    EXPECT_TRUE(ColourNear(harness.At(64, 80), kGrey));
}

} // namespace
