// Two shelves of book spines. Each shelf's books are as wide together as the
// picture, and the shelves are half its height, so the bookcase tiles.
#include "tools/makedata/painters/BoekPainter.h"

#include "tools/makedata/SeededRandom.h"
#include "tools/makedata/pictures/Shading.h"
#include "tools/makedata/pictures/TextRenderer.h"
#include "tools/makedata/pictures/ValueNoise.h"

#include <array>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

constexpr int kSize = 512;
constexpr int kShelfHeight = kSize / 2;
constexpr int kBoardTop = 232; // within each shelf

struct Book {
    int left;
    int width;
    int top; // within its shelf
    Rgb cover;
    bool light; // a light cover takes dark lettering
    int style;  // 0: bands only, 1: bands and a label, 2: a broad band
};

const std::array<Rgb, 9> kCovers = {
    Bytes(128, 24, 30),   Bytes(24, 44, 110),  Bytes(30, 90, 50),
    Bytes(200, 150, 40),  Bytes(20, 110, 120), Bytes(96, 40, 110),
    Bytes(226, 214, 180), Bytes(60, 60, 64),   Bytes(180, 80, 30),
};

constexpr std::array<std::string_view, 16> kTitles = {
    "Knollen", "Wortels", "Ruis",     "Lente",  "Zolder", "Kwartel", "Sterren", "Poort",
    "Vlam",    "Pakjes",  "Snoepjes", "Draken", "Golven", "Spiegel", "Nacht",   "Klok",
};

std::vector<Book> ShelfOfBooks(SeededRandom& random) {
    std::vector<Book> books;
    int left = 0;
    while (left < kSize) {
        int width = random.Between(20, 44);
        if (kSize - left - width < 20) {
            width = kSize - left; // the last book closes the row exactly
        }
        const std::size_t cover = random.Next() % kCovers.size();
        books.push_back({left, width, random.Between(22, 90), kCovers[cover], cover == 6,
                         random.Between(0, 2)});
        left += width;
    }
    return books;
}

Rgb Spine(const Book& book, double x, double y) {
    const double u = (x - book.left) / book.width;
    Rgb colour = book.cover * (0.45 + 0.6 * std::pow(std::sin(kPi * u), 0.6));
    const Rgb gold = Bytes(230, 186, 90);
    const double fromTop = y - book.top;
    const double fromBottom = kBoardTop - y;
    for (const double at : {12.0, 18.0}) {
        colour = Mix(colour, gold, SmoothStep(1.4, 0.6, std::abs(fromTop - at)));
        colour = Mix(colour, gold, SmoothStep(1.4, 0.6, std::abs(fromBottom - at)));
    }
    if (book.style == 2) {
        const double band = std::abs(fromBottom - 44.0);
        colour = Mix(colour, book.light ? Bytes(120, 30, 30) : Bytes(20, 20, 24),
                     SmoothStep(9.0, 8.0, band));
    }
    // The spine's edges, and the crease a hinge leaves near each.
    colour =
        colour *
        (0.55 + 0.45 * SmoothStep(0.0, 1.5, std::min(x - book.left, book.left + book.width - x)));
    return colour;
}

Rgb Board(double x, double y) {
    const double grain = FractalNoise(x / 64.0, y / 3.0, 4, 21, 8, 0);
    Rgb wood = Mix(Bytes(110, 62, 28), Bytes(150, 92, 44), grain);
    wood = Mix(wood, Bytes(190, 130, 70), SmoothStep(2.0, 0.0, y - kBoardTop));
    return wood * (1.0 - 0.4 * SmoothStep(kShelfHeight - 6.0, kShelfHeight, y));
}

} // namespace

PictureCanvas PaintBoek(const MakeDataInputs& inputs) {
    SeededRandom random(1984);
    std::array<std::vector<Book>, 2> shelves = {ShelfOfBooks(random), ShelfOfBooks(random)};
    PictureCanvas canvas(kSize, kSize);
    canvas.Fill(2, [&](double x, double y) {
        const int shelf = static_cast<int>(y) / kShelfHeight;
        const double local = y - shelf * kShelfHeight;
        if (local >= kBoardTop) {
            return Board(x, local);
        }
        for (const Book& book : shelves[static_cast<std::size_t>(shelf)]) {
            if (x >= book.left && x < book.left + book.width) {
                if (local >= book.top) {
                    return Spine(book, x, local);
                }
                // The back of the case above a shorter book, darkest in the
                // shadow of the shelf above.
                return Bytes(40, 24, 14) * (0.4 + 0.6 * SmoothStep(0.0, 90.0, local));
            }
        }
        return Bytes(34, 20, 12);
    });

    // Titles run up the spines, as on books standing on a shelf.
    const TextRenderer serif(inputs.fontDirectory / "DejaVuSerif-Bold.ttf");
    std::size_t titleIndex = 0;
    for (std::size_t shelf = 0; shelf < shelves.size(); ++shelf) {
        for (const Book& book : shelves[shelf]) {
            const std::string_view title = kTitles[titleIndex++ % kTitles.size()];
            const int size = std::min(book.width * 6 / 10, 22);
            const TextMask text = serif.Render(title, size);
            const int spineLength = kBoardTop - book.top - 60;
            if (text.width > spineLength || text.height > book.width - 4) {
                continue;
            }
            // Rotated a quarter turn anticlockwise: the mask's columns become
            // rows read from the bottom up.
            TextMask turned;
            turned.width = text.height;
            turned.height = text.width;
            turned.coverage.resize(text.coverage.size());
            for (int y = 0; y < text.height; ++y) {
                for (int x = 0; x < text.width; ++x) {
                    turned.coverage[static_cast<std::size_t>((text.width - 1 - x) * turned.width +
                                                             y)] =
                        text.coverage[static_cast<std::size_t>(y * text.width + x)];
                }
            }
            const int left = book.left + (book.width - turned.width) / 2;
            const int top =
                shelf * kShelfHeight + book.top + 30 + (spineLength - turned.height) / 2;
            const Rgb ink = book.light ? Bytes(60, 30, 20) : Bytes(240, 206, 120);
            StampText(canvas, turned, left, top, [&](int, int) { return ink; });
        }
    }
    // The seams fall inside a book and across the middle of the spines.
    canvas.Roll(17, 110);
    return canvas;
}
