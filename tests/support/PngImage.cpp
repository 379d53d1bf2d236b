#include "tests/support/PngImage.h"

#include <png.h>

PngImage ReadPngImage(const std::filesystem::path& file) {
    PngImage image;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, file.c_str())) {
        return image;
    }
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
        image.width = static_cast<int>(png.width);
        image.height = static_cast<int>(png.height);
        image.rgb = std::move(rgb);
    }
    png_image_free(&png);
    return image;
}
