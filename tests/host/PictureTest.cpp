#include "platform/host/data/Picture.h"
#include "platform/host/data/JpegScans.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using Rgb = std::array<int, 3>;

// Encodes a picture whose top half is one colour and bottom half another, at
// quality 100 without subsampling, so flat 8x8 blocks decode almost exactly.
std::vector<unsigned char> MakeJpeg(int width, int height, Rgb top, Rgb bottom) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const Rgb& colour = y < height / 2 ? top : bottom;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c] =
                    static_cast<unsigned char>(colour[c]);
            }
        }
    }
    return EncodeTestJpeg(width, height, rgb);
}

std::array<int, 4> Texel(const Picture& picture, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 4;
    return {picture.rgba[at], picture.rgba[at + 1], picture.rgba[at + 2], picture.rgba[at + 3]};
}

void ExpectColour(const std::array<int, 4>& texel, Rgb expected) {
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(texel[c], expected[c], 3) << "channel " << c;
    }
}

constexpr Rgb kRed{220, 30, 20};
constexpr Rgb kDarkBlue{10, 40, 90};

TEST(PictureTest, BottomRowIsStoredFirst) {
    const auto jpeg = MakeJpeg(8, 16, kRed, kDarkBlue);
    ASSERT_FALSE(jpeg.empty());
    Picture picture;
    std::string error;
    std::string damage = "left from before";
    ASSERT_TRUE(DecodeJpegPicture(jpeg, PictureAlpha::Opaque, &picture, &error, &damage)) << error;
    EXPECT_EQ(damage, "");
    ASSERT_EQ(picture.width, 8);
    ASSERT_EQ(picture.height, 16);
    ASSERT_EQ(picture.rgba.size(), 8u * 16 * 4);
    ExpectColour(Texel(picture, 0, 0), kDarkBlue);
    ExpectColour(Texel(picture, 7, 7), kDarkBlue);
    ExpectColour(Texel(picture, 0, 8), kRed);
    ExpectColour(Texel(picture, 7, 15), kRed);
}

TEST(PictureTest, AlphaFollowsTheRequestedRule) {
    const auto jpeg = MakeJpeg(8, 16, kRed, kDarkBlue);
    Picture bright;
    Picture opaque;
    std::string error;
    ASSERT_TRUE(DecodeJpegPicture(jpeg, PictureAlpha::Brightness, &bright, &error)) << error;
    ASSERT_TRUE(DecodeJpegPicture(jpeg, PictureAlpha::Opaque, &opaque, &error)) << error;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
            const auto texel = Texel(bright, x, y);
            ASSERT_EQ(texel[3], std::max({texel[0], texel[1], texel[2]})) << x << "," << y;
            ASSERT_EQ(Texel(opaque, x, y)[3], 255);
        }
    }
    EXPECT_NEAR(Texel(bright, 0, 0)[3], 90, 3);
}

TEST(PictureTest, CutShortScanDecodesAtFullSizeAndSaysWhatIsDamaged) {
    const auto jpeg = MakeJpeg(64, 64, kRed, kDarkBlue);
    // Keep the headers and the first half of the scan after the SOS marker.
    std::size_t sos = 0;
    while (sos + 1 < jpeg.size() && !(jpeg[sos] == 0xff && jpeg[sos + 1] == 0xda)) {
        ++sos;
    }
    ASSERT_LT(sos + 1, jpeg.size());
    const std::vector<unsigned char> cut(
        jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(sos + (jpeg.size() - sos) / 2));
    Picture picture;
    std::string error;
    std::string damage;
    ASSERT_TRUE(DecodeJpegPicture(cut, PictureAlpha::Opaque, &picture, &error, &damage)) << error;
    EXPECT_NE(damage.find("Premature end of JPEG file"), std::string::npos) << damage;
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.rgba.size(), 64u * 64 * 4);
    ExpectColour(Texel(picture, 0, 63), kRed); // the top rows come first in the file
}

TEST(PictureTest, UnusableDataIsRefusedAndLeavesThePictureAlone) {
    const auto jpeg = MakeJpeg(8, 16, kRed, kDarkBlue);
    const std::vector<unsigned char> empty;
    const std::vector<unsigned char> text{'h', 'e', 'l', 'l', 'o', ' ', 'j', 'p', 'e', 'g'};
    const std::vector<unsigned char> headerOnly(jpeg.begin(), jpeg.begin() + 30);
    for (const auto* bytes : {&empty, &text, &headerOnly}) {
        Picture picture = MakeCheckerboardPicture(PictureAlpha::Opaque);
        std::string error;
        EXPECT_FALSE(DecodeJpegPicture(*bytes, PictureAlpha::Opaque, &picture, &error))
            << bytes->size();
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(picture.width, 64);
        EXPECT_EQ(picture.rgba, MakeCheckerboardPicture(PictureAlpha::Opaque).rgba);
    }
}

TEST(PictureTest, OversizedPicturesAreRefusedWithTheirSize) {
    struct Case {
        int width;
        int height;
        const char* reason;
    };
    for (const Case& c : {Case{9000, 8, "9000x8 is over 8192 px a side"},
                          Case{8, 8200, "8x8200 is over 8192 px a side"},
                          Case{8192, 2049, "8192x2049 is over 64 MiB decoded"}}) {
        const auto jpeg = MakeJpeg(c.width, c.height, kRed, kRed);
        ASSERT_FALSE(jpeg.empty());
        Picture picture;
        std::string error;
        EXPECT_FALSE(DecodeJpegPicture(jpeg, PictureAlpha::Opaque, &picture, &error));
        EXPECT_EQ(error, c.reason);
        EXPECT_TRUE(picture.rgba.empty());
    }
    const auto largest = MakeJpeg(4096, 4096, kRed, kRed);
    Picture picture;
    std::string error;
    EXPECT_TRUE(DecodeJpegPicture(largest, PictureAlpha::Opaque, &picture, &error)) << error;
}

TEST(PictureTest, ScansAreCountedAsTheDecoderMeetsThem) {
    using Bytes = std::vector<unsigned char>;
    const Bytes scan = {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00};
    // Entropy-coded data: a stuffed 0xFF, a restart marker, fill bytes.
    const Bytes coded = {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD3, 0x56, 0xFF, 0xFF};
    // After SOI, a segment holding marker bytes, and one of a bogus length.
    Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xDA, 0xFF, 0xDA, 0xFF, 0xE2, 0, 0};
    for (int i = 0; i < 3; ++i) {
        jpeg.insert(jpeg.end(), scan.begin(), scan.end());
        jpeg.insert(jpeg.end(), coded.begin(), coded.end());
    }
    jpeg.insert(jpeg.end(), {0xFF, 0xD9}); // nothing after the end is read
    jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    EXPECT_EQ(CountJpegScans(jpeg), 3u);
    for (std::size_t size = 0; size < jpeg.size(); ++size) {
        EXPECT_LE(CountJpegScans(std::span(jpeg).first(size)), 3u) << size;
    }
}

TEST(PictureTest, CheckerboardIsMagentaAndBlackFromTheBottomLeft) {
    const Picture bright = MakeCheckerboardPicture(PictureAlpha::Brightness);
    const Picture opaque = MakeCheckerboardPicture(PictureAlpha::Opaque);
    ASSERT_EQ(bright.width, 64);
    ASSERT_EQ(bright.height, 64);
    ASSERT_EQ(bright.rgba.size(), 64u * 64 * 4);
    EXPECT_EQ(Texel(bright, 0, 0), (std::array<int, 4>{255, 0, 255, 255}));
    EXPECT_EQ(Texel(bright, 7, 7), (std::array<int, 4>{255, 0, 255, 255}));
    EXPECT_EQ(Texel(bright, 8, 0), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(Texel(bright, 0, 8), (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_EQ(Texel(bright, 8, 8), (std::array<int, 4>{255, 0, 255, 255}));
    EXPECT_EQ(Texel(bright, 63, 63), (std::array<int, 4>{255, 0, 255, 255}));
    EXPECT_EQ(Texel(opaque, 8, 0), (std::array<int, 4>{0, 0, 0, 255}));
}

} // namespace
