// Every picture and sprite layer gives back the blending and the projection it
// found, and leaves the matrix mode at GL_PROJECTION.
#include "effects/flat/FlareEffect.h"
#include "effects/flat/GreetsEffect.h"
#include "effects/flat/LogoEffect.h"
#include "effects/flat/WortelEffect.h"
#include "tests/render/GlStateProbe.h"
#include "tests/render/RenderHarness.h"

#include <GL/gl.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace {

struct LayerCase {
    std::string name;
    std::function<std::unique_ptr<CEffect>()> make;
    int timeMs;
};

class LayerStateRenderTest : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerStateRenderTest, GivesBackBlendingAndProjection) {
    const Rgb grey{128, 128, 128};
    RenderHarness harness(64, 48,
                          {{"blaat.jpg", QuadrantJpeg(16, grey, grey, grey, grey)},
                           {"logo.jpg", QuadrantJpeg(16, grey, grey, grey, grey)},
                           {"flare.jpg", QuadrantJpeg(16, grey, grey, grey, grey)},
                           {"wortel.jpg", QuadrantJpeg(16, grey, grey, grey, grey)}});
    const std::unique_ptr<CEffect> effect = GetParam().make();
    effect->Init(harness.Width(), harness.Height());
    effect->Activate();
    harness.BeginFrame();
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glMatrixMode(GL_PROJECTION);
    glOrtho(-2, 3, -4, 5, -6, 7);
    const GlMatrix projectionBefore = ProjectionMatrix();
    const GLint depthBefore = GlInteger(GL_PROJECTION_STACK_DEPTH);
    glMatrixMode(GL_MODELVIEW);

    effect->RenderFrame(GetParam().timeMs);

    EXPECT_EQ(GlInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(GlInteger(GL_BLEND_SRC), GL_DST_COLOR);
    EXPECT_EQ(GlInteger(GL_BLEND_DST), GL_ZERO);
    EXPECT_EQ(ProjectionMatrix(), projectionBefore);
    EXPECT_EQ(GlInteger(GL_PROJECTION_STACK_DEPTH), depthBefore);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    effect->Deactivate();
}

INSTANTIATE_TEST_SUITE_P(
    PictureAndSpriteLayers, LayerStateRenderTest,
    ::testing::Values(LayerCase{"GREETS", [] { return std::make_unique<GreetsEffect>(); }, 80000},
                      LayerCase{"LOGO", [] { return std::make_unique<LogoEffect>(); }, 100},
                      LayerCase{"FLARE", [] { return std::make_unique<FlareEffect>(); }, 0},
                      LayerCase{"WORTEL", [] { return std::make_unique<WortelEffect>(); }, 4321}),
    [](const ::testing::TestParamInfo<LayerCase>& info) { return info.param.name; });

} // namespace
