#include "music/MusicPlayer.h"
#include "platform/win/WinHostControl.h"
#include "tests/support/FakeSoundtrack.h"
#include "tools/gltrace/FakeAudio.h"
#include "tools/gltrace/FakeHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class MusicPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetWithFakeSoundtrack();
        SetForegroundWindowHandle(&window);
        NameFakeAudioPointer(&window, "window");
    }
    void TearDown() override {
        MusicFree();
        SetForegroundWindowHandle(nullptr);
    }

    int window = 0;
};

TEST_F(MusicPlayerTest, OpensTheDefaultDeviceOnceAndThenReportsItOpen) {
    EXPECT_EQ(MusicInit(), 1);
    EXPECT_EQ(MusicInit(), 1);
    EXPECT_EQ(FakeAudioCalls(), Calls{"BASS_Init(-1, 44100, 0, window)"});
}

TEST_F(MusicPlayerTest, FallsBackToTheSilentDeviceAndPlaysOnIt) {
    SetFakeDefaultDeviceFails(true);
    EXPECT_EQ(MusicInit(), 1);
    MusicLoad("Ar_8peos.xm");
    EXPECT_EQ(MusicPlay(), 1);
    EXPECT_EQ(FakeAudioCalls(),
              (Calls{"BASS_Init(-1, 44100, 0, window)", "BASS_Init(-2, 44100, 0, window)",
                     "BASS_MusicLoad(1, module, 0, 0, 6)", "BASS_Start()", "BASS_MusicPlay(1)"}));
}

TEST_F(MusicPlayerTest, LoadingOpensFirstAndEachLoadReplacesTheHandleWithoutFreeing) {
    EXPECT_EQ(MusicLoad("Ar_8peos.xm"), 1u);
    EXPECT_EQ(MusicLoad("Ar_8peos.xm"), 2u);
    SetFakeMusicPositionMs(4321);
    EXPECT_EQ(MusicGetPosition(), 4321u);
    MusicPlayFrom(9000);
    EXPECT_EQ(FakeAudioCalls(),
              (Calls{"BASS_Init(-1, 44100, 0, window)", "BASS_MusicLoad(1, module, 0, 0, 6)",
                     "BASS_MusicLoad(1, module, 0, 0, 6)", "BASS_ChannelGetPosition(2)",
                     "BASS_Start()", "BASS_MusicPlayEx(2, 9000, -1, 0)"}));
}

TEST_F(MusicPlayerTest, AMissingModuleStillGoesToTheAudioLibrary) {
    EXPECT_EQ(MusicLoad("nowhere.xm"), 1u);
    EXPECT_EQ(FakeAudioCalls().back(), "BASS_MusicLoad(1, null, 0, 0, 6)");
}

TEST_F(MusicPlayerTest, WhileClosedOnlyTheVolumeReachesTheAudioLibrary) {
    EXPECT_EQ(MusicPlay(), 0);
    EXPECT_EQ(MusicPlayFrom(1000), 0);
    EXPECT_EQ(MusicGetPosition(), 0u);
    EXPECT_EQ(MusicFree(), 0);
    EXPECT_EQ(MusicSetVolume(50), 1);
    EXPECT_EQ(FakeAudioCalls(), Calls{"BASS_SetVolume(50)"});
}

TEST_F(MusicPlayerTest, FreeClosesOnceAndPlayingWaitsForTheNextOpen) {
    MusicLoad("Ar_8peos.xm");
    EXPECT_EQ(MusicFree(), 1);
    EXPECT_EQ(MusicFree(), 0);
    EXPECT_EQ(MusicPlay(), 0);
    EXPECT_EQ(FakeAudioCalls().back(), "BASS_Free()");
    EXPECT_EQ(std::count(FakeAudioCalls().begin(), FakeAudioCalls().end(), "BASS_Free()"), 1);

    // The handle keeps its value across the close.
    MusicInit();
    MusicPlay();
    EXPECT_EQ(FakeAudioCalls(),
              (Calls{"BASS_Init(-1, 44100, 0, window)", "BASS_MusicLoad(1, module, 0, 0, 6)",
                     "BASS_Free()", "BASS_Init(-1, 44100, 0, window)", "BASS_Start()",
                     "BASS_MusicPlay(1)"}));
}

} // namespace
