// Composes the show's soundtrack, "Ar_8peos.xm": 32 positions of 48-row
// patterns at 160 BPM, speed 6 (a row is 93.75 ms, the logo's beat of three
// rows 281.25 ms), 2:24 in all, its sections following the show's timeline.
#pragma once

#include "tools/makedata/soundtrack/XmModule.h"

#include <vector>

inline constexpr int kSoundtrackChannels = 11;
inline constexpr int kSoundtrackKickChannel = 0;
inline constexpr int kSoundtrackRowsPerPattern = 48;
inline constexpr int kSoundtrackPositions = 32;
inline constexpr int kSoundtrackSpeed = 6;
inline constexpr int kSoundtrackBpm = 160;

// The same module on every call: no clock, only a fixed-seed generator.
XmModule ComposeSoundtrackModule();

// The bytes of "Ar_8peos.xm".
std::vector<unsigned char> ComposeSoundtrack();
