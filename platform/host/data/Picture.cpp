// JPEG decoding through TurboJPEG into bottom-row-first RGBA8.
//
// Sizes are checked from the header before anything is allocated, so a small
// file claiming a huge picture costs nothing.
#include "platform/host/data/Picture.h"

#include <turbojpeg.h>

#include <algorithm>
#include <memory>

namespace {

constexpr std::uint64_t kMaxPictureBytes = 64u << 20; // decoded RGBA8

struct TjDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

void ApplyAlpha(std::vector<std::uint8_t>& rgba, PictureAlpha alpha) {
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        rgba[i + 3] =
            alpha == PictureAlpha::Opaque ? 255 : std::max({rgba[i], rgba[i + 1], rgba[i + 2]});
    }
}

} // namespace

bool DecodeJpegPicture(std::span<const unsigned char> bytes, PictureAlpha alpha, Picture* out,
                       std::string* error, std::string* damage) {
    if (bytes.empty()) {
        *error = "empty file";
        return false;
    }
    std::unique_ptr<void, TjDestroy> handle(tjInitDecompress());
    if (!handle) {
        *error = std::string("cannot start the JPEG decoder: ") + tjGetErrorStr2(nullptr);
        return false;
    }
    // The 2.1 API takes a non-const buffer but does not write to it.
    auto* data = const_cast<unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colorspace = 0;
    if (tjDecompressHeader3(handle.get(), data, size, &width, &height, &subsampling, &colorspace) !=
        0) {
        *error = std::string("not a JPEG: ") + tjGetErrorStr2(handle.get());
        return false;
    }
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

    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    const int flags = TJFLAG_BOTTOMUP | TJFLAG_ACCURATEDCT;
    std::string warning;
    if (tjDecompress2(handle.get(), data, size, picture.rgba.data(), width, width * 4, height,
                      TJPF_RGBA, flags) != 0) {
        if (tjGetErrorCode(handle.get()) != TJERR_WARNING) {
            *error = std::string("corrupt JPEG: ") + tjGetErrorStr2(handle.get());
            return false;
        }
        // A warning (such as a file cut short) still leaves a full-size picture,
        // right up to the damage, which beats a checkerboard.
        warning = tjGetErrorStr2(handle.get());
    }
    ApplyAlpha(picture.rgba, alpha);
    if (damage != nullptr) {
        *damage = std::move(warning);
    }
    *out = std::move(picture);
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
    ApplyAlpha(picture.rgba, alpha);
    return picture;
}
