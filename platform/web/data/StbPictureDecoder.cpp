// JPEG decoding in the browser through stb_image, by the host's rules: the
// size and the scans checked first, rows bottom-first, alpha by the rule.
#include "platform/host/data/JpegScans.h"
#include "platform/host/data/Picture.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <climits>
#include <cstring>
#include <memory>

namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

} // namespace

bool DecodeJpegPicture(std::span<const unsigned char> bytes, PictureAlpha alpha, Picture* out,
                       std::string* error, std::string* damage, std::uint64_t roomBytes) {
    if (bytes.empty()) {
        *error = "empty file";
        return false;
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        *error = "file is too large";
        return false;
    }
    const int size = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes.data(), size, &width, &height, &channels) == 0) {
        *error = std::string("not a JPEG: ") + stbi_failure_reason();
        return false;
    }
    if (!PictureSizeAllowed(width, height, roomBytes, error) || !JpegScansAllowed(bytes, error)) {
        return false;
    }
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(bytes.data(), size, &width, &height, &channels, 4));
    if (!pixels) {
        *error = std::string("corrupt JPEG: ") + stbi_failure_reason();
        return false;
    }
    Picture picture;
    picture.width = width;
    picture.height = height;
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    picture.rgba.resize(row * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(&picture.rgba[row * static_cast<std::size_t>(height - 1 - y)],
                    pixels.get() + row * static_cast<std::size_t>(y), row);
    }
    ApplyPictureAlpha(picture.rgba, alpha);
    if (damage != nullptr) {
        // stb_image decodes what it can without saying what was damaged.
        damage->clear();
    }
    *out = std::move(picture);
    return true;
}
