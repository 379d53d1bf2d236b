// The sine and cosine tables the ray-cast warps turn their views with: 1024
// steps per turn, indexed by an integer angle of which only the low ten bits
// count, so any index, however large or negative, selects an entry.
//
// NOTE: the step is 6.28318 / 1024, not 2 pi / 1024: a full round of indices
// falls 0.0000053 short of a turn, so CosineTable[256] is 0.0000013268, not 0.
// The tables are zero until FillTrigTables runs; both ray-cast warps run it in
// Init, and a second run writes the same values.
#pragma once

inline constexpr int kAngleSteps = 1024;
inline constexpr int kAngleMask = kAngleSteps - 1;
inline constexpr double kAngleStep = 6.28318 / kAngleSteps; // radians

extern double CosineTable[kAngleSteps];
extern double SineTable[kAngleSteps];

// Fills the sine table, then the cosine table.
void FillTrigTables();
