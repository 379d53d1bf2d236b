// What a capture writes: file, frame size and rate, and the H.264 encoder's
// quality settings, as the command line gives them (--capture, --fps, --crf,
// --preset, --lossless, --supersample; the size comes from --size).
#pragma once

#include "platform/host/gl/Surface.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace CLI {
class App;
}

// A frame rate as a fraction: 60, or 60000/1001 for NTSC rates.
struct FrameRate {
    int num = 60;
    int den = 1;
};

struct CaptureSettings {
    std::filesystem::path file;
    int width = kOffscreenDefaultWidth;
    int height = kOffscreenDefaultHeight;
    FrameRate fps;
    int crf = 20;
    std::string preset = "veryfast";
    bool lossless = false; // RGB frames stored exactly, not 4:2:0 at --crf
    int supersample = 1;   // each frame rendered this many times wider and higher
};

// Demo time of frame n: round(n * 1000 / fps) ms.
int FrameTimeMs(std::int64_t frame, FrameRate fps);

// How many frames show the times 0 <= t < endMs.
std::int64_t FramesBefore(int endMs, FrameRate fps);

// "60", "59.94" is refused (ambiguous), "60000/1001"; false when malformed,
// zero, or above 1000 frames a second.
bool ParseFrameRate(const std::string& text, FrameRate* fps);

// The command line's text for the capture options, read after parsing.
struct CaptureOptionText {
    std::string file;
    std::string fps = "60";
    int crf = 20;
    std::string preset = "veryfast";
    bool lossless = false;
    int supersample = 1;
};

void AddCaptureOptions(CLI::App& app, CaptureOptionText* text);

// Turns the parsed text into settings (width and height as --size gave them,
// 0 for the default). False, with one line said, when a value is refused.
bool ResolveCaptureOptions(const CaptureOptionText& text, int width, int height,
                           CaptureSettings* settings);
