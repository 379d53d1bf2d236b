// PNG output through libpng's simplified API, which reports errors in the
// image struct instead of longjmp-ing through our frames. A negative row
// stride makes libpng walk GL's bottom-up rows from the last one, so the file
// comes out top row first without a flipped copy. libpng writes to a stream
// of ours (its file writer removes the file it was given when a write fails,
// a device included); the output file decides what a failure leaves.
#include "platform/host/output/PngWriter.h"

#include "platform/host/output/OutputFile.h"

#include <png.h>

#include <cerrno>
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
    const std::unique_ptr<OutputFile> output = OutputFile::Open(file, error);
    if (!output) {
        return false;
    }
    std::FILE* stream = output->Stream();
    if (stream == nullptr) {
        *error = std::string("cannot write: ") + std::strerror(errno);
        return false;
    }
    if (png_image_write_to_stdio(&image, stream, 0, rgb.data(), stride, nullptr) == 0) {
        // The stream's error is the one that says why; libpng's is "Write Error".
        const int code = errno;
        *error = "cannot write: " +
                 std::string(std::ferror(stream) != 0 ? std::strerror(code) : image.message);
        png_image_free(&image);
        return false;
    }
    return output->Commit(error);
}
