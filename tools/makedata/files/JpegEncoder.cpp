#include "tools/makedata/files/JpegEncoder.h"

#include <turbojpeg.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct TjDestroy {
    void operator()(void* handle) const { tjDestroy(handle); }
};

struct TjFree {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

} // namespace

std::vector<unsigned char> EncodeJpeg(const PictureCanvas& picture) {
    std::unique_ptr<void, TjDestroy> handle(tjInitCompress());
    if (!handle) {
        throw std::runtime_error(std::string("jpeg: cannot start the encoder: ") +
                                 tjGetErrorStr2(nullptr));
    }
    const std::vector<std::uint8_t> rgb = picture.ToRgb8();
    unsigned char* output = nullptr;
    unsigned long size = 0;
    const int result =
        tjCompress2(handle.get(), rgb.data(), picture.Width(), picture.Width() * 3,
                    picture.Height(), TJPF_RGB, &output, &size, TJSAMP_444, 92, TJFLAG_ACCURATEDCT);
    std::unique_ptr<unsigned char, TjFree> owned(output);
    if (result != 0) {
        throw std::runtime_error(std::string("jpeg: cannot encode: ") +
                                 tjGetErrorStr2(handle.get()));
    }
    return {output, output + size};
}
