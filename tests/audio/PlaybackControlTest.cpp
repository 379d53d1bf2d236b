// The host's hold on the playing music: exact seeks, pausing, the heard
// position the demo clock follows, and the live player's transport moving the
// music with every seek. Positions are read back through the audio layer.
#include "platform/audio/PlaybackControl.h"
#include "platform/audio/AudioLibrary.h"
#include "platform/audio/ModuleDecoder.h"
#include "platform/host/FrameStep.h"
#include "platform/host/gl/Surface.h"
#include "platform/host/play/DemoClock.h"
#include "platform/host/play/LivePlayer.h"
#include "platform/host/timeline/Scheduler.h"
#include "tests/support/LogCapture.h"
#include "tests/support/TestModule.h"

#include "host/DemoGL.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <string>
#include <thread>
#include <vector>

namespace {

// One row of the show's module: how close a seek must bring the music.
constexpr double kShowRowMs = 93.75;

class PlaybackControlTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    void TearDown() override { BASS_Free(); }

    HMUSIC LoadTestModule() {
        return BASS_MusicLoad(1, module.data(), 0, static_cast<DWORD>(module.size()), 6);
    }

    const std::vector<unsigned char> module = MakeTestModule();
};

TEST_F(PlaybackControlTest, SeeksLandOnTheExactMsAndAPauseHoldsThePosition) {
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    const HMUSIC music = LoadTestModule();
    EXPECT_FALSE(SeekPlayback(500)) << "nothing plays yet";
    ASSERT_TRUE(BASS_MusicPlay(music));
    // Between rows (120 ms each), forwards and back; to the frame, which
    // reads back truncated to whole ms.
    for (std::int64_t positionMs : {1000, 250, 1337, 0}) {
        ASSERT_TRUE(SeekPlayback(positionMs));
        EXPECT_NEAR(static_cast<double>(BASS_ChannelGetPosition(music)), positionMs, 1.0);
    }
    EXPECT_EQ(LoadedMusicLengthMs(), kTestModuleLengthMs);

    PausePlayback(true);
    ASSERT_TRUE(BASS_Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(BASS_ChannelGetPosition(music), 0u);
    PausePlayback(false);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GT(BASS_ChannelGetPosition(music), 40u);
}

TEST_F(PlaybackControlTest, NoSoundOpensTheSilentDeviceWhichStillKeepsTime) {
    ChooseOutput(OutputChoice::Silent);
    StartLogCapture();
    const BOOL opened = BASS_Init(-1, 44100, 0, nullptr);
    const std::string said = TakeLogCapture();
    ChooseOutput(OutputChoice::Device);
    ASSERT_TRUE(opened);
    EXPECT_EQ(said, "") << "the dummy driver was asked for";
    const HMUSIC music = LoadTestModule();
    ASSERT_TRUE(BASS_MusicPlay(music));
    ASSERT_TRUE(BASS_Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GT(BASS_ChannelGetPosition(music), 40u);
}

TEST_F(PlaybackControlTest, TheSteppedOutputPlaysOnlyWhatIsPulledAndCountsEachStart) {
    const std::uint64_t startedBefore = MusicsStarted();
    ChooseOutput(OutputChoice::Stepped);
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    ChooseOutput(OutputChoice::Device);
    const HMUSIC music = LoadTestModule();
    std::vector<float> pulled(2 * 735, 1.0f);
    PullSteppedOutput(pulled);
    EXPECT_EQ(pulled, std::vector<float>(pulled.size(), 0.0f)) << "nothing plays yet";

    ASSERT_TRUE(BASS_Start());
    EXPECT_FALSE(BASS_MusicPlay(music + 1)) << "no such music";
    EXPECT_EQ(MusicsStarted(), startedBefore);
    ASSERT_TRUE(BASS_MusicPlay(music));
    EXPECT_EQ(MusicsStarted(), startedBefore + 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(BASS_ChannelGetPosition(music), 0u) << "no time passes between pulls";
    std::string error;
    const auto decoder = ModuleDecoder::Load(module.data(), module.size(), &error);
    ASSERT_NE(decoder, nullptr) << error;
    std::vector<float> expected(pulled.size());
    for (int pull = 0; pull < 60; ++pull) {
        PullSteppedOutput(pulled);
        decoder->Render(44100, expected.data(), expected.size() / 2);
        ASSERT_EQ(pulled, expected) << "pull " << pull;
    }
    EXPECT_EQ(BASS_ChannelGetPosition(music), 60u * 735 * 1000 / 44100);

    ASSERT_TRUE(BASS_Free());
    PullSteppedOutput(pulled);
    EXPECT_EQ(pulled, std::vector<float>(pulled.size(), 0.0f)) << "the device is gone";
    double heardMs = 0.0;
    EXPECT_FALSE(HeardPositionMs(&heardMs)) << "nothing plays once the device is gone";
}

// A frame every 16 ms of a stepped clock, each with the stepped output pulled
// 2 % short, as from a sound card whose clock runs slow, and no pull at all
// every hundredth frame, as when the output stalls: the demo time keeps to
// what is heard, where the steady clock alone would run 280 ms ahead.
TEST_F(PlaybackControlTest, DemoTimeStaysWithTheHeardMusic) {
    ChooseOutput(OutputChoice::Stepped);
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr));
    ChooseOutput(OutputChoice::Device);
    const HMUSIC music = LoadTestModule();
    ASSERT_TRUE(BASS_Start());
    ASSERT_TRUE(BASS_MusicPlay(music));
    DemoClock clock;
    clock.Restart(0.0, 0.0);
    std::vector<float> pulled(2 * 692);
    double worstMs = 0.0;
    double sumMs = 0.0;
    for (int frame = 1; frame <= 600; ++frame) {
        if (frame % 100 != 0) {
            PullSteppedOutput(pulled);
        }
        double heardMs = 0.0;
        ASSERT_TRUE(HeardPositionMs(&heardMs));
        const double offsetMs = std::abs(clock.FrameTimeMs(frame * 16.0, &heardMs) - heardMs);
        worstMs = std::max(worstMs, offsetMs);
        sumMs += offsetMs;
    }
    EXPECT_LT(sumMs / 600, 5.0);
    EXPECT_LT(worstMs, 40.0);
}

// What the script starts under the name MUSIC: the test module.
class MusicEffect : public CEffect {
  public:
    explicit MusicEffect(HMUSIC music) : music_(music) {}
    int Init(int, int) override { return 0; }
    void RenderFrame(int) override {}
    void Activate() override {
        BASS_Start();
        BASS_MusicPlay(music_);
    }
    void Deactivate() override {}

  private:
    HMUSIC music_;
};

// Frames go nowhere; keys come from the test.
class KeyedSurface : public Surface {
  public:
    std::deque<ViewerKey> keys;
    Viewport DrawingArea() const override { return {0, 0, 64, 48}; }
    void BeginFrame() override {}
    void Present() override {}
    bool QuitRequested() override { return false; }
    void ReadPixels(std::span<std::uint8_t>) override {}
    void* NativeWindow() const override { return nullptr; }
    bool NextViewerKey(ViewerKey* key) override {
        if (keys.empty()) {
            return false;
        }
        *key = keys.front();
        keys.pop_front();
        return true;
    }
};

TEST_F(PlaybackControlTest, TheMusicFollowsEveryTransportSeekWithinARow) {
    ASSERT_TRUE(BASS_Init(-2, 44100, 0, nullptr));
    const HMUSIC music = LoadTestModule();
    MusicEffect effect(music);
    MusicEffect quiet(0); // plays no music
    std::vector<CEffect*> effects{&effect, &quiet};
    const std::vector<RegisteredName> names{{"MUSIC", true}, {"QUIET", true}};
    // The music starts 2 s into the show: its position 0 is demo time 2000,
    // though the first frame also activates a run that starts later.
    Scheduler scheduler(Timeline{{{0, 2000, 60000, 0, 1}, {1, 20000, 60000, 1, 2}}, 60000},
                        effects);
    KeyedSurface surface;
    LiveSettings settings{"test", 20000, false, true, 0, {}};
    FrameStep frames(surface, scheduler, false);
    LivePlayer player(frames, names, settings, nullptr);

    const auto expectMusicAt = [&](int timeMs, const char* after) {
        if (timeMs < 2000) {
            return; // before the music's run
        }
        const double positionMs = static_cast<double>(BASS_ChannelGetPosition(music));
        EXPECT_NEAR(positionMs, timeMs - 2000, kShowRowMs) << after << " at " << timeMs;
    };
    int t = 0;
    ASSERT_TRUE(player.Frame(&t));
    EXPECT_NEAR(t, 20000, 50);
    expectMusicAt(t, "the start");
    for (const auto& [key, name] : {std::pair{ViewerKey::SeekForward, "forward"},
                                    {ViewerKey::SeekBack, "back"},
                                    {ViewerKey::SeekBack, "back"},
                                    {ViewerKey::Restart, "home"},
                                    {ViewerKey::SeekForward, "forward"}}) {
        const int before = t;
        surface.keys.push_back(key);
        ASSERT_TRUE(player.Frame(&t));
        expectMusicAt(t, name);
        if (key != ViewerKey::Restart) {
            EXPECT_NEAR(std::abs(t - before), 4500, 50) << name;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(player.Frame(&t));
        expectMusicAt(t, name);
    }
    // Home went back before the music's run; forward from 0 landed in it,
    // where the run started the music afresh and it was moved on to match.
    EXPECT_GT(t, 4500);
    EXPECT_LT(t, 5000);

    surface.keys.push_back(ViewerKey::PauseResume);
    ASSERT_TRUE(player.Frame(&t));
    const int paused = t;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(player.Frame(&t));
    EXPECT_EQ(t, paused);
    expectMusicAt(t, "pause");
}

// --end stops the show there; with --loop it plays again from --start.
TEST_F(PlaybackControlTest, LivePlayStopsAtItsEndOrLoopsBackToItsStart) {
    Scheduler scheduler(Timeline{{}, 60000}, {});
    KeyedSurface surface;
    FrameStep frames(surface, scheduler, false);
    for (const bool loop : {false, true}) {
        const LiveSettings settings{"test", 20000, loop, false, 0, 20100};
        LivePlayer player(frames, {}, settings, nullptr);
        int t = 0;
        ASSERT_TRUE(player.Frame(&t));
        EXPECT_NEAR(t, 20000, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        EXPECT_EQ(player.Frame(&t), loop);
        if (loop) {
            EXPECT_NEAR(t, 20000, 50);
        }
    }
}

} // namespace
