#include "effects/flat/FlareEffect.h"
#include "platform/win/WinHostControl.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

namespace {

const Rgb kGrey{60, 60, 60};

TEST(FlareRenderTest, OnlyBrightensWhatLiesBelowWhateverBlendingCameBefore) {
    RenderHarness harness(
        128, 96,
        {{"flare.jpg", QuadrantJpeg(64, {255, 255, 255}, {0, 0, 0}, {120, 60, 30}, {0, 0, 0})}});
    FlareEffect effect;
    effect.Init(harness.Width(), harness.Height());
    effect.Activate();
    for (DWORD clockMs : {0u, 40000u, 4294967295u}) {
        DriveMillisecondClock(clockMs);
        harness.BeginFrame();
        glClearColor(kGrey[0] / 255.0f, kGrey[1] / 255.0f, kGrey[2] / 255.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ZERO, GL_SRC_COLOR);
        effect.RenderFrame(0);
        harness.ReadBack();
        int brightened = 0;
        for (int y = 0; y < harness.Height(); ++y) {
            for (int x = 0; x < harness.Width(); ++x) {
                const Rgb c = harness.At(x, y);
                for (int i = 0; i < 3; ++i) {
                    ASSERT_GE(c[i], kGrey[i] - 1) << clockMs << ": " << x << ", " << y;
                }
                brightened += c[0] > kGrey[0] + 40 ? 1 : 0;
            }
        }
        EXPECT_GT(brightened, harness.Width() * harness.Height() / 20) << clockMs;
    }
    ReleaseMillisecondClock();
    effect.Deactivate();
}

} // namespace
