// What the player achieves through the audio library, not the calls it makes
// on the way: the fake library's calls are replayed by the rules the library
// keeps (AudioLibrary.h) and the outcome is checked.
#include "music/MusicPlayer.h"
#include "tests/support/FakeSoundtrack.h"
#include "tools/gltrace/FakeAudio.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

struct Outcome {
    std::vector<int> opened;     // the devices opened, in order
    unsigned playing = 0;        // on the open device, its output running
    long long playedFromMs = -1; // -1: from where the music stood
    unsigned positionOf = 0;     // the music whose position was asked last
    int volume = -1;
    // Calls refused for want of a device (or for one already open), and plays
    // of no music or on stopped output.
    int unheard = 0;
};

// The fake's default device opens unless defaultFails; its musics count 1, 2, ...
Outcome Replay(bool defaultFails = false) {
    Outcome out;
    bool open = false, running = false;
    std::set<unsigned> onDevice;
    unsigned loads = 0;
    for (const std::string& call : FakeAudioCalls()) {
        const char* c = call.c_str();
        int device = 0;
        unsigned music = 0;
        long long fromMs = -1;
        if (std::sscanf(c, "BASS_SetVolume(%d", &out.volume) == 1) {
            continue;
        }
        if (std::sscanf(c, "BASS_Init(%d", &device) == 1) {
            if (open) {
                ++out.unheard;
            } else if (!(device == -1 && defaultFails)) {
                open = true;
                out.opened.push_back(device);
            }
        } else if (!open) {
            ++out.unheard;
        } else if (call == "BASS_Start()") {
            running = true;
        } else if (call == "BASS_Free()") {
            open = running = false;
            onDevice.clear();
            out.playing = 0;
        } else if (call.rfind("BASS_MusicLoad(", 0) == 0) {
            onDevice.insert(++loads);
        } else if (std::sscanf(c, "BASS_ChannelGetPosition(%u", &music) == 1) {
            out.positionOf = music;
        } else if (std::sscanf(c, "BASS_MusicPlay(%u", &music) == 1 ||
                   std::sscanf(c, "BASS_MusicPlayEx(%u, %lld", &music, &fromMs) == 2) {
            if (running && onDevice.count(music) != 0) {
                out.playing = music;
                out.playedFromMs = fromMs;
            } else {
                ++out.unheard;
            }
        }
    }
    return out;
}

class MusicPlayerTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetWithFakeSoundtrack(); }
    void TearDown() override { MusicFree(); }
};

TEST_F(MusicPlayerTest, OpensOneDeviceTheDefaultOrElseTheSilentOneAndPlaysOnIt) {
    EXPECT_EQ(MusicInit(), 1);
    EXPECT_EQ(MusicInit(), 1);
    EXPECT_EQ(Replay().opened, std::vector<int>{-1});
    EXPECT_EQ(Replay().unheard, 0);

    MusicFree();
    ResetWithFakeSoundtrack();
    SetFakeDefaultDeviceFails(true);
    EXPECT_EQ(MusicInit(), 1);
    const HMUSIC music = MusicLoad("Ar_8peos.xm");
    EXPECT_EQ(MusicPlay(), 1);
    const Outcome outcome = Replay(true);
    EXPECT_EQ(outcome.opened, std::vector<int>{-2});
    EXPECT_EQ(outcome.playing, music);
    EXPECT_EQ(outcome.unheard, 0);
}

TEST_F(MusicPlayerTest, LoadingOpensFirstAndTheLatestLoadPlaysFromWhereAsked) {
    MusicLoad("Ar_8peos.xm");
    const HMUSIC latest = MusicLoad("Ar_8peos.xm");
    EXPECT_EQ(MusicPlay(), 1);
    EXPECT_EQ(Replay().playedFromMs, -1);
    EXPECT_EQ(MusicPlayFrom(9000), 1);
    SetFakeMusicPositionMs(4321);
    EXPECT_EQ(MusicGetPosition(), 4321u);
    const Outcome outcome = Replay();
    EXPECT_EQ(outcome.opened, std::vector<int>{-1});
    EXPECT_EQ(outcome.playing, latest);
    EXPECT_EQ(outcome.playedFromMs, 9000);
    EXPECT_EQ(outcome.positionOf, latest);
    EXPECT_EQ(outcome.unheard, 0);
}

TEST_F(MusicPlayerTest, WhileClosedOnlyTheVolumeReachesTheAudioLibrary) {
    EXPECT_EQ(MusicPlay(), 0);
    EXPECT_EQ(MusicPlayFrom(1000), 0);
    EXPECT_EQ(MusicGetPosition(), 0u);
    EXPECT_EQ(MusicFree(), 0);
    EXPECT_EQ(MusicSetVolume(50), 1);
    EXPECT_TRUE(Replay().opened.empty());
    EXPECT_EQ(Replay().unheard, 0);
    EXPECT_EQ(Replay().volume, 50);
}

// A second close, or a play after it, would reach a library with no device.
TEST_F(MusicPlayerTest, FreeClosesOnceAndTheMusicGoesWithIt) {
    MusicLoad("Ar_8peos.xm");
    MusicPlay();
    EXPECT_EQ(MusicFree(), 1);
    EXPECT_EQ(MusicFree(), 0);
    EXPECT_EQ(MusicPlay(), 0);
    EXPECT_EQ(Replay().unheard, 0);
    EXPECT_EQ(Replay().playing, 0u);

    // A new open brings no music back: only a new load plays.
    MusicInit();
    MusicPlay();
    EXPECT_EQ(Replay().opened, (std::vector<int>{-1, -1}));
    EXPECT_EQ(Replay().playing, 0u);
    const HMUSIC reloaded = MusicLoad("Ar_8peos.xm");
    MusicPlay();
    EXPECT_EQ(Replay().playing, reloaded);
}

} // namespace
