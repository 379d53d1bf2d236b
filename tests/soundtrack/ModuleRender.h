// Renders module bytes through libopenmpt for the soundtrack tests, and builds
// the small one-instrument modules they play.
#pragma once

#include "tools/makedata/soundtrack/XmModule.h"

#include <vector>

inline constexpr int kRenderRate = 44100;

// Interleaved stereo float at `sampleRate`, to the song's end. With
// `onlyChannel` >= 0 every other channel is muted.
std::vector<float> RenderModule(const std::vector<unsigned char>& bytes, int onlyChannel = -1,
                                int sampleRate = kRenderRate);

// Mean of both channels, one value a frame.
std::vector<float> ToMono(const std::vector<float>& stereo);

// Root mean square of frames [first, first + count) of a mono signal.
double Rms(const std::vector<float>& mono, std::size_t first, std::size_t count);

// The loudness weighting of EBU R 128 applied to interleaved stereo at 48 kHz:
// a high shelf for the head's boost of the treble, a high-pass below the bass.
std::vector<float> KWeighted(const std::vector<float>& stereo);

// One channel, one 32-row pattern at speed 6 and 125 BPM (20 ms a tick): `note`
// on `instrument` at `row`.
XmModule OneNoteModule(const XmInstrument& instrument, int note, int row);

// The strongest period, in frames, between minFrames and maxFrames, by
// autocorrelation of frames [first, first + count).
double StrongestPeriod(const std::vector<float>& mono, std::size_t first, std::size_t count,
                       int minFrames, int maxFrames);
