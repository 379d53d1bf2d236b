// The flares are added to the frame, so every pixel adds light: the glow must
// reach pure black before the picture's edge or the square would show.
#include "tools/makedata/painters/FlarePainter.h"

#include "tools/makedata/pictures/Shading.h"

#include <cmath>

PictureCanvas PaintFlare(const MakeDataInputs&) {
    constexpr int kSize = 256;
    constexpr double kHalf = kSize / 2.0;
    PictureCanvas canvas(kSize, kSize);
    const Rgb white{1.0f, 1.0f, 1.0f};
    const Rgb warm{1.0f, 0.74f, 0.42f};
    const Rgb ember{1.0f, 0.5f, 0.22f};
    canvas.Fill(3, [&](double x, double y) {
        const double dx = (x - kHalf) / kHalf;
        const double dy = (y - kHalf) / kHalf;
        const double r2 = dx * dx + dy * dy;
        const double r = std::sqrt(r2);
        const double core = std::exp(-r2 * 60.0);
        const double glow = 0.55 * std::exp(-r2 * 7.0);
        const double halo = 0.1 * std::exp(-std::pow((r - 0.7) / 0.06, 2.0));
        // A faint four-pointed star, thinner away from the centre.
        const double rays = 0.45 * std::exp(-r * 3.5) *
                            (std::exp(-std::abs(dx) * 90.0) + std::exp(-std::abs(dy) * 90.0));
        const double edge = SmoothStep(0.98, 0.55, r);
        return (white * core + warm * glow + ember * halo + warm * rays) * edge;
    });
    return canvas;
}
