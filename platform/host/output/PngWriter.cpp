// PNG output through libpng's simplified API, which reports errors in the
// image struct instead of longjmp-ing through our frames. A negative row
// stride makes libpng walk GL's bottom-up rows from the last one, so the file
// comes out top row first without a flipped copy.
#include "platform/host/output/PngWriter.h"

#include <png.h>

#include <cstring>
#include <limits>

bool WritePng(const std::filesystem::path& file, int width, int height,
              std::span<const std::uint8_t> rgb, std::string* error) {
    if (width <= 0 || height <= 0) {
        *error =
            "needs a positive size, found " + std::to_string(width) + "x" + std::to_string(height);
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (rowBytes > static_cast<std::size_t>(std::numeric_limits<png_int_32>::max())) {
        *error = "needs a width of at most " +
                 std::to_string(std::numeric_limits<png_int_32>::max() / 3) + ", found " +
                 std::to_string(width);
        return false;
    }
    const std::size_t needed = rowBytes * static_cast<std::size_t>(height);
    if (rgb.size() < needed) {
        *error = "needs " + std::to_string(needed) + " bytes of RGB, found " +
                 std::to_string(rgb.size());
        return false;
    }

    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const auto stride = -static_cast<png_int_32>(rowBytes);
    // libpng removes a partly written file itself when it fails.
    if (png_image_write_to_file(&image, file.c_str(), 0, rgb.data(), stride, nullptr) == 0) {
        *error = std::string("cannot write: ") + image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}
