#include "tools/makedata/pictures/PictureCanvas.h"

#include <algorithm>
#include <cmath>

PictureCanvas::PictureCanvas(int width, int height)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

void PictureCanvas::Blend(int x, int y, Rgb colour, double coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || coverage <= 0.0) {
        return;
    }
    Rgb& pixel = At(x, y);
    pixel = Mix(pixel, colour, std::min(coverage, 1.0));
}

void PictureCanvas::Roll(int dx, int dy) {
    std::vector<Rgb> rolled(pixels_.size());
    for (int y = 0; y < height_; ++y) {
        const int toY = ((y + dy) % height_ + height_) % height_;
        for (int x = 0; x < width_; ++x) {
            const int toX = ((x + dx) % width_ + width_) % width_;
            rolled[Index(toX, toY)] = At(x, y);
        }
    }
    pixels_ = std::move(rolled);
}

std::vector<std::uint8_t> PictureCanvas::ToRgb8() const {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels_.size() * 3);
    const auto byte = [](float v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
    };
    for (const Rgb& pixel : pixels_) {
        rgb.push_back(byte(pixel.r));
        rgb.push_back(byte(pixel.g));
        rgb.push_back(byte(pixel.b));
    }
    return rgb;
}
