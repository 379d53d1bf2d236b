// What a capture writes: file, frame size and rate, and the H.264 encoder's
// quality settings, as the command line gives them (--capture, --fps, --crf,
// --preset, --lossless, --supersample; the size comes from --size).
#pragma once

#include "platform/host/gl/Surface.h"
#include "platform/host/options/CaptureRules.h"

#include <filesystem>
#include <string>

namespace CLI {
class App;
}

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
