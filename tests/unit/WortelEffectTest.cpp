#include "effects/flat/WortelEffect.h"
#include "tests/support/EffectTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

namespace {

struct Corner {
    float x;
    float y;
};

// The four corners of the sprite quad starting at call index begin (glBegin).
std::vector<Corner> SpriteCorners(std::size_t begin) {
    const std::vector<GlCall>& calls = RecordedGlCalls();
    std::vector<Corner> corners;
    for (std::size_t i = begin + 2; i < begin + 9; i += 2) {
        EXPECT_EQ(calls[i].Name(), "glVertex3f");
        EXPECT_EQ(calls[i].F(2), -0.449999988f);
        corners.push_back({calls[i].F(0), calls[i].F(1)});
    }
    return corners;
}

void ExpectCorners(const std::vector<Corner>& got, const std::vector<Corner>& expected) {
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(got[i].x, expected[i].x) << i;
        EXPECT_EQ(got[i].y, expected[i].y) << i;
    }
}

using WortelEffectTest = InitialisedEffectTest<WortelEffect>;

TEST_F(WortelEffectTest, LoadsTheCarrotOpaqueAndPassesItToTheHost) {
    ExpectPictureLoadedAndPassedOnActivation(
        effect, "wortel.jpg, 1, 10497, 10497, 9729, 9729, 0, 0, 0, 1, -> 1");
}

TEST_F(WortelEffectTest, FrameClearsToTheBackgroundThenDrawsTenUnblendedSprites) {
    const std::vector<std::string> calls = FrameCalls(effect, 0);
    const std::vector<std::string> head =
        Joined({{"glPushAttrib(0x6108)", "glEnable(GL_BLEND)", "glBlendFunc(GL_SRC_ALPHA, GL_ONE)",
                 "glEnable(GL_DEPTH_TEST)", "glDepthFunc(GL_LEQUAL)"},
                UnitSquareProjectionCalls(),
                SteppedBackModelviewCalls(),
                {"glColor3f(1, 1, 1)", "glClearColor(0.93359375, 0.734375, 0.1328125, 1)",
                 "glClear(0x4000)"}});
    const std::vector<std::string> sprite = {
        "glEnable(GL_TEXTURE_2D)",
        "glBindTexture(GL_TEXTURE_2D, 1)",
        "glDisable(GL_BLEND)",
        "glBegin(GL_QUADS)",
        "glTexCoord2f(0, 0)",
        "",
        "glTexCoord2f(1, 0)",
        "",
        "glTexCoord2f(1, 1)",
        "",
        "glTexCoord2f(0, 1)",
        "",
        "glEnd()",
    };
    const std::vector<std::string> tail =
        Joined({{"glMatrixMode(GL_PROJECTION)"}, UnitSquareLayerClosing()});
    ASSERT_EQ(calls.size(), head.size() + 10 * sprite.size() + tail.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + head.size()), head);
    for (std::size_t k = 0; k < 10; ++k) {
        for (std::size_t i = 0; i < sprite.size(); ++i) {
            if (!sprite[i].empty()) {
                EXPECT_EQ(calls[head.size() + k * sprite.size() + i], sprite[i]) << k;
            }
        }
    }
    EXPECT_EQ(std::vector<std::string>(calls.end() - tail.size(), calls.end()), tail);
}

// At time 0 the wobble is 0: sprite k stands k tenths of the way round the
// wheel clockwise from the top, turned k tenths of a turn. Corners worked out
// by hand (Python, float32 rounding by struct).
TEST_F(WortelEffectTest, AtTimeZeroTheSpritesStandOnTheWheelTurnedLikeSpokes) {
    RecordFrame(effect, 0);
    const std::size_t firstBegin = 15 + 3;
    const std::vector<Corner> top = SpriteCorners(firstBegin);
    const std::vector<Corner> expectedTop = {
        {0.589999974f, 0.75999999f},
        {0.409999996f, 0.75999999f},
        {0.409999996f, 0.939999998f},
        {0.589999974f, 0.939999998f},
    };
    ExpectCorners(top, expectedTop);
    // Sprite 5 hangs at the bottom turned half a turn (6.28318 falls just
    // short of a whole turn, so only very nearly).
    const std::vector<Corner> bottom = SpriteCorners(firstBegin + 5 * 13);
    const std::vector<Corner> expectedBottom = {
        {0.410000682f, 0.239999771f},
        {0.590000689f, 0.240000248f},
        {0.590001166f, 0.0600002445f},
        {0.410001159f, 0.0599997677f},
    };
    ExpectCorners(bottom, expectedBottom);
    // Every sprite's first corner lies at the same angle from its centre,
    // measured from its place on the wheel: spokes turned with the wheel.
    for (int k = 0; k < 10; ++k) {
        const std::vector<Corner> c = SpriteCorners(firstBegin + k * 13);
        const double cx = (c[0].x + c[2].x) / 2.0;
        const double cy = (c[0].y + c[2].y) / 2.0;
        const double place = std::atan2(cx - 0.5, cy - 0.5); // clockwise from the top
        const double corner = std::atan2(c[0].x - cx, c[0].y - cy);
        EXPECT_NEAR(std::remainder(corner - place, 2 * M_PI), 0.75 * M_PI, 1e-4) << k;
        EXPECT_NEAR(std::hypot(cx - 0.5, cy - 0.5), 0.35, 1e-6) << k;
        EXPECT_NEAR(place, std::remainder(k * 0.628318, 2 * M_PI), 1e-4) << k;
    }
}

TEST_F(WortelEffectTest, SpriteCornersMirrorThePictureAndTurnClockwise) {
    // Unturned, the texture's s = 0 lies on the right edge: mirrored.
    ClearRecordedGlCalls();
    DrawRotatedSprite(0.5, 0.5, 0.4, 0.2, 0);
    ASSERT_EQ(FormatRecordedGlCalls()[4], "glTexCoord2f(0, 0)");
    std::vector<Corner> c = SpriteCorners(3);
    ExpectCorners(c, {{0.7f, 0.4f}, {0.3f, 0.4f}, {0.3f, 0.6f}, {0.7f, 0.6f}});

    // A quarter turn clockwise carries the bottom-right corner to the bottom
    // left, scaled by the half width in x and the half height in y.
    ClearRecordedGlCalls();
    DrawRotatedSprite(0.5, 0.5, 0.4, 0.2, 0.25);
    c = SpriteCorners(3);
    const std::vector<Corner> expected = {{0.30000028f, 0.399999857f},
                                          {0.299999744f, 0.599999845f},
                                          {0.69999975f, 0.600000143f},
                                          {0.700000286f, 0.400000125f}};
    ExpectCorners(c, expected);
}

TEST_F(WortelEffectTest, LaterFramesMatchTheHandDerivedWheel) {
    RecordFrame(effect, 123456);
    const std::vector<Corner> c = SpriteCorners(18 + 3 * 13);
    const std::vector<Corner> expected = {{0.373053312f, 0.70387429f},
                                          {0.208908975f, 0.630005181f},
                                          {0.135039911f, 0.794149518f},
                                          {0.299184233f, 0.868018568f}};
    ExpectCorners(c, expected);
}

} // namespace
