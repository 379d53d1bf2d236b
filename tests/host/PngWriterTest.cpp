// PNG output: read back with libpng, rows flipped from GL's bottom-up order;
// failures leave no file and say why in one line.
#include "platform/host/output/PngWriter.h"

#include <png.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class PngWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               (std::string("quorvel-png-") + info->name() + "-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
};

// Reads an 8-bit RGB file top row first; empty when libpng refuses it.
std::vector<std::uint8_t> ReadRgb(const fs::path& file, int* width, int* height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, file.c_str()) == 0) {
        ADD_FAILURE() << image.message;
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0) {
        ADD_FAILURE() << image.message;
        return {};
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    return rgb;
}

TEST_F(PngWriterTest, WritesPixelsTopRowFirst) {
    constexpr int kWidth = 3;
    constexpr int kHeight = 2;
    // Bottom row first, as glReadPixels gives it; every byte distinct.
    std::vector<std::uint8_t> bottomUp(kWidth * kHeight * 3);
    for (std::size_t i = 0; i < bottomUp.size(); ++i) {
        bottomUp[i] = static_cast<std::uint8_t>(10 + i * 13);
    }
    const fs::path file = dir_ / "frame.png";
    std::string error;
    ASSERT_TRUE(WritePng(file, kWidth, kHeight, bottomUp, &error)) << error;

    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> topDown = ReadRgb(file, &width, &height);
    ASSERT_EQ(width, kWidth);
    ASSERT_EQ(height, kHeight);
    ASSERT_EQ(topDown.size(), bottomUp.size());
    const std::size_t row = kWidth * 3;
    for (int y = 0; y < kHeight; ++y) {
        const auto fileRow = topDown.begin() + y * row;
        const auto inputRow = bottomUp.begin() + (kHeight - 1 - y) * row;
        EXPECT_TRUE(std::equal(fileRow, fileRow + row, inputRow)) << "file row " << y;
    }
}

TEST_F(PngWriterTest, RefusesWhatItCannotWriteWithOneLine) {
    const std::vector<std::uint8_t> rgb(4 * 4 * 3, 200);
    struct Case {
        const char* what;
        fs::path file;
        int width;
        int height;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"missing directory", dir_ / "no-such-dir" / "frame.png", 4, 4, rgb.size()},
        {"short buffer", dir_ / "short.png", 4, 4, rgb.size() - 1},
        {"empty picture", dir_ / "empty.png", 0, 4, rgb.size()},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(WritePng(c.file, c.width, c.height, std::span(rgb).first(c.bytes), &error))
            << c.what;
        // The caller names the file: the reason alone, so no line says it twice.
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(error.find(c.file.filename().string()), std::string::npos)
            << c.what << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.what << ": " << error;
        EXPECT_FALSE(fs::exists(c.file)) << c.what;
    }
}

} // namespace
