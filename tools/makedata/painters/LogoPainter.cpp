// The logo is blended by its brightness, so black is see-through and the
// letters, a ring around the 8 and a faint blue glow are what shows.
#include "tools/makedata/painters/LogoPainter.h"

#include "tools/makedata/pictures/Shading.h"
#include "tools/makedata/pictures/TextRenderer.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kSize = 512;
constexpr double kRingRadius = 122.0;
constexpr double kRingHalfWidth = 4.0;

// Spreads the stamped masks into a soft halo: three box blurs approach a
// Gaussian.
void Blur(std::vector<double>& field, int radius) {
    std::vector<double> line(kSize);
    for (int pass = 0; pass < 3; ++pass) {
        for (int horizontal = 0; horizontal < 2; ++horizontal) {
            for (int a = 0; a < kSize; ++a) {
                const auto at = [&](int b) -> double& {
                    return horizontal ? field[static_cast<std::size_t>(a * kSize + b)]
                                      : field[static_cast<std::size_t>(b * kSize + a)];
                };
                for (int b = 0; b < kSize; ++b) {
                    double sum = 0.0;
                    for (int k = std::max(0, b - radius); k <= std::min(kSize - 1, b + radius);
                         ++k) {
                        sum += at(k);
                    }
                    line[static_cast<std::size_t>(b)] = sum / (2 * radius + 1);
                }
                for (int b = 0; b < kSize; ++b) {
                    at(b) = line[static_cast<std::size_t>(b)];
                }
            }
        }
    }
}

void AddToField(std::vector<double>& field, const TextMask& mask, int left, int top) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int fx = left + x;
            const int fy = top + y;
            if (fx >= 0 && fy >= 0 && fx < kSize && fy < kSize) {
                field[static_cast<std::size_t>(fy * kSize + fx)] += mask.At(x, y);
            }
        }
    }
}

} // namespace

PictureCanvas PaintLogo(const MakeDataInputs& inputs) {
    const TextRenderer bold(inputs.fontDirectory / "DejaVuSans-Bold.ttf");
    const TextRenderer plain(inputs.fontDirectory / "DejaVuSans.ttf");
    const TextMask title = bold.Render("quorvel", bold.SizeToFit("quorvel", 440));
    const TextMask eight = bold.Render("8", 210);
    constexpr int kSpacing = 7;
    const TextMask makers =
        plain.Render("tarvendolk", plain.SizeToFit("tarvendolk", 270, kSpacing), kSpacing);

    constexpr int kGap = 6;
    const int ringHeight = static_cast<int>(2.0 * (kRingRadius + kRingHalfWidth));
    const int total = title.height + kGap + ringHeight + kGap + makers.height;
    const int titleTop = (kSize - total) / 2;
    const int titleLeft = (kSize - title.width) / 2;
    const double ringCentreY = titleTop + title.height + kGap + ringHeight / 2.0;
    const int eightTop = static_cast<int>(ringCentreY) - eight.height / 2;
    const int eightLeft = (kSize - eight.width) / 2;
    const int makersTop = titleTop + total - makers.height;
    const int makersLeft = (kSize - makers.width) / 2;
    const double ruleY = makersTop + makers.height / 2.0;

    std::vector<double> glow(static_cast<std::size_t>(kSize * kSize), 0.0);
    AddToField(glow, title, titleLeft, titleTop);
    AddToField(glow, eight, eightLeft, eightTop);
    Blur(glow, 7);

    PictureCanvas canvas(kSize, kSize);
    const Rgb halo = Bytes(70, 96, 255);
    const Rgb ring = Bytes(255, 214, 140);
    canvas.Fill(4, [&](double x, double y) {
        const double g =
            glow[static_cast<std::size_t>(static_cast<int>(y) * kSize + static_cast<int>(x))];
        Rgb colour = halo * std::min(0.55, g * 0.8);
        const double ringDistance =
            std::abs(std::hypot(x - kSize / 2.0, y - ringCentreY) - kRingRadius);
        colour =
            Mix(colour, ring, SmoothStep(kRingHalfWidth + 0.5, kRingHalfWidth - 0.5, ringDistance));
        // Thin rules either side of the makers' name.
        const double gapToName =
            std::max(makersLeft - 16.0 - x, x - (makersLeft + makers.width + 16.0));
        const double rule = SmoothStep(1.6, 0.9, std::abs(y - ruleY)) *
                            SmoothStep(0.0, 1.0, gapToName) *
                            SmoothStep(36.0, 40.0, std::min(x, kSize - x));
        return Mix(colour, Bytes(200, 206, 255), rule);
    });
    StampText(canvas, title, titleLeft, titleTop, [&](int, int y) {
        return Mix(Bytes(255, 255, 255), Bytes(150, 220, 255),
                   SmoothStep(titleTop, titleTop + title.height, y));
    });
    StampText(canvas, eight, eightLeft, eightTop, [&](int, int y) {
        return Mix(Bytes(255, 250, 230), Bytes(255, 186, 70),
                   SmoothStep(eightTop, eightTop + eight.height, y));
    });
    StampText(canvas, makers, makersLeft, makersTop, [](int, int) { return Bytes(220, 224, 255); });
    return canvas;
}
