// JPEG decoding through TurboJPEG into bottom-row-first RGBA8.
//
// Sizes and scans are checked before anything is allocated or decoded, so a
// small file claiming a huge picture, or holding endless scans, costs nothing.
#include "platform/host/data/JpegScans.h"
#include "platform/host/data/Picture.h"

#include <turbojpeg.h>

#include <memory>

namespace {

struct TjDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};

} // namespace

bool DecodeJpegPicture(std::span<const unsigned char> bytes, PictureAlpha alpha, Picture* out,
                       std::string* error, std::string* damage, std::uint64_t roomBytes) {
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
    if (!PictureSizeAllowed(width, height, roomBytes, error) || !JpegScansAllowed(bytes, error)) {
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
    ApplyPictureAlpha(picture.rgba, alpha);
    if (damage != nullptr) {
        *damage = std::move(warning);
    }
    *out = std::move(picture);
    return true;
}
