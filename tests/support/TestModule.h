// A tiny XM module that tests write for themselves: two channels, one pattern
// of 16 rows at speed 6 and 125 BPM (120 ms a row, 1.92 s in all), one
// instrument whose looped square wave sounds from the first row to the end.
#pragma once

#include <vector>

constexpr int kTestModuleRowMs = 120;
constexpr int kTestModuleLengthMs = 16 * kTestModuleRowMs;

std::vector<unsigned char> MakeTestModule();
