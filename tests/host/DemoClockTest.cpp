#include "platform/host/play/DemoClock.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DemoClockTest, WithoutMusicItIsTheSteadyClockFromItsStartAndHoldsWhilePaused) {
    DemoClock clock;
    clock.Restart(30000.0, 1000.0);
    EXPECT_EQ(clock.FrameTimeMs(1000.0, nullptr), 30000);
    EXPECT_EQ(clock.FrameTimeMs(1016.7, nullptr), 30016);
    clock.SetPaused(true, 1020.0);
    EXPECT_EQ(clock.FrameTimeMs(5000.0, nullptr), 30020);
    clock.SetPaused(false, 5000.0);
    EXPECT_EQ(clock.FrameTimeMs(5010.0, nullptr), 30030);
    // A clock read out of order never moves time back.
    EXPECT_EQ(clock.FrameTimeMs(4000.0, nullptr), 30030);
}

TEST(DemoClockTest, FollowsTheMusicSmoothlyAndJumpsToItOnlyPastAQuarterSecond) {
    DemoClock clock;
    clock.Restart(0.0, 0.0);
    // The music is 80 ms ahead of the steady clock (the output started late).
    int previous = 0;
    for (int frame = 1; frame <= 60; ++frame) {
        const double steady = frame * 16.0;
        const double music = steady + 80.0;
        const int t = clock.FrameTimeMs(steady, &music);
        EXPECT_GE(t, previous);
        previous = t;
        if (frame == 60) {
            EXPECT_NEAR(t, music, 1.0);
        }
    }
    // A little behind (a late report): time still moves, at half speed or more.
    const double late = 840.0;
    const int before = clock.FrameTimeMs(976.0, &late);
    EXPECT_GE(before, previous + 8);
    EXPECT_LT(before, previous + 16);
    // Over a quarter second apart it goes to the music at once: back after a
    // frozen tab (5 s of steady time, 600 ms of music), on after a skip.
    const double frozen = 1600.0;
    EXPECT_EQ(clock.FrameTimeMs(5976.0, &frozen), 1600);
    const double skipped = 2600.0;
    EXPECT_EQ(clock.FrameTimeMs(5992.0, &skipped), 2600);
}

} // namespace
