#include "music/BassEffect.h"
#include "tests/support/FakeSoundtrack.h"
#include "tools/gltrace/FakeAudio.h"
#include "tools/gltrace/FakeHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

class BassEffectTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetWithFakeSoundtrack(); }
    void TearDown() override { effect.Deactivate(); }

    BassEffect effect;
};

TEST_F(BassEffectTest, InitOpensAndLoadsTheSoundtrack) {
    const std::size_t loadsBefore = FakeHostCalls("LoadFile").size();
    EXPECT_EQ(effect.Init(1280, 960), 0);
    EXPECT_EQ(FakeHostCalls("LoadFile").size(), loadsBefore + 1);
    EXPECT_EQ(FakeHostCalls("LoadFile").back(), "Ar_8peos.xm");
    EXPECT_EQ(FakeAudioCalls(),
              (Calls{"BASS_Init(-1, 44100, 0, null)", "BASS_MusicLoad(1, module, 0, 0, 6)"}));
}

TEST_F(BassEffectTest, ActivatePlaysDeactivateFreesAndAfterThatActivatePlaysNothing) {
    effect.Init(1280, 960);
    ResetFakeAudio();
    effect.Activate();
    EXPECT_EQ(FakeAudioCalls(), (Calls{"BASS_Start()", "BASS_MusicPlay(1)"}));
    effect.Deactivate();
    effect.Activate();
    EXPECT_EQ(FakeAudioCalls(), (Calls{"BASS_Start()", "BASS_MusicPlay(1)", "BASS_Free()"}));
}

} // namespace
