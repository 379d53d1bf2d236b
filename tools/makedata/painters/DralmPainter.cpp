// Dragon scales: discs on a staggered lattice, each row drawn over the row
// below it so only the rounded lower part of each scale shows. An even number
// of rows and columns fill the picture, so the scales tile.
#include "tools/makedata/painters/DralmPainter.h"

#include "tools/makedata/SeededRandom.h"
#include "tools/makedata/pictures/Shading.h"

#include <cmath>

namespace {

constexpr int kSize = 512;
constexpr double kColumnStep = 64.0;
constexpr double kRowStep = 32.0;
constexpr int kColumns = 8;
constexpr int kRows = 16;
constexpr double kRadius = 38.0;

Rgb ScaleColour(int column, int row) {
    const double tone = HashUnit(column, row, 11);
    const Rgb teal = Bytes(12, 96, 104);
    const Rgb emerald = Bytes(22, 130, 64);
    if (HashUnit(column, row, 12) < 0.07) {
        return Bytes(196, 140, 40); // an odd bronze scale
    }
    return Mix(teal, emerald, tone);
}

} // namespace

PictureCanvas PaintDralm(const MakeDataInputs&) {
    PictureCanvas canvas(kSize, kSize);
    canvas.Fill(2, [](double x, double y) {
        const int nearRow = static_cast<int>(std::floor(y / kRowStep));
        // Upper rows cover lower ones: the first disc found, from the top, wins.
        for (int r = nearRow - 1; r <= nearRow + 2; ++r) {
            const int row = ((r % kRows) + kRows) % kRows;
            const double cy = r * kRowStep;
            const double shift = row % 2 == 1 ? kColumnStep / 2.0 : 0.0;
            const double offset = Mod(x - shift, kColumnStep);
            const double dx = offset - kColumnStep / 2.0;
            const int column =
                static_cast<int>(std::floor((x - shift) / kColumnStep) + kColumns) % kColumns;
            const double dy = y - cy;
            const double d = std::hypot(dx, dy);
            if (d > kRadius + 0.5) {
                continue;
            }
            const double n = d / kRadius;
            const Rgb base = ScaleColour(column, row);
            Rgb colour =
                base * (0.45 + 0.75 * (1.0 - n * n * 0.7) * SmoothStep(-kRowStep, 30.0, dy));
            // A ridge down the middle of the scale catches the light.
            colour = Mix(colour, base * 1.7,
                         0.5 * std::exp(-std::pow(dx / 2.5, 2.0)) * SmoothStep(0.0, 12.0, dy));
            colour = Mix(colour, Bytes(236, 190, 80), SmoothStep(0.8, 0.88, n));
            colour = Mix(colour, Bytes(20, 14, 6), SmoothStep(0.93, 0.99, n));
            return colour;
        }
        return Bytes(8, 24, 20);
    });
    // The seam falls between the scales' centres.
    canvas.Roll(16, 16);
    return canvas;
}
