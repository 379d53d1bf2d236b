// The greetings rise through the frame on a quad four screens tall, so each
// quarter of the picture fills one screen: the title leads the first, the
// sign-off closes the last, and the names are spaced evenly between so no
// screen is empty. Black is transparent where it is added to the frame.
#include "tools/makedata/painters/GreetsPainter.h"

#include "tools/makedata/pictures/Shading.h"
#include "tools/makedata/pictures/TextRenderer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 2048;
// The quad is 0.7 to 3.1 frames wide but one frame is only a quarter of the
// picture high, so letters are drawn condensed and the lines kept to the
// middle: at a typical width they read upright and fill most of the frame.
constexpr int kTextWidth = 240;
constexpr double kCondensed = 0.45;

constexpr std::array<std::string_view, 24> kGroups = {
    "Kwastjesvolk", "Brommerbende",     "Zwirrel",     "Gommeltak",     "Bruulpaard",
    "Kniesoor",     "Veldmuis Vectors", "Snorrebot",   "Plinkhaven",    "Drupsteen",
    "Taartfabriek", "Spruitjesclub",    "Fladderaar",  "Heksenkring",   "Tintelpoes",
    "Mossgrauw",    "Slakkenpost",      "Poldergeest", "Knikkerkoning", "Vlotgras",
    "Roestwortel",  "Pixelpruim",       "Zoemkever",   "Ganzenbord",
};

const std::array<Rgb, 5> kHues = {
    Bytes(255, 196, 220), Bytes(190, 230, 255), Bytes(255, 236, 170),
    Bytes(196, 255, 206), Bytes(226, 206, 255),
};

// Stamps one centred line with its baseline at baselineY, white at the top of
// the letters shading to hue at the bottom.
void CentredLine(PictureCanvas& canvas, const TextMask& mask, int baselineY, Rgb hue) {
    const int top = baselineY - mask.baseline;
    const int left = (kWidth - mask.width) / 2;
    StampText(canvas, mask, left, top, [&](int, int y) {
        return Mix(Bytes(255, 255, 255), hue, SmoothStep(top, top + mask.height, y));
    });
}

} // namespace

PictureCanvas PaintGreets(const MakeDataInputs& inputs) {
    const TextRenderer bold(inputs.fontDirectory / "DejaVuSans-Bold.ttf");
    const TextRenderer plain(inputs.fontDirectory / "DejaVuSans.ttf");
    PictureCanvas canvas(kWidth, kHeight);

    const int titleSize = std::min(72, bold.SizeToFit("greetings", kTextWidth, 0, kCondensed));
    const TextMask title = bold.Render("greetings", titleSize, 0, kCondensed);
    CentredLine(canvas, title, 190, Bytes(255, 200, 90));
    const TextMask from = plain.Render("quorvel 8 waves to", 30, 0, kCondensed);
    CentredLine(canvas, from, 250, Bytes(200, 210, 255));

    constexpr int kFirstName = 360;
    constexpr int kPitch = 62;
    for (std::size_t i = 0; i < kGroups.size(); ++i) {
        const std::string_view name = kGroups[i];
        const int size = std::min(40, bold.SizeToFit(name, kTextWidth, 0, kCondensed));
        CentredLine(canvas, bold.Render(name, size, 0, kCondensed),
                    kFirstName + static_cast<int>(i) * kPitch, kHues[i % kHues.size()]);
    }
    const int lastName = kFirstName + static_cast<int>(kGroups.size() - 1) * kPitch;
    CentredLine(canvas, plain.Render("and everyone we forgot", 30, 0, kCondensed), lastName + 100,
                Bytes(200, 210, 255));
    CentredLine(canvas, bold.Render("tarvendolk", 48, 2, kCondensed), lastName + 190,
                Bytes(255, 200, 90));
    return canvas;
}
