#include "tests/render/RenderHarness.h"

#include "platform/host/gl/FrameState.h"

#include <cstdlib>
#include <stdexcept>

RenderHarness::RenderHarness(int width, int height,
                             const std::map<std::string, std::vector<unsigned char>>& files)
    : width_(width), height_(height) {
    for (const auto& [name, bytes] : files) {
        folder_.Write(name, bytes);
    }
    std::string error;
    ShowSession::Plan plan;
    plan.source = OpenDirectorySource(folder_.Path(), &error);
    if (!plan.source) {
        throw std::runtime_error(error);
    }
    plan.makeSurface = [width, height](std::string* error) {
        return CreateOffscreenSurface(width, height, false, error);
    };
    session_ = ShowSession::Open(std::move(plan), &error);
    if (!session_) {
        throw std::runtime_error(error);
    }
}

void RenderHarness::BeginFrame() {
    Surface& surface = session_->Target();
    surface.BeginFrame();
    ResetFrameState(surface.DrawingArea());
}

void RenderHarness::ReadBack() {
    Surface& surface = session_->Target();
    surface.Present();
    pixels_.resize(static_cast<std::size_t>(width_) * height_ * 3);
    surface.ReadPixels(pixels_);
}

Rgb RenderHarness::At(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {pixels_[at], pixels_[at + 1], pixels_[at + 2]};
}

std::vector<unsigned char> QuadrantJpeg(int side, Rgb topLeft, Rgb topRight, Rgb bottomLeft,
                                        Rgb bottomRight) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const bool top = y < side / 2;
            const bool left = x < side / 2;
            const Rgb& c = top ? (left ? topLeft : topRight) : (left ? bottomLeft : bottomRight);
            for (int i = 0; i < 3; ++i) {
                rgb[(static_cast<std::size_t>(y) * side + x) * 3 + i] =
                    static_cast<std::uint8_t>(c[i]);
            }
        }
    }
    return EncodeTestJpeg(side, side, rgb);
}

::testing::AssertionResult ColourNear(const Rgb& actual, const Rgb& expected, int tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(actual[i] - expected[i]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "got (" << actual[0] << ", " << actual[1] << ", " << actual[2]
                   << "), expected (" << expected[0] << ", " << expected[1] << ", " << expected[2]
                   << ") within " << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}
