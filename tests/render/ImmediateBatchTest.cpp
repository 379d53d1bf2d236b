// The browser build's vertex batch, natively on Mesa (tests/webgl_shim stands
// in for emscripten's headers): quads past a full batch are drawn too, a quad
// left incomplete is dropped alone, each texturing mode colours as GL 1 would.
#include "platform/web/gl/ImmediateBatch.h"
#include "platform/host/gl/Surface.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

// 20480 pixels, a quad each: more than one batch holds.
constexpr int kWidth = 160;
constexpr int kHeight = 128;
constexpr std::array<float, 4> kWhite = {1, 1, 1, 1};
using Rgb = std::array<int, 3>;

class ImmediateBatchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        surface_ = CreateOffscreenSurface(kWidth, kHeight, true, &error);
        ASSERT_NE(surface_, nullptr) << error;
        surface_->BeginFrame();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    // A quad inside pixel (x, y), corners from the bottom left as GL lists them.
    void AddPixel(int x, int y, std::array<float, 4> colour = kWhite,
                  TexturingMode mode = TexturingMode::None) {
        const float l = (x + 0.1f) * 2 / kWidth - 1, r = (x + 0.9f) * 2 / kWidth - 1;
        const float b = (y + 0.1f) * 2 / kHeight - 1, t = (y + 0.9f) * 2 / kHeight - 1;
        for (const auto& [cx, cy] : {std::array{l, b}, {l, t}, {r, t}, {r, b}}) {
            batch_.AddQuadVertex({{cx, cy, 0, 1}, colour, {0.5f, 0.5f}}, mode);
        }
    }

    Rgb At(int x, int y) {
        if (rgb_.empty()) {
            surface_->Present();
            rgb_.resize(kWidth * kHeight * 3);
            surface_->ReadPixels(rgb_);
        }
        const std::uint8_t* p = &rgb_[(y * kWidth + x) * 3];
        return {p[0], p[1], p[2]};
    }

    std::unique_ptr<Surface> surface_;
    ImmediateBatch batch_;
    std::vector<std::uint8_t> rgb_;
};

TEST_F(ImmediateBatchTest, AFullBatchIsDrawnAndEmptiedSoEveryQuadGatheredShows) {
    batch_.BeginQuads();
    for (int n = 0; n < kWidth * kHeight; ++n) {
        AddPixel(n % kWidth, n / kWidth);
    }
    batch_.EndQuads();
    batch_.Draw(TexturingMode::None);
    EXPECT_TRUE(batch_.Empty());
    int unlit = 0;
    for (int n = 0; n < kWidth * kHeight; ++n) {
        unlit += At(n % kWidth, n / kWidth) != Rgb{255, 255, 255};
    }
    EXPECT_EQ(unlit, 0);
}

TEST_F(ImmediateBatchTest, AQuadLeftIncompleteIsDroppedAndTheNextStartsClean) {
    batch_.BeginQuads();
    AddPixel(0, 0);
    batch_.AddQuadVertex({{1, 1, 0, 1}, kWhite, {0, 0}}, TexturingMode::None);
    batch_.AddQuadVertex({{1, -1, 0, 1}, kWhite, {0, 0}}, TexturingMode::None);
    batch_.EndQuads();
    batch_.BeginQuads();
    AddPixel(2, 0);
    batch_.EndQuads();
    batch_.Draw(TexturingMode::None);
    EXPECT_EQ(At(0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(At(2, 0), (Rgb{255, 255, 255}));
    // Kept, the two would make a quad with the next one's across to the right edge.
    EXPECT_EQ(At(kWidth - 1, kHeight / 2), (Rgb{0, 0, 0}));
}

// An orange texel under a half-red vertex colour; the mode changes between
// draws and comes back.
TEST_F(ImmediateBatchTest, EachTexturingModeColoursAsTheFixedFunctionPipeline) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    const std::uint8_t orange[4] = {255, 128, 0, 255};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, orange);
    const TexturingMode modes[] = {TexturingMode::None, TexturingMode::Modulate,
                                   TexturingMode::Replace, TexturingMode::None};
    for (int x = 0; x < 4; ++x) {
        AddPixel(x, 0, {0.5f, 1, 1, 1}, modes[x]);
        batch_.Draw(modes[x]);
    }
    EXPECT_EQ(At(0, 0), (Rgb{128, 255, 255}));
    EXPECT_EQ(At(1, 0), (Rgb{128, 128, 0}));
    EXPECT_EQ(At(2, 0), (Rgb{255, 128, 0}));
    EXPECT_EQ(At(3, 0), (Rgb{128, 255, 255}));
    glDeleteTextures(1, &texture);
}

} // namespace
