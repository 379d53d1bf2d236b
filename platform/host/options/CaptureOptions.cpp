#include "platform/host/options/CaptureOptions.h"

#include "platform/common/Log.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

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
        LogLine(FrameRateRefusal(text.fps));
        return false;
    }
    settings->file = text.file;
    settings->width = width > 0 ? width : kOffscreenDefaultWidth;
    settings->height = height > 0 ? height : kOffscreenDefaultHeight;
    std::string line;
    if (!text.lossless && !EvenFrameSize(settings->width, settings->height, &line)) {
        LogLine(line);
        return false;
    }
    settings->crf = text.crf;
    settings->preset = text.preset;
    settings->lossless = text.lossless;
    settings->supersample = text.supersample;
    return true;
}
