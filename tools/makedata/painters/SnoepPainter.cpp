// Boiled sweets on candy-cane stripes. Sweets sit on a staggered lattice of
// an even number of rows and the stripes' period divides the picture, so the
// pattern tiles.
#include "tools/makedata/painters/SnoepPainter.h"

#include "tools/makedata/SeededRandom.h"
#include "tools/makedata/pictures/Shading.h"

#include <array>
#include <cmath>

namespace {

constexpr int kSize = 512;
constexpr double kSpacing = 128.0;
constexpr int kPerSide = 4;
constexpr double kRadius = 46.0;

const std::array<Rgb, 6> kFlavours = {
    Bytes(220, 24, 44),  Bytes(255, 210, 40), Bytes(110, 214, 50),
    Bytes(140, 60, 200), Bytes(255, 130, 20), Bytes(50, 120, 240),
};

Rgb Stripes(double x, double y) {
    const double band = Mod(x + y, 128.0) / 32.0;
    const Rgb white = Bytes(250, 244, 240);
    const Rgb pink = Bytes(240, 80, 130);
    const Rgb mint = Bytes(90, 215, 180);
    const double frac = band - std::floor(band);
    const int index = static_cast<int>(band);
    const Rgb colour = index == 1 ? pink : index == 3 ? mint : white;
    // A thin darker line where bands meet, the edge of the sugar.
    const double edge = std::min(frac, 1.0 - frac) * 32.0;
    return colour * (0.86 + 0.14 * SmoothStep(0.0, 2.5, edge));
}

struct Sweet {
    double dx; // from its centre, wrapped
    double dy;
    Rgb flavour;
};

// The sweet nearest to (x, y) on the wrapped lattice.
Sweet NearestSweet(double x, double y) {
    Sweet best{1e9, 1e9, {}};
    const int row = static_cast<int>(std::floor(y / kSpacing));
    for (int r = row - 1; r <= row + 1; ++r) {
        const int wrappedRow = ((r % kPerSide) + kPerSide) % kPerSide;
        const double cy = (r + 0.5) * kSpacing;
        const double shift = wrappedRow % 2 == 1 ? kSpacing / 2.0 : 0.0;
        for (int c = 0; c < kPerSide; ++c) {
            const double cx = (c + 0.5) * kSpacing + shift;
            const double dx = WrappedOffset(x, cx, kSize);
            const double dy = y - cy;
            if (dx * dx + dy * dy < best.dx * best.dx + best.dy * best.dy) {
                const std::uint32_t pick = HashPoint(c, wrappedRow, 7) % kFlavours.size();
                best = {dx, dy, kFlavours[pick]};
            }
        }
    }
    return best;
}

} // namespace

PictureCanvas PaintSnoep(const MakeDataInputs&) {
    PictureCanvas canvas(kSize, kSize);
    canvas.Fill(2, [](double x, double y) {
        Rgb colour = Stripes(x, y);
        const Sweet shadow = NearestSweet(Mod(x - 6.0, kSize), Mod(y - 8.0, kSize));
        colour = colour * (1.0 - 0.4 * SmoothStep(kRadius + 5.0, kRadius - 5.0,
                                                  std::hypot(shadow.dx, shadow.dy)));
        const Sweet sweet = NearestSweet(x, y);
        const double d = std::hypot(sweet.dx, sweet.dy);
        if (d >= kRadius + 1.0) {
            return colour;
        }
        const double n = std::min(d / kRadius, 1.0);
        const double angle = std::atan2(sweet.dy, sweet.dx);
        // Swirled white arms, like twisted sugar.
        const double swirl = std::sin(5.0 * angle + d * 0.09);
        Rgb candy = Mix(sweet.flavour, Bytes(255, 250, 245), 0.8 * SmoothStep(0.45, 0.7, swirl));
        candy = candy * (0.55 + 0.45 * std::sqrt(1.0 - n * n));
        const double spot = std::hypot(sweet.dx + 0.35 * kRadius, sweet.dy + 0.38 * kRadius);
        candy = Mix(candy, Bytes(255, 255, 255), 0.75 * std::exp(-std::pow(spot / 9.0, 2.0)));
        candy = Mix(candy, sweet.flavour * 0.4, SmoothStep(kRadius - 3.5, kRadius - 1.0, d));
        return Mix(colour, candy, SmoothStep(kRadius + 0.5, kRadius - 0.5, d));
    });
    return canvas;
}
