// The nine generated pictures as the build wrote them into demodat/, decoded
// by the host as the effects will see them.
#include "platform/host/data/DataSource.h"
#include "platform/host/data/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kDataDirectory = std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat";

Picture LoadPicture(const std::string& name) {
    std::string error;
    const auto source = OpenDirectorySource(kDataDirectory, &error);
    if (!source) {
        ADD_FAILURE() << error;
        return {};
    }
    const auto bytes = source->Read(name, &error);
    Picture picture;
    if (!bytes || !DecodeJpegPicture(*bytes, PictureAlpha::Opaque, &picture, &error)) {
        ADD_FAILURE() << name << ": " << error;
    }
    return picture;
}

// (x, y) with y counted from the top row, as the picture was drawn.
const std::uint8_t* Pixel(const Picture& picture, int x, int y) {
    return &picture.rgba[(static_cast<std::size_t>(picture.height - 1 - y) *
                              static_cast<std::size_t>(picture.width) +
                          static_cast<std::size_t>(x)) *
                         4];
}

int Brightness(const std::uint8_t* rgb) {
    return std::max({rgb[0], rgb[1], rgb[2]});
}

TEST(ShowPicturesTest, EveryPictureDecodesAtItsPowerOfTwoSize) {
    const struct {
        const char* name;
        int width;
        int height;
    } expected[] = {
        {"quorfoto.jpg", 1024, 1024}, {"blaat.jpg", 512, 2048}, {"logo.jpg", 512, 512},
        {"flare.jpg", 256, 256},      {"wortel.jpg", 256, 256}, {"pakje.jpg", 512, 512},
        {"Snoep.jpg", 512, 512},      {"boek.jpg", 512, 512},   {"Dralm.jpg", 512, 512},
    };
    for (const auto& picture : expected) {
        const Picture decoded = LoadPicture(picture.name);
        EXPECT_EQ(decoded.width, picture.width) << picture.name;
        EXPECT_EQ(decoded.height, picture.height) << picture.name;
    }
}

// Mean difference between two columns (or rows) of a picture, over RGB.
double LineDifference(const Picture& picture, bool rows, int a, int b) {
    const int length = rows ? picture.width : picture.height;
    double sum = 0.0;
    for (int k = 0; k < length; ++k) {
        const std::uint8_t* p = rows ? Pixel(picture, k, a) : Pixel(picture, a, k);
        const std::uint8_t* q = rows ? Pixel(picture, k, b) : Pixel(picture, b, k);
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(p[c] - q[c]);
        }
    }
    return sum / (length * 3);
}

TEST(ShowPicturesTest, TexturesContinueAcrossTheWrapLikeAnywhereInside) {
    for (const char* name : {"pakje.jpg", "Snoep.jpg", "boek.jpg", "Dralm.jpg"}) {
        const Picture picture = LoadPicture(name);
        for (const bool rows : {false, true}) {
            const int count = rows ? picture.height : picture.width;
            std::vector<double> inside;
            for (int i = 0; i + 1 < count; ++i) {
                inside.push_back(LineDifference(picture, rows, i, i + 1));
            }
            std::sort(inside.begin(), inside.end());
            const double typical = inside[inside.size() * 9 / 10];
            const double wrap = LineDifference(picture, rows, count - 1, 0);
            EXPECT_LE(wrap, 1.25 * typical + 2.0)
                << name << (rows ? " top to bottom" : " left to right");
        }
    }
}

struct Tally {
    double dark = 0.0;  // share of pixels at most 24
    double light = 0.0; // share of pixels of at least 200
};

Tally TallyBrightness(const Picture& picture) {
    Tally tally;
    const double count = static_cast<double>(picture.width) * picture.height;
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        const int brightness = Brightness(&picture.rgba[i]);
        tally.dark += brightness <= 24 ? 1.0 / count : 0.0;
        tally.light += brightness >= 200 ? 1.0 / count : 0.0;
    }
    return tally;
}

TEST(ShowPicturesTest, LogoAndGreetingsAreLightTextOnBlack) {
    for (const char* name : {"logo.jpg", "blaat.jpg"}) {
        const Tally tally = TallyBrightness(LoadPicture(name));
        EXPECT_GT(tally.dark, 0.6) << name;
        EXPECT_GT(tally.light, 0.03) << name;
    }
}

TEST(ShowPicturesTest, EveryScreenOfTheGreetingsHasText) {
    const Picture greets = LoadPicture("blaat.jpg");
    std::vector<int> textRows;
    for (int y = 0; y < greets.height; ++y) {
        for (int x = 0; x < greets.width; ++x) {
            if (Brightness(Pixel(greets, x, y)) >= 160) {
                textRows.push_back(y);
                break;
            }
        }
    }
    ASSERT_FALSE(textRows.empty());
    // The title arrives soon after the top edge and the sign-off leaves just
    // before the bottom edge; in between no stretch of a third of a screen is bare.
    EXPECT_LT(textRows.front(), greets.height / 8);
    EXPECT_GT(textRows.back(), greets.height * 7 / 8);
    for (std::size_t i = 1; i < textRows.size(); ++i) {
        EXPECT_LT(textRows[i] - textRows[i - 1], greets.height / 12) << "gap at " << textRows[i];
    }
}

TEST(ShowPicturesTest, FlareFadesToBlackBeforeItsEdgeAndGlowsWhiteInTheMiddle) {
    const Picture flare = LoadPicture("flare.jpg");
    for (int i = 0; i < flare.width; ++i) {
        for (const int edge : {0, flare.width - 1}) {
            EXPECT_LE(Brightness(Pixel(flare, i, edge)), 3) << i;
            EXPECT_LE(Brightness(Pixel(flare, edge, i)), 3) << i;
        }
    }
    const std::uint8_t* centre = Pixel(flare, flare.width / 2, flare.height / 2);
    EXPECT_GE(*std::min_element(centre, centre + 3), 240);
}

TEST(ShowPicturesTest, CarrotSitsOnTheWheelsBackgroundColour) {
    const Picture carrot = LoadPicture("wortel.jpg");
    // Edge pixels must be the cleared frame's colour, or the sprite's square shows.
    for (int i = 0; i < carrot.width; ++i) {
        for (const int edge : {0, 1, carrot.width - 2, carrot.width - 1}) {
            for (const std::uint8_t* p : {Pixel(carrot, i, edge), Pixel(carrot, edge, i)}) {
                EXPECT_NEAR(p[0], 238, 3) << i;
                EXPECT_NEAR(p[1], 187, 3) << i;
                EXPECT_NEAR(p[2], 34, 3) << i;
            }
        }
    }
    int orange = 0;
    int green = 0;
    for (std::size_t i = 0; i < carrot.rgba.size(); i += 4) {
        const int r = carrot.rgba[i];
        const int g = carrot.rgba[i + 1];
        const int b = carrot.rgba[i + 2];
        orange += r > 200 && g < 150 && b < 60 ? 1 : 0;
        green += g > r + 40 && g > b + 40 ? 1 : 0;
    }
    EXPECT_GT(orange, carrot.width * carrot.height / 20);
    EXPECT_GT(green, carrot.width * carrot.height / 40);
}

} // namespace
