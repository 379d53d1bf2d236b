// The program's command line, read by the host (the entry point never reads it).
#pragma once

#include "platform/host/options/CaptureOptions.h"
#include "platform/host/options/RequestedTimes.h"
#include "platform/host/options/ViewerOptions.h"
#include "platform/host/play/ShowIdentity.h"

#include <filesystem>
#include <optional>
#include <string>

struct ScreenshotRequest {
    int timeMs;
    std::filesystem::path file;
};

struct HostOptions {
    std::optional<std::filesystem::path> dataPath;    // --data: a directory or a .zip
    std::optional<ScreenshotRequest> screenshot;      // --screenshot TIME FILE.png
    std::optional<std::filesystem::path> shotsFolder; // --shots DIR: a PNG per second
    std::optional<CaptureSettings> capture;           // --capture FILE.mp4 and its settings
    int width = 0;                                    // --size WxH; 0: the default
    int height = 0;
    bool vsync = true; // --vsync on|off
    ViewerOptions viewer;
    std::string answer; // --help, --version: what to print on standard output
};

// Fills *options. Returns -1 to go on, or the exit status when the command
// line has been answered (--help, --version: 0, the text in answer) or
// refused (2, with one line said).
int ParseHostOptions(int argc, char** argv, const ShowIdentity& show, HostOptions* options);

// The times the options ask for (--screenshot, --start, --end).
RequestedTimes TimesAskedFor(const HostOptions& options);
