// The audio calls on SDL's dummy driver and on the silent device. Positions are
// compared with the test's own clock: the bounds are loose enough for a busy
// machine, yet a position that stood still or ran free would fail them.
#include "platform/audio/AudioLibrary.h"
#include "platform/host/HostServices.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/data/FileStore.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestModule.h"

#include "host/DemoGL.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

int Lines(const std::string& said) {
    return static_cast<int>(std::count(said.begin(), said.end(), '\n'));
}

class AudioLibraryTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { BASS_Free(); }

    HMUSIC LoadTestModule() {
        return BASS_MusicLoad(1, module.data(), 0, static_cast<DWORD>(module.size()), 6);
    }

    // Plays for about waitMs and checks the position kept pace with the clock.
    void ExpectRealTimePosition(HMUSIC music, int waitMs, std::int64_t latencyMs) {
        const Clock::time_point start = Clock::now();
        ASSERT_TRUE(BASS_Start());
        ASSERT_TRUE(BASS_MusicPlay(music));
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
        const auto positionMs = static_cast<std::int64_t>(BASS_ChannelGetPosition(music));
        const std::int64_t elapsedMs = MsSince(start);
        EXPECT_GE(positionMs, waitMs / 2);
        EXPECT_LE(positionMs, elapsedMs + latencyMs);
    }

    const std::vector<unsigned char> module = MakeTestModule();
};

TEST_F(AudioLibraryTest, TheSilentDeviceAdvancesInRealTimeOnceStarted) {
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    const HMUSIC music = LoadTestModule();
    ASSERT_NE(music, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(BASS_ChannelGetPosition(music), 0u) << "not started: nothing consumed";
    ExpectRealTimePosition(music, 300, 10);
}

TEST_F(AudioLibraryTest, PlayingFromAPositionStartsAtItsRowAndCountsOnPastTheEnd) {
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    const HMUSIC music = LoadTestModule();
    ASSERT_TRUE(BASS_MusicPlayEx(music, 1000, -1, 0));
    // Not started: the position is where the jump landed, the next row start.
    EXPECT_EQ(BASS_ChannelGetPosition(music), 9u * kTestModuleRowMs);

    ASSERT_TRUE(BASS_MusicPlayEx(music, kTestModuleLengthMs - 10, -1, 0));
    ASSERT_TRUE(BASS_Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_GT(BASS_ChannelGetPosition(music), static_cast<QWORD>(kTestModuleLengthMs));
}

TEST_F(AudioLibraryTest, TheDefaultDeviceOnTheDummyDriverPlaysAndSaysItIsSilent) {
    StartLogCapture();
    const BOOL opened = BASS_Init(-1, 44100, 0, nullptr);
    const std::string said = TakeLogCapture();
    ASSERT_TRUE(opened) << said;
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_NE(said.find("dummy"), std::string::npos) << said;
    // SDL hands out a callback's worth of frames ahead of the clock.
    ExpectRealTimePosition(LoadTestModule(), 300, 60);
}

TEST_F(AudioLibraryTest, WithNoSoundDeviceTheDefaultFailsInOneLineAndTheSilentDeviceOpens) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    StartLogCapture();
    const BOOL opened = BASS_Init(-1, 44100, 0, nullptr);
    const std::string said = TakeLogCapture();
    EXPECT_FALSE(opened);
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_EQ(said.rfind("audio: no audio device found", 0), 0u) << said;
    EXPECT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
}

TEST_F(AudioLibraryTest, AModuleThatDoesNotDecodeIsOneLineAndNoMusicWhosePositionStaysZero) {
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    std::vector<unsigned char> truncated(module.begin(), module.begin() + 100);
    const std::string garbage = "Extended Module: but nothing after it that makes sense";
    for (const std::string& bytes : {garbage, std::string(truncated.begin(), truncated.end())}) {
        StartLogCapture();
        const HMUSIC music =
            BASS_MusicLoad(1, bytes.data(), 0, static_cast<DWORD>(bytes.size()), 6);
        const std::string said = TakeLogCapture();
        EXPECT_EQ(music, 0u);
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_EQ(said.rfind("audio: ", 0), 0u) << said;
    }
    EXPECT_TRUE(BASS_Start());
    EXPECT_FALSE(BASS_MusicPlay(0));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(BASS_ChannelGetPosition(0), 0u);
}

TEST_F(AudioLibraryTest, LengthZeroTakesTheWholeBufferTheHostLoadedAndNothingElse) {
    TempFolder data;
    data.Write("tone.xm", module);
    std::string error;
    const std::unique_ptr<DataSource> source = OpenDirectorySource(data.Path(), &error);
    ASSERT_NE(source, nullptr) << error;
    FileStore files(*source);
    InstallHostServices(&files, nullptr);
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));

    const void* loaded = LoadFile("tone.xm");
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(BASS_MusicLoad(1, loaded, 0, 0, 6), 0u);

    StartLogCapture();
    const HMUSIC unknown = BASS_MusicLoad(1, module.data(), 0, 0, 6);
    const std::string said = TakeLogCapture();
    EXPECT_EQ(unknown, 0u);
    EXPECT_EQ(Lines(said), 1) << said;

    // A missing file was already reported by the host: no second line.
    StartLogCapture();
    EXPECT_EQ(BASS_MusicLoad(1, LoadFile("missing.xm"), 0, 0, 6), 0u);
    EXPECT_EQ(Lines(TakeLogCapture()), 1);
    InstallHostServices(nullptr, nullptr);
}

TEST_F(AudioLibraryTest, FreeReleasesTheDeviceOnceAndItsMusicsForGood) {
    EXPECT_FALSE(BASS_Start());
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    EXPECT_FALSE(BASS_Init(-2, 44100, 0, nullptr)) << "one device at a time";
    const HMUSIC first = LoadTestModule();
    ASSERT_TRUE(BASS_Free());
    EXPECT_FALSE(BASS_Free());
    EXPECT_FALSE(BASS_MusicPlay(first));
    EXPECT_EQ(LoadTestModule(), 0u) << "no device to load onto";

    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    const HMUSIC second = LoadTestModule();
    EXPECT_NE(second, 0u);
    EXPECT_NE(second, first) << "a stale handle must not reach a newer music";
    EXPECT_FALSE(BASS_MusicPlay(first));
    EXPECT_TRUE(BASS_MusicPlay(second));
}

} // namespace
