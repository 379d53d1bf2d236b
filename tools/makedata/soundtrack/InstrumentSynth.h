// The soundtrack's instruments, synthesised: drums from shaped noise and
// swept sines, tonal instruments from band-limited waveforms whose loops hold
// a whole number of cycles of every partial, so they repeat without a click.
// Each is tuned so that note A-4 (58) sounds at 440 Hz; drums play unchanged
// at C-4 (49).
#pragma once

#include "tools/makedata/soundtrack/XmModule.h"

#include <vector>

inline constexpr double kMiddleCHz = 261.6255653005986; // XM note C-4

// Sets relativeNote and finetune for a sample whose pitch is `rootHz` when
// played at `sampleRate`, so that every note sounds at its own pitch (C-4 at
// middle C). Unpitched sounds pass kMiddleCHz: C-4 then plays them as made.
void TuneSample(XmSample& sample, double sampleRate, double rootHz);

// Scales to `peak` of full scale and rounds to 16 bits.
std::vector<std::int16_t> ToFrames(const std::vector<double>& signal, double peak);

XmInstrument MakeKick();
XmInstrument MakeSnare();
XmInstrument MakeClosedHat();
XmInstrument MakeOpenHat();
XmInstrument MakeCrash();
XmInstrument MakeBass();
XmInstrument MakeWobbleBass(); // the bass under a volume envelope looping once a beat
XmInstrument MakePad();
XmInstrument MakeFilteredPad(); // the pad with its upper partials rolled off: dark and soft
XmInstrument MakeLead();
XmInstrument MakePluck();
XmInstrument MakeBell();
