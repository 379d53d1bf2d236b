// Wrapping paper: every feature sits on a lattice that divides the picture,
// and the ribbon and bow stay clear of the edges, so the paper tiles.
#include "tools/makedata/painters/PakjePainter.h"

#include "tools/makedata/pictures/Shading.h"

#include <cmath>

namespace {

constexpr int kSize = 512;
constexpr double kCell = 64.0;
constexpr double kCentre = kSize / 2.0;
constexpr double kRibbonHalf = 30.0;

// Signed distance to a five-pointed star of outer radius r (y up), after
// Inigo Quilez.
double StarDistance(double px, double py, double r, double sharpness) {
    const double k1x = 0.809016994375;
    const double k1y = -0.587785252292;
    const double k2x = -k1x;
    const double k2y = k1y;
    px = std::abs(px);
    double d = std::max(k1x * px + k1y * py, 0.0) * 2.0;
    px -= d * k1x;
    py -= d * k1y;
    d = std::max(k2x * px + k2y * py, 0.0) * 2.0;
    px -= d * k2x;
    py -= d * k2y;
    px = std::abs(px);
    py -= r;
    const double bax = sharpness * -k1y;
    const double bay = sharpness * k1x - 1.0;
    const double h = std::clamp((px * bax + py * bay) / (bax * bax + bay * bay), 0.0, r);
    const double ex = px - bax * h;
    const double ey = py - bay * h;
    const double sign = (py * bax - px * bay) < 0.0 ? -1.0 : 1.0;
    return std::hypot(ex, ey) * sign;
}

Rgb Paper(double x, double y) {
    const Rgb red = Bytes(150, 12, 28);
    const Rgb stripe = Bytes(178, 24, 40);
    const double diagonal = std::sin((x - y) * 2.0 * kPi / 16.0);
    Rgb colour = Mix(red, stripe, SmoothStep(0.55, 0.75, diagonal));
    const double lx = Mod(x, kCell) - kCell / 2.0;
    const double ly = Mod(y, kCell) - kCell / 2.0;
    const int i = static_cast<int>(x / kCell);
    const int j = static_cast<int>(y / kCell);
    if ((i + j) % 2 == 0) {
        const double d = std::hypot(lx, ly);
        const Rgb dot = Mix(Bytes(255, 250, 240), Bytes(225, 210, 200), SmoothStep(2.0, 10.0, d));
        colour = Mix(colour, dot, SmoothStep(10.5, 9.5, d));
    } else {
        const double d = StarDistance(lx, -ly, 15.0, 0.45);
        const Rgb gold = Mix(Bytes(255, 226, 120), Bytes(214, 150, 30), SmoothStep(-6.0, 0.0, d));
        colour = Mix(colour, gold, SmoothStep(0.5, -0.5, d));
    }
    return colour;
}

// A gold band; across runs -1..1 over its width, along is for the stitching.
Rgb Ribbon(double across, double along) {
    const Rgb gold = Bytes(246, 196, 60);
    const Rgb deep = Bytes(160, 100, 10);
    const Rgb sheen = Bytes(255, 244, 190);
    Rgb colour = Mix(deep, gold, 0.55 + 0.45 * std::cos(across * kPi * 0.5));
    colour = Mix(colour, sheen, 0.5 * std::exp(-std::pow((across + 0.35) / 0.12, 2.0)));
    const double stitch = std::abs(std::abs(across) - 0.78) * kRibbonHalf;
    const double dash = SmoothStep(0.3, 0.7, std::sin(along * 2.0 * kPi / 10.0));
    colour = Mix(colour, deep, SmoothStep(1.2, 0.4, stitch) * dash);
    return Mix(colour, Bytes(110, 60, 0), SmoothStep(0.9, 1.0, std::abs(across)));
}

// One loop of the bow: a ring around an ellipse tilted by angle.
double LoopCoverage(double x, double y, double cx, double cy, double angle, double* shade) {
    const double dx = x - cx;
    const double dy = y - cy;
    const double u = (dx * std::cos(angle) + dy * std::sin(angle)) / 52.0;
    const double v = (-dx * std::sin(angle) + dy * std::cos(angle)) / 26.0;
    const double r = std::hypot(u, v);
    *shade = r;
    return SmoothStep(1.03, 0.97, r) * SmoothStep(0.42, 0.5, r);
}

} // namespace

PictureCanvas PaintPakje(const MakeDataInputs&) {
    PictureCanvas canvas(kSize, kSize);
    canvas.Fill(2, [](double x, double y) {
        Rgb colour = Paper(x, y);
        const double ax = (x - kCentre) / kRibbonHalf;
        const double ay = (y - kCentre) / kRibbonHalf;
        // The shadow the ribbons cast on the paper.
        const double shade = std::min(std::abs(ax) - 1.0, std::abs(ay) - 1.0);
        colour = colour * (1.0 - 0.35 * SmoothStep(0.4, 0.0, shade));
        if (std::abs(ay) < 1.0) {
            colour = Ribbon(ay, x);
        }
        if (std::abs(ax) < 1.0) {
            colour = Ribbon(ax, y);
        }
        for (const double side : {-1.0, 1.0}) {
            double r = 0.0;
            const double cover =
                LoopCoverage(x, y, kCentre + side * 44.0, kCentre - 22.0, side * -0.55, &r);
            const Rgb loop = Mix(Bytes(255, 232, 140), Bytes(180, 116, 14), r);
            colour = Mix(colour, loop, cover);
        }
        const double knot = std::max(std::abs(x - kCentre), std::abs(y - kCentre)) - 16.0;
        const Rgb knotColour =
            Mix(Bytes(255, 226, 110), Bytes(170, 108, 12), SmoothStep(-16.0, 0.0, knot));
        return Mix(colour, knotColour, SmoothStep(0.5, -0.5, knot));
    });
    return canvas;
}
