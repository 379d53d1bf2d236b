#include "platform/host/options/CaptureOptions.h"

#include "platform/common/Log.h"
#include "platform/common/QuotedValue.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

int FrameTimeMs(std::int64_t frame, FrameRate fps) {
    // Exact in integers: frame * 1000 * den / num, rounded half up.
    const std::int64_t scaled = frame * 1000 * fps.den;
    return static_cast<int>((2 * scaled + fps.num) / (2 * static_cast<std::int64_t>(fps.num)));
}

std::int64_t FramesBefore(int endMs, FrameRate fps) {
    std::int64_t frames = static_cast<std::int64_t>(endMs) * fps.num / (1000LL * fps.den);
    while (FrameTimeMs(frames, fps) < endMs) {
        ++frames;
    }
    while (frames > 0 && FrameTimeMs(frames - 1, fps) >= endMs) {
        --frames;
    }
    return frames;
}

bool ParseFrameRate(const std::string& text, FrameRate* fps) {
    int num = 0;
    int den = 1;
    char tail = 0;
    const int read = std::sscanf(text.c_str(), "%d/%d%c", &num, &den, &tail);
    const bool wholeOnly = text.find('/') == std::string::npos;
    if ((wholeOnly && (read != 1 || text.find_first_not_of("0123456789") != std::string::npos)) ||
        (!wholeOnly && read != 2)) {
        return false;
    }
    if (num <= 0 || den <= 0 || num > 1000 * den) {
        return false;
    }
    *fps = {num, den};
    return true;
}

void AddCaptureOptions(CLI::App& app, CaptureOptionText* text) {
    // The encoder's speed presets, fastest first.
    const std::vector<std::string> presets = {"ultrafast", "superfast", "veryfast",
                                              "faster",    "fast",      "medium",
                                              "slow",      "slower",    "veryslow"};
    std::string presetWords = presets.front();
    for (std::size_t i = 1; i < presets.size(); ++i) {
        presetWords += (i + 1 < presets.size() ? ", " : " or ") + presets[i];
    }
    app.add_option(
           "--capture", text->file,
           "render the show (or --start to --end) offscreen into FILE.mp4 (H.264 + AAC) and exit")
        ->type_name("FILE.mp4");
    app.add_option("--fps", text->fps, "frames a second, e.g. 60 or 60000/1001 (default 60)")
        ->type_name("RATE");
    CLI::Option* crf =
        app.add_option("--crf", text->crf, "capture quality, 0 (best) to 51 (default 20)")
            ->type_name("N")
            ->check(CLI::Range(0, 51));
    app.add_option("--preset", text->preset,
                   "capture encoder speed: " + presetWords + " (default " + text->preset + ")")
        ->type_name("NAME")
        ->check(CLI::IsMember(presets));
    app.add_flag("--lossless", text->lossless,
                 "keep every rendered pixel exactly: RGB H.264 at qp 0, large files for editing")
        ->excludes(crf);
    app.add_option("--supersample", text->supersample,
                   "render each frame N times wider and higher, N from 1 to 4, and filter it "
                   "down (default 1)")
        ->type_name("N")
        ->check(CLI::Range(1, 4));
}

bool ResolveCaptureOptions(const CaptureOptionText& text, int width, int height,
                           CaptureSettings* settings) {
    if (!ParseFrameRate(text.fps, &settings->fps)) {
        LogLine("quorvel8: --fps: expected a rate such as 60 or 60000/1001 (at most 1000), got " +
                QuotedValue(text.fps));
        return false;
    }
    settings->file = text.file;
    settings->width = width > 0 ? width : kOffscreenDefaultWidth;
    settings->height = height > 0 ? height : kOffscreenDefaultHeight;
    // 4:2:0 video halves both sides of the picture for its colour; RGB keeps every pixel's.
    if (!text.lossless && (settings->width % 2 != 0 || settings->height % 2 != 0)) {
        LogLine("quorvel8: --size: a capture needs an even width and height, got " +
                std::to_string(settings->width) + "x" + std::to_string(settings->height));
        return false;
    }
    settings->crf = text.crf;
    settings->preset = text.preset;
    settings->lossless = text.lossless;
    settings->supersample = text.supersample;
    return true;
}
