#include "platform/host/CaptureOptions.h"
#include "platform/audio/OfflineRender.h"
#include "platform/host/Soundtrack.h"
#include "tests/support/TestModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

TEST(CaptureOptionsTest, SoundtrackIsSilentOutsideTheMusicsRun) {
    const std::vector<unsigned char> module = MakeTestModule();
    // The music runs from 0.5 s to 1.5 s of a 2 s capture.
    const Soundtrack sound(module, 500, 1500, SoundFrameAt(2000));
    std::vector<float> left(kOfflineSampleRate * 2);
    std::vector<float> right(left.size());
    sound.Read(0, left, right);
    const auto loudness = [&](int fromMs, int toMs) {
        double sum = 0;
        for (auto i = SoundFrameAt(fromMs); i < SoundFrameAt(toMs); ++i) {
            sum += std::fabs(left[i]) + std::fabs(right[i]);
        }
        return sum;
    };
    EXPECT_EQ(loudness(0, 500), 0.0);
    EXPECT_GT(loudness(500, 520), 0.0) << "the module's first note starts with the run";
    EXPECT_EQ(loudness(1500, 2000), 0.0);
    // Reading past the capture's end is silence, not a fault.
    sound.Read(SoundFrameAt(1990), left, right);
    EXPECT_EQ(left.back(), 0.0f);
}

} // namespace
