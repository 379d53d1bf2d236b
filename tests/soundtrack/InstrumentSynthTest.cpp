// The synthesised instruments as heard: in tune, loops without a click, and
// drums where they belong in the spectrum.
#include "tools/makedata/soundtrack/InstrumentSynth.h"
#include "tests/soundtrack/ModuleRender.h"
#include "tools/makedata/soundtrack/XmWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

double PlayedHz(const XmInstrument& instrument, int note, double expectedHz) {
    const std::vector<float> mono =
        ToMono(RenderModule(WriteXm(OneNoteModule(instrument, note, 0))));
    const int expectedPeriod = static_cast<int>(kRenderRate / expectedHz);
    const double period =
        StrongestPeriod(mono, 2205, 8820, expectedPeriod * 3 / 4, expectedPeriod * 5 / 4);
    return kRenderRate / period;
}

TEST(InstrumentSynth, PitchedInstrumentsPlayTheirNotes) {
    // A-4 is 440 Hz; the bass is checked where it plays, A-1 at 55 Hz.
    EXPECT_NEAR(PlayedHz(MakeLead(), 58, 440.0), 440.0, 2.0);
    EXPECT_NEAR(PlayedHz(MakePluck(), 58, 440.0), 440.0, 3.0);
    EXPECT_NEAR(PlayedHz(MakeBass(), 22, 55.0), 55.0, 0.5);
    EXPECT_NEAR(PlayedHz(MakePad(), 58, 440.0), 440.0, 2.0);
    EXPECT_NEAR(PlayedHz(MakeFilteredPad(), 58, 440.0), 440.0, 2.0);
}

TEST(InstrumentSynth, LoopsJoinWithoutAClick) {
    for (const XmInstrument& instrument :
         {MakeBass(), MakeWobbleBass(), MakePad(), MakeFilteredPad(), MakeLead()}) {
        const XmSample& sample = instrument.sample;
        ASSERT_EQ(sample.loop, XmLoop::Forward) << instrument.name;
        ASSERT_EQ(sample.loopStart + sample.loopLength, sample.frames.size()) << instrument.name;
        // The jump from the loop's end to its start is no bigger than the steps inside it.
        int largestStep = 0;
        for (std::size_t i = sample.loopStart + 1; i < sample.frames.size(); ++i) {
            largestStep = std::max(largestStep, std::abs(sample.frames[i] - sample.frames[i - 1]));
        }
        const int seam = std::abs(sample.frames[sample.loopStart] - sample.frames.back());
        EXPECT_LE(seam, largestStep) << instrument.name;
    }
}

double ZeroCrossingsPerSecond(const std::vector<std::int16_t>& frames, double playedRate) {
    int crossings = 0;
    for (std::size_t i = 1; i < frames.size(); ++i) {
        crossings += (frames[i - 1] < 0) != (frames[i] < 0);
    }
    return crossings * playedRate / static_cast<double>(frames.size());
}

double NativeRate(const XmSample& sample) {
    return 8363.0 * std::pow(2.0, (sample.relativeNote + sample.finetune / 128.0) / 12.0);
}

TEST(InstrumentSynth, DrumsSitLowToHigh) {
    const XmSample kick = MakeKick().sample;
    const XmSample snare = MakeSnare().sample;
    const XmSample hat = MakeClosedHat().sample;
    const double kickRate = ZeroCrossingsPerSecond(kick.frames, NativeRate(kick));
    const double snareRate = ZeroCrossingsPerSecond(snare.frames, NativeRate(snare));
    const double hatRate = ZeroCrossingsPerSecond(hat.frames, NativeRate(hat));
    EXPECT_LT(kickRate, 250.0);
    EXPECT_LT(kickRate * 4, snareRate);
    EXPECT_LT(snareRate * 2, hatRate);
    // Drums play at C-4 unchanged: short enough for the beat they sit on.
    EXPECT_LT(kick.frames.size() / NativeRate(kick), 0.5);
}

} // namespace
