// The writer's files as a player reads them: header values, where a note
// starts, loops, and refusals of what the format cannot hold.
#include "tools/makedata/soundtrack/XmWriter.h"
#include "tests/soundtrack/ModuleRender.h"
#include "tools/makedata/soundtrack/InstrumentSynth.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <stdexcept>

namespace {

// A looped sine of 100 frames: 441 Hz at 44100 Hz.
XmInstrument SineInstrument() {
    XmInstrument instrument;
    instrument.name = "sine";
    instrument.sample.name = "sine cycle";
    for (int i = 0; i < 100; ++i) {
        instrument.sample.frames.push_back(
            static_cast<std::int16_t>(std::lround(20000.0 * std::sin(2.0 * M_PI * i / 100.0))));
    }
    instrument.sample.loop = XmLoop::Forward;
    instrument.sample.loopLength = 100;
    return instrument;
}

TEST(XmWriter, HeaderValuesReachThePlayer) {
    XmModule module = OneNoteModule(SineInstrument(), 49, 0);
    module.name = "header check";
    module.numChannels = 4;
    module.speed = 3;
    module.bpm = 150;
    module.patterns[0].cells.resize(32 * 4);
    XmPattern second;
    second.numRows = 7;
    second.cells.resize(7 * 4);
    module.patterns.push_back(second);
    module.orders = {1, 0, 1};

    const openmpt::module player(WriteXm(module));
    EXPECT_EQ(player.get_metadata("title"), "header check");
    EXPECT_EQ(player.get_num_channels(), 4);
    EXPECT_EQ(player.get_num_orders(), 3);
    EXPECT_EQ(player.get_order_pattern(0), 1);
    EXPECT_EQ(player.get_pattern_num_rows(1), 7);
    EXPECT_EQ(player.get_pattern_num_rows(0), 32);
    EXPECT_EQ(player.get_current_speed(), 3);
    EXPECT_EQ(player.get_current_tempo(), 150);
    ASSERT_EQ(player.get_num_instruments(), 1);
    EXPECT_EQ(player.get_instrument_names()[0], "sine");
    EXPECT_EQ(player.get_sample_names()[0], "sine cycle");
    // (7 + 32 + 7) rows of 3 ticks at 20 ms * 125 / 150.
    EXPECT_NEAR(player.get_duration_seconds(), 46 * 3 * 0.02 * 125.0 / 150.0, 1e-6);
}

TEST(XmWriter, NoteSoundsFromItsRowAndItsLoopHoldsIt) {
    // Row 8 of 20 ms ticks at speed 6 starts at 0.96 s; the 100-frame sample
    // lasts 2 ms and only its loop keeps it sounding to the end.
    const std::vector<float> mono =
        ToMono(RenderModule(WriteXm(OneNoteModule(SineInstrument(), 49, 8))));
    const std::size_t start = static_cast<std::size_t>(0.96 * kRenderRate);
    EXPECT_LT(Rms(mono, 0, start - 200), 1e-4);
    EXPECT_GT(Rms(mono, start + 200, 4410), 0.05);
    EXPECT_GT(Rms(mono, mono.size() - 8820, 4410), 0.05);
}

TEST(XmWriter, RelativeNoteAndFinetuneSetThePitch) {
    // The delta coding, the signed tuning bytes and the linear frequency table
    // together: the 441 Hz cycle tuned to its pitch must sound A-4 at 440 Hz.
    XmInstrument instrument = SineInstrument();
    TuneSample(instrument.sample, 44100.0, 441.0);
    ASSERT_NE(instrument.sample.finetune, 0);
    const std::vector<float> mono = ToMono(RenderModule(WriteXm(OneNoteModule(instrument, 58, 0))));
    const double period = StrongestPeriod(mono, 4410, 8820, 60, 140);
    EXPECT_NEAR(kRenderRate / period, 440.0, 1.0);
}

TEST(XmWriter, RefusesWhatTheFormatCannotHold) {
    const XmModule good = OneNoteModule(SineInstrument(), 49, 0);
    EXPECT_NO_THROW(WriteXm(good));

    auto expectRefusal = [](const XmModule& module, const char* mention) {
        try {
            WriteXm(module);
            ADD_FAILURE() << "accepted a module with a bad " << mention;
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(mention), std::string::npos) << error.what();
        }
    };
    XmModule module = good;
    module.patterns[0].numRows = 300;
    module.patterns[0].cells.resize(300);
    expectRefusal(module, "pattern 0 rows");

    module = good;
    module.patterns[0].cells.pop_back();
    expectRefusal(module, "cells");

    module = good;
    module.orders = {0, 1};
    expectRefusal(module, "order 1");

    module = good;
    module.instruments[0].sample.loopStart = 50;
    module.instruments[0].sample.loopLength = 51;
    expectRefusal(module, "loop");

    module = good;
    module.instruments[0].volumeEnvelope.points = {{0, 64}, {10, 32}, {10, 0}};
    expectRefusal(module, "volume envelope point 2");

    module = good;
    module.patterns[0].cells[3].note = 98;
    expectRefusal(module, "row 3 channel 0: note 98");

    module = good;
    module.numChannels = 33;
    expectRefusal(module, "channels");
}

} // namespace
