// A picture being painted: linear RGB in floats, top row first, in pixel units
// with y running down. Shapes are painted through Fill, which averages a grid
// of samples inside every pixel, so their edges come out anti-aliased.
#pragma once

#include <cstdint>
#include <vector>

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline Rgb operator*(Rgb a, double k) {
    const auto f = static_cast<float>(k);
    return {a.r * f, a.g * f, a.b * f};
}
inline Rgb operator*(Rgb a, Rgb b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
// a at t = 0, b at t = 1.
inline Rgb Mix(Rgb a, Rgb b, double t) {
    return a * (1.0 - t) + b * t;
}
// A colour from bytes.
inline Rgb Bytes(int r, int g, int b) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
            static_cast<float>(b) / 255.0f};
}

class PictureCanvas {
  public:
    PictureCanvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
    const Rgb& At(int x, int y) const { return pixels_[Index(x, y)]; }

    // Sets every pixel to the mean of shade(x, y) over samples x samples points
    // spread evenly inside it.
    template <typename Shade> void Fill(int samples, Shade&& shade) {
        const double step = 1.0 / samples;
        const double weight = 1.0 / (samples * samples);
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                Rgb sum;
                for (int j = 0; j < samples; ++j) {
                    for (int i = 0; i < samples; ++i) {
                        sum = sum + shade(x + (i + 0.5) * step, y + (j + 0.5) * step);
                    }
                }
                At(x, y) = sum * weight;
            }
        }
    }

    // Mixes colour into one pixel by coverage 0..1; points outside are skipped.
    void Blend(int x, int y, Rgb colour, double coverage);

    // Shifts the picture right by dx and down by dy, wrapping around: moves the
    // seam of a tileable picture to where its pattern is plain.
    void Roll(int dx, int dy);

    // Clamped to 0..255 and rounded, three bytes a pixel, top row first.
    std::vector<std::uint8_t> ToRgb8() const;

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};
