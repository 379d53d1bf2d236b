#include "tools/makedata/pictures/AppIcon.h"

#include "platform/host/output/PngWriter.h"
#include "tools/makedata/painters/LogoPainter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

void WriteAppIcon(const std::filesystem::path& file, const MakeDataInputs& inputs) {
    const PictureCanvas logo = PaintLogo(inputs);
    // Each icon pixel is the mean of the logo pixels it covers, so thin
    // strokes thin out rather than break up. The canvas is filled upside
    // down: the PNG writer takes rows bottom first, as GL reads them.
    PictureCanvas flipped(kAppIconSize, kAppIconSize);
    for (int y = 0; y < kAppIconSize; ++y) {
        const int y0 = y * logo.Height() / kAppIconSize;
        const int y1 = std::max(y0 + 1, (y + 1) * logo.Height() / kAppIconSize);
        for (int x = 0; x < kAppIconSize; ++x) {
            const int x0 = x * logo.Width() / kAppIconSize;
            const int x1 = std::max(x0 + 1, (x + 1) * logo.Width() / kAppIconSize);
            Rgb sum;
            for (int v = y0; v < y1; ++v) {
                for (int u = x0; u < x1; ++u) {
                    sum = sum + logo.At(u, v);
                }
            }
            flipped.At(x, kAppIconSize - 1 - y) = sum * (1.0 / ((x1 - x0) * (y1 - y0)));
        }
    }
    std::string error;
    if (!WritePng(file, kAppIconSize, kAppIconSize, flipped.ToRgb8(), &error)) {
        throw std::runtime_error(error);
    }
}
