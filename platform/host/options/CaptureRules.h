// What a capture may be asked for, the same on the command line and the page:
// the frame size and rate, and which demo time each frame shows. The refusals
// are the command line's own lines, so both builds say the same.
#pragma once

#include <cstdint>
#include <string>

// A frame rate as a fraction: 60, or 60000/1001 for NTSC rates.
struct FrameRate {
    int num = 60;
    int den = 1;
};

// Demo time of frame n: round(n * 1000 / fps) ms.
int FrameTimeMs(std::int64_t frame, FrameRate fps);

// How many frames show the times 0 <= t < endMs.
std::int64_t FramesBefore(int endMs, FrameRate fps);

// "60", "59.94" is refused (ambiguous), "60000/1001"; false when malformed,
// zero, or above 1000 frames a second.
bool ParseFrameRate(const std::string& text, FrameRate* fps);

// "WxH" from 16x16 to 8192x8192; false when malformed or out of that range.
bool ParseFrameSize(const std::string& text, int* width, int* height);

// The lines a refused rate or size gets.
std::string FrameRateRefusal(const std::string& text);
std::string FrameSizeRefusal(const std::string& text);

// 4:2:0 video halves both sides of the picture for its colour; an odd side
// is refused with *line. RGB frames (lossless) keep every pixel's.
bool EvenFrameSize(int width, int height, std::string* line);
