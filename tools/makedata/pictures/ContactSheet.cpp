#include "tools/makedata/pictures/ContactSheet.h"

#include "platform/host/output/PngWriter.h"
#include "tools/makedata/pictures/ShowPictures.h"

#include <algorithm>
#include <cmath>
#include <future>
#include <map>
#include <stdexcept>
#include <string>

namespace {

constexpr int kCell = 384;
constexpr int kGap = 8;
constexpr int kColumns = 4;
constexpr int kRows = 3;
constexpr int kSheetWidth = kColumns * kCell + (kColumns + 1) * kGap;
constexpr int kSheetHeight = kRows * kCell + (kRows + 1) * kGap;

// Pastes the source rectangle (sx, sy, sw, sh) scaled to (dx, dy, dw, dh) by
// averaging the source pixels under each sheet pixel.
void Paste(PictureCanvas& sheet, const PictureCanvas& source, int sx, int sy, int sw, int sh,
           int dx, int dy, int dw, int dh) {
    for (int y = 0; y < dh; ++y) {
        const int y0 = sy + y * sh / dh;
        const int y1 = std::max(y0 + 1, sy + (y + 1) * sh / dh);
        for (int x = 0; x < dw; ++x) {
            const int x0 = sx + x * sw / dw;
            const int x1 = std::max(x0 + 1, sx + (x + 1) * sw / dw);
            Rgb sum;
            for (int v = y0; v < y1; ++v) {
                for (int u = x0; u < x1; ++u) {
                    sum = sum + source.At(u, v);
                }
            }
            sheet.At(dx + x, dy + y) = sum * (1.0 / ((x1 - x0) * (y1 - y0)));
        }
    }
}

int CellX(int column) {
    return kGap + column * (kCell + kGap);
}
int CellY(int row) {
    return kGap + row * (kCell + kGap);
}

} // namespace

void WriteContactSheet(const std::filesystem::path& file, const MakeDataInputs& inputs) {
    std::map<std::string, std::future<PictureCanvas>> painting;
    for (const ShowPicture& picture : ShowPictures()) {
        painting.emplace(std::string(picture.name),
                         std::async(std::launch::async, picture.paint, std::cref(inputs)));
    }
    std::map<std::string, PictureCanvas> pictures;
    for (auto& [name, canvas] : painting) {
        pictures.emplace(name, canvas.get());
    }

    PictureCanvas sheet(kSheetWidth, kSheetHeight);
    sheet.Fill(1, [](double, double) { return Bytes(40, 40, 44); });
    const auto whole = [&](const std::string& name, int column, int row) {
        const PictureCanvas& picture = pictures.at(name);
        Paste(sheet, picture, 0, 0, picture.Width(), picture.Height(), CellX(column), CellY(row),
              kCell, kCell);
    };
    whole("quorfoto.jpg", 0, 0);
    whole("logo.jpg", 1, 0);
    whole("flare.jpg", 2, 0);
    whole("wortel.jpg", 3, 0);
    int column = 0;
    for (const char* name : {"pakje.jpg", "Snoep.jpg", "boek.jpg", "Dralm.jpg"}) {
        const PictureCanvas& picture = pictures.at(name);
        for (int tile = 0; tile < 4; ++tile) {
            const int half = kCell / 2;
            Paste(sheet, picture, 0, 0, picture.Width(), picture.Height(),
                  CellX(column) + (tile % 2) * half, CellY(1) + (tile / 2) * half, half, half);
        }
        ++column;
    }
    const PictureCanvas& greets = pictures.at("blaat.jpg");
    const int quarter = greets.Height() / 4;
    for (int screen = 0; screen < 4; ++screen) {
        Paste(sheet, greets, 0, screen * quarter, greets.Width(), quarter, CellX(screen), CellY(2),
              kCell, kCell);
    }

    // The PNG writer takes rows bottom first, as GL reads them.
    const std::vector<std::uint8_t> topFirst = sheet.ToRgb8();
    const std::size_t rowBytes = static_cast<std::size_t>(kSheetWidth) * 3;
    std::vector<std::uint8_t> bottomFirst(topFirst.size());
    for (int y = 0; y < kSheetHeight; ++y) {
        std::copy_n(topFirst.begin() + static_cast<std::ptrdiff_t>(y * rowBytes), rowBytes,
                    bottomFirst.begin() +
                        static_cast<std::ptrdiff_t>((kSheetHeight - 1 - y) * rowBytes));
    }
    std::string error;
    if (!WritePng(file, kSheetWidth, kSheetHeight, bottomFirst, &error)) {
        throw std::runtime_error("[" + file.string() + "] " + error);
    }
}
