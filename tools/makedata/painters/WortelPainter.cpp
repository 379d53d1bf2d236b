// The carrot sprite is drawn opaque on the wheel's cleared orange-yellow, so
// its background is that colour exactly and the square of the sprite vanishes.
#include "tools/makedata/painters/WortelPainter.h"

#include "tools/makedata/pictures/Shading.h"

#include <array>
#include <cmath>

namespace {

constexpr int kSize = 256;

// The clear colour (239, 188, 34) / 256 lands in an 8-bit frame buffer as
// these bytes.
const Rgb kBackground = Bytes(238, 187, 34);

struct Point {
    double x;
    double y;
};

// Where a point lies along a straight stroke from base to base + direction:
// along in 0..1 over its length, across as a signed distance.
struct StrokeFrame {
    double along;
    double across;
};

StrokeFrame FrameOf(Point p, Point base, Point direction) {
    const double length2 = direction.x * direction.x + direction.y * direction.y;
    const double rx = p.x - base.x;
    const double ry = p.y - base.y;
    return {(rx * direction.x + ry * direction.y) / length2,
            (rx * direction.y - ry * direction.x) / std::sqrt(length2)};
}

constexpr Point kTip{0.17, 0.86};
constexpr Point kCrown{0.62, 0.41};
constexpr double kBodyWidth = 0.12;

// Half width of the root at a point along it: a taper from the tip, rounded
// off at the crown.
double BodyHalfWidth(double along) {
    if (along < 0.0) {
        return 0.0;
    }
    const double shoulder = 0.9;
    const double taper = kBodyWidth * std::pow(std::min(along, shoulder), 0.72);
    if (along <= shoulder) {
        return taper;
    }
    const double k = (along - shoulder) / 0.16;
    return k >= 1.0 ? 0.0 : taper * std::sqrt(1.0 - k * k);
}

struct Leaf {
    double angle; // from the root's own direction, radians
    double length;
    double width;
    double bend;
};

constexpr std::array<Leaf, 5> kLeaves = {{
    {-0.95, 0.30, 0.050, 0.05},
    {-0.45, 0.38, 0.055, 0.04},
    {0.0, 0.42, 0.060, -0.03},
    {0.45, 0.37, 0.055, -0.05},
    {0.95, 0.29, 0.050, -0.06},
}};

// The leaf's colour at p mixed over below, by its coverage.
Rgb PaintLeaf(const Leaf& leaf, Point p, Point axis, Rgb below) {
    const double c = std::cos(leaf.angle);
    const double s = std::sin(leaf.angle);
    const Point direction{(axis.x * c - axis.y * s) * leaf.length,
                          (axis.x * s + axis.y * c) * leaf.length};
    const StrokeFrame frame = FrameOf(p, kCrown, direction);
    if (frame.along < 0.0 || frame.along > 1.0) {
        return below;
    }
    const double across = frame.across - leaf.bend * frame.along * frame.along;
    // A feathery outline: the blade narrows and widens in little lobes.
    const double lobes = 0.7 + 0.3 * std::abs(std::sin(frame.along * 26.0));
    const double half =
        leaf.width * std::pow(std::sin(kPi * std::min(1.0, frame.along * 1.1)), 0.8) * lobes;
    const double stem = 0.007;
    const double reach = frame.along < 0.3 ? std::max(half, stem) : half;
    const double inside = reach - std::abs(across);
    if (inside <= 0.0) {
        return below;
    }
    const Rgb dark{0.08f, 0.32f, 0.07f};
    const Rgb green{0.24f, 0.62f, 0.16f};
    const Rgb light{0.58f, 0.86f, 0.34f};
    Rgb colour = Mix(green, light, 0.4 * (1.0 - frame.along));
    colour = Mix(colour, light, std::exp(-std::pow(across / 0.004, 2.0)) * 0.8);
    colour = Mix(dark, colour, SmoothStep(0.0, 0.008, inside));
    return colour;
}

Rgb PaintRoot(Point p, Rgb below) {
    const Point axis{kCrown.x - kTip.x, kCrown.y - kTip.y};
    const StrokeFrame frame = FrameOf(p, kTip, axis);
    const double half = BodyHalfWidth(frame.along);
    const double inside = half - std::abs(frame.across);
    if (inside <= 0.0) {
        return below;
    }
    const double n = frame.across / half; // -1 .. 1 across the root
    const Rgb orange{0.97f, 0.46f, 0.06f};
    const Rgb deep{0.66f, 0.22f, 0.02f};
    const Rgb shine{1.0f, 0.8f, 0.5f};
    Rgb colour = Mix(deep, orange, 0.35 + 0.65 * std::sqrt(std::max(0.0, 1.0 - n * n)));
    colour = Mix(colour, shine, 0.55 * std::exp(-std::pow((n + 0.45) / 0.16, 2.0)));
    // Rings of little grooves across the root, each over part of its width.
    const double length = std::hypot(axis.x, axis.y);
    for (int k = 0; k < 7; ++k) {
        const double at = 0.16 + k * 0.11;
        const double from = -0.8 + 0.25 * ((k * 5) % 3);
        const double to = from + 0.9 + 0.1 * (k % 2);
        const double groove = std::exp(-std::pow((frame.along - at) * length / 0.0045, 2.0)) *
                              SmoothStep(from - 0.1, from, n) * SmoothStep(to + 0.1, to, n);
        colour = Mix(colour, deep, 0.7 * groove);
    }
    return Mix(Mix(deep, Bytes(90, 30, 0), 0.5), colour, SmoothStep(0.0, 0.009, inside));
}

} // namespace

PictureCanvas PaintWortel(const MakeDataInputs&) {
    PictureCanvas canvas(kSize, kSize);
    const Point axis{kCrown.x - kTip.x, kCrown.y - kTip.y};
    const double axisLength = std::hypot(axis.x, axis.y);
    const Point unitAxis{axis.x / axisLength, axis.y / axisLength};
    canvas.Fill(3, [&](double x, double y) {
        const Point p{x / kSize, y / kSize};
        // A soft shadow of the root, down and to the right.
        const StrokeFrame shadowFrame = FrameOf({p.x - 0.025, p.y - 0.03}, kTip, axis);
        const double shadowHalf = BodyHalfWidth(shadowFrame.along);
        const double shadow =
            shadowHalf > 0.0 ? SmoothStep(-0.03, 0.02, shadowHalf - std::abs(shadowFrame.across))
                             : 0.0;
        Rgb colour = kBackground * (1.0 - 0.22 * shadow);
        for (const Leaf& leaf : kLeaves) {
            colour = PaintLeaf(leaf, p, unitAxis, colour);
        }
        return PaintRoot(p, colour);
    });
    return canvas;
}
