// Every picture and sprite layer gives back the blending and the projection it
// found, and leaves the matrix mode at GL_PROJECTION.
#include "effects/flat/FlareEffect.h"
#include "effects/flat/GreetsEffect.h"
#include "effects/flat/LogoEffect.h"
#include "effects/flat/WortelEffect.h"
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
    std::array<GLfloat, 16> projectionBefore{};
    glGetFloatv(GL_PROJECTION_MATRIX, projectionBefore.data());
    GLint depthBefore = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthBefore);
    glMatrixMode(GL_MODELVIEW);

    effect->RenderFrame(GetParam().timeMs);

    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_DST_COLOR);
    EXPECT_EQ(destination, GL_ZERO);
    std::array<GLfloat, 16> projectionAfter{};
    glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter.data());
    EXPECT_EQ(projectionAfter, projectionBefore);
    GLint depthAfter = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
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
