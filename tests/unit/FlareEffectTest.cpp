#include "effects/flat/FlareEffect.h"
#include "platform/win/WinHostControl.h"
#include "tests/support/EffectTestSupport.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {
bool failNextNothrowArrayNew = false;
} // namespace

// Lets a test refuse the next nothrow array allocation; all others go to the
// ordinary allocator.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (failNextNothrowArrayNew) {
        failNextNothrowArrayNew = false;
        return nullptr;
    }
    try {
        return ::operator new[](size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

namespace {

std::vector<std::string> FrameAt(FlareEffect& effect, int timeMs, DWORD clockMs) {
    DriveMillisecondClock(clockMs);
    return FrameCalls(effect, timeMs);
}

class FlareEffectTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetFakeHost(); }
    void TearDown() override { ReleaseMillisecondClock(); }
    FlareEffect effect;
};

TEST_F(FlareEffectTest, LoadsTheFlareWithBrightnessAlphaAndPassesItToTheHost) {
    effect.Init(1280, 960);
    ExpectPictureLoadedAndPassedOnActivation(
        effect, "flare.jpg, 1, 10497, 10497, 9729, 9729, 0, 1, 0, 0, -> 1");
}

TEST_F(FlareEffectTest, FrameAddsTwentyTransposedQuadsInTheUnitSquare) {
    effect.Init(1280, 960);
    const std::vector<std::string> calls = FrameAt(effect, 0, 123456);
    const std::vector<std::string> head =
        Joined({PictureLayerOpening(),
                {"glBindTexture(GL_TEXTURE_2D, 1)", "glEnable(GL_TEXTURE_2D)",
                 "glBlendFunc(GL_ONE, GL_ONE)", "glEnable(GL_BLEND)",
                 "glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE)"}});
    constexpr std::size_t kPerFlare = 11;
    ASSERT_EQ(calls.size(), head.size() + kFlareCount * kPerFlare + 2);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + head.size()), head);
    EXPECT_EQ(calls[calls.size() - 2], "glPopMatrix()");
    EXPECT_EQ(calls.back(), "glPopAttrib()");

    const std::vector<std::string> flareShape = {
        "glColor3f",    "glBegin",    "glTexCoord2f", "glVertex2f", "glTexCoord2f", "glVertex2f",
        "glTexCoord2f", "glVertex2f", "glTexCoord2f", "glVertex2f", "glEnd"};
    const std::vector<std::string_view> names = RecordedGlCallNames();
    for (std::size_t i = 0; i < kFlareCount; ++i) {
        const std::size_t at = head.size() + i * kPerFlare;
        EXPECT_EQ(std::vector<std::string>(names.begin() + at, names.begin() + at + kPerFlare),
                  flareShape);
        // Transposed: t = 1 lies along the bottom edge, to the right of t = 0.
        EXPECT_EQ(calls[at + 4], "glTexCoord2f(0, 1)");
        EXPECT_LT(RecordedGlCalls()[at + 3].F(0), RecordedGlCalls()[at + 5].F(0));
        EXPECT_EQ(RecordedGlCalls()[at + 3].F(1), RecordedGlCalls()[at + 5].F(1));
    }
}

TEST_F(FlareEffectTest, FollowsTheMillisecondClockAndNeverTheDemoTime) {
    effect.Init(1280, 960);
    const std::vector<std::string> frame = FrameAt(effect, 0, 5000);
    EXPECT_EQ(FrameAt(effect, 987654, 5000), frame);
    EXPECT_EQ(FrameAt(effect, -3, 5000), frame);
    EXPECT_NE(FrameAt(effect, 0, 5100), frame);
}

TEST_F(FlareEffectTest, WithoutItsPhasesItSaysSoOnceAndDrawsNothing) {
    failNextNothrowArrayNew = true;
    StartLogCapture();
    effect.Init(1280, 960);
    const std::string said = TakeLogCapture();
    EXPECT_EQ(said, "FLARE: out of memory for the flare phases; no flares are drawn\n");
    // The picture is still loaded, so the host's lifecycle is unchanged.
    EXPECT_EQ(FakeHostCalls("LoadTexture").size(), 1u);
    StartLogCapture();
    EXPECT_TRUE(FrameAt(effect, 0, 5000).empty());
    EXPECT_TRUE(FrameAt(effect, 0, 6000).empty());
    EXPECT_EQ(TakeLogCapture(), "");
}

// The first three flares at clock 0, where each sits at its phase: the
// source's first values 41, 18467 and 6334 times 0.08219754816221489
// (3.37009954, 1517.94214, 520.639282), worked out by hand.
int FirstFlaresMismatches() {
    FlareEffect effect;
    effect.Init(1280, 960);
    const std::vector<std::string> calls = FrameAt(effect, 0, 0);
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {10, "glColor3f(0.310077161, 0.463909715, 0.209867284)"},
        {13, "glVertex2f(0.102558553, -0.109040692)"},
        {21, "glColor3f(0.201157287, 0.774923861, 0.244391024)"},
        {24, "glVertex2f(0.74252522, -0.212604463)"},
        {32, "glColor3f(0.344141752, 0.519835114, 0.230781987)"},
        {35, "glVertex2f(0.379510403, 0.464251399)"},
    };
    int mismatches = 0;
    for (const auto& [at, line] : expected) {
        if (at >= calls.size() || calls[at] != line) {
            std::fprintf(stderr, "call %zu: expected %s, got %s\n", at, line.c_str(),
                         at < calls.size() ? calls[at].c_str() : "nothing");
            ++mismatches;
        }
    }
    return mismatches;
}

// Run in a process of its own, where nothing has drawn from the source yet.
TEST(FlarePhasesDeathTest, TheFirstFlaresTakeTheSourcesFirstValuesFromSeedOne) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(FirstFlaresMismatches()), ::testing::ExitedWithCode(0), "");
}

// Hand-derived (Python, float32 rounding by struct): the clock is the
// unsigned count times the float 0.0007142857 in double, rounded once.
TEST(FlareClock, ScalesTheUnsignedCountInDoubleAndRoundsOnce) {
    EXPECT_EQ(FlareClock(0), 0.0f);
    EXPECT_EQ(FlareClock(1400), 1.0f);
    // Rounding the count to float first would give 11983.7256.
    EXPECT_EQ(FlareClock(16777217), 11983.7266f);
    EXPECT_EQ(FlareClock(91750401), 65536.0f);
    EXPECT_EQ(FlareClock(4294967295u), 3067833.75f);
    // Past 65536 the clock moves in steps of 1/128.
    EXPECT_EQ(FlareClock(91750412) - FlareClock(91750401), 0.0078125f);
}

TEST(FlareSprite, ColoursAndCentresStayInRangeForAnyClockAndPhase) {
    const DWORD clocks[] = {0u, 1u, 999999u, 91750401u, 2147483648u, 4000000000u, 4294967295u};
    for (DWORD clockMs : clocks) {
        for (DWORD step = 0; step < 4000; ++step) {
            const float clock = FlareClock(clockMs + step * 37u);
            const float phase = static_cast<float>(step % 32768u) * 0.0821975f;
            const FlareSprite flare = ComputeFlareSprite(clock, phase);
            for (float c : {flare.red, flare.green, flare.blue}) {
                ASSERT_GE(c, 0.2f) << clockMs << " " << step;
                ASSERT_LE(c, 0.8f) << clockMs << " " << step;
            }
            const float cx = (flare.left + flare.right) / 2;
            const float cy = (flare.bottom + flare.top) / 2;
            ASSERT_GE(cx, -1e-6f);
            ASSERT_LE(cx, 1 + 1e-6f);
            ASSERT_GE(cy, -1e-6f);
            ASSERT_LE(cy, 1 + 1e-6f);
            const float halfHeight = (flare.top - flare.bottom) / 2;
            const float halfWidth = (flare.right - flare.left) / 2;
            ASSERT_GE(halfHeight, 0.1f - 1e-6f);
            ASSERT_LE(halfHeight, 0.4f + 1e-6f);
            ASSERT_NEAR(halfWidth, 0.8f * halfHeight, 1e-6f);
        }
    }
}

} // namespace
