// What every picture decoder shares: the size rule, the alpha rule and the
// checkerboard that stands in for a picture that could not be loaded.
#include "platform/host/data/Picture.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kMaxPictureBytes = 64u << 20; // decoded RGBA8

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace

void ApplyPictureAlpha(std::vector<std::uint8_t>& rgba, PictureAlpha alpha) {
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        rgba[i + 3] =
            alpha == PictureAlpha::Opaque ? 255 : std::max({rgba[i], rgba[i + 1], rgba[i + 2]});
    }
}

bool PictureSizeAllowed(int width, int height, std::uint64_t roomBytes, std::string* error) {
    if (width <= 0 || height <= 0) {
        *error = "picture has no pixels";
        return false;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide) {
        *error =
            SizeText(width, height) + " is over " + std::to_string(kMaxPictureSide) + " px a side";
        return false;
    }
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 >
        kMaxPictureBytes) {
        *error = SizeText(width, height) + " is over 64 MiB decoded";
        return false;
    }
    if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * 4 > roomBytes) {
        *error = SizeText(width, height) + " does not fit in the " +
                 std::to_string(roomBytes >> 20) + " MiB left of the " +
                 std::to_string(kMaxShowPictureBytes >> 20) + " MiB all pictures may take decoded";
        return false;
    }
    return true;
}

Picture MakeCheckerboardPicture(PictureAlpha alpha) {
    constexpr int kSide = 64;
    constexpr int kSquare = 8;
    Picture picture;
    picture.width = kSide;
    picture.height = kSide;
    picture.rgba.resize(kSide * kSide * 4);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const bool magenta = ((x / kSquare) + (y / kSquare)) % 2 == 0;
            std::uint8_t* texel = &picture.rgba[(y * kSide + x) * 4];
            texel[0] = magenta ? 255 : 0;
            texel[1] = 0;
            texel[2] = magenta ? 255 : 0;
        }
    }
    ApplyPictureAlpha(picture.rgba, alpha);
    return picture;
}
