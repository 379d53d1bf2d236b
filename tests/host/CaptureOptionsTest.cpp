#include "platform/host/options/CaptureOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(CaptureOptionsTest, FrameTimesRoundToTheNearestMillisecond) {
    const FrameRate sixty{60, 1};
    EXPECT_EQ(FrameTimeMs(0, sixty), 0);
    EXPECT_EQ(FrameTimeMs(1, sixty), 17);
    EXPECT_EQ(FrameTimeMs(2, sixty), 33);
    EXPECT_EQ(FrameTimeMs(3, sixty), 50);
    const FrameRate ntsc{60000, 1001};
    EXPECT_EQ(FrameTimeMs(1000, ntsc), 16683);
    EXPECT_EQ(FrameTimeMs(8631, ntsc), 143994);
    EXPECT_EQ(FrameTimeMs(8632, ntsc), 144011);
    // The whole show, 2:24 long.
    EXPECT_EQ(FramesBefore(144000, sixty), 8640);
    EXPECT_EQ(FramesBefore(144000, ntsc), 8632);
    EXPECT_EQ(FramesBefore(5000, FrameRate{24000, 1001}), 120);
    EXPECT_EQ(FramesBefore(0, sixty), 0);
}

TEST(CaptureOptionsTest, ReadsWholeAndFractionalRatesAndRefusesTheRest) {
    FrameRate fps;
    ASSERT_TRUE(ParseFrameRate("30", &fps));
    EXPECT_EQ(fps.num, 30);
    EXPECT_EQ(fps.den, 1);
    ASSERT_TRUE(ParseFrameRate("60000/1001", &fps));
    EXPECT_EQ(fps.num, 60000);
    EXPECT_EQ(fps.den, 1001);
    for (const char* bad : {"", "0", "-5", "59.94", "60/0", "60/", "/2", "60x", "1001", "abc"}) {
        EXPECT_FALSE(ParseFrameRate(bad, &fps)) << bad;
    }
}

} // namespace
