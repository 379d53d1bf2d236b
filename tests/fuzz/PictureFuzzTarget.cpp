#include "platform/host/data/Picture.h"
#include "tests/fuzz/FuzzTargets.h"

#include <string>

void FuzzPicture(const std::uint8_t* data, std::size_t size) {
    for (PictureAlpha alpha : {PictureAlpha::Brightness, PictureAlpha::Opaque}) {
        Picture picture;
        std::string error;
        if (DecodeJpegPicture({data, size}, alpha, &picture, &error) &&
            (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxPictureSide ||
             picture.height > kMaxPictureSide ||
             picture.rgba.size() != static_cast<std::size_t>(picture.width) *
                                        static_cast<std::size_t>(picture.height) * 4)) {
            __builtin_trap();
        }
    }
}
