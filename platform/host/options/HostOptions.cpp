#include "platform/host/options/HostOptions.h"

#include "platform/common/Log.h"
#include "platform/host/data/InstallLayout.h"
#include "platform/host/options/HelpFormatter.h"
#include "platform/host/options/OptionModes.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <vector>

namespace {

bool ParseSize(const std::string& text, int* width, int* height) {
    int w = 0;
    int h = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &tail) != 2) {
        return false;
    }
    if (w < 16 || h < 16 || w > 8192 || h > 8192) {
        return false;
    }
    *width = w;
    *height = h;
    return true;
}

} // namespace

int ParseHostOptions(int argc, char** argv, const ShowIdentity& show, HostOptions* options) {
    CLI::App app{show.title + " by " + show.makers +
                 ": a real-time demo. Plays in a window; renders offscreen with --capture, "
                 "--screenshot or --shots."};
    app.name("quorvel8");
    app.formatter(std::make_shared<HelpFormatter>());
    app.set_help_flag("-h,--help", "print this help and exit");
    app.set_version_flag("--version", "quorvel8 " + std::string(ProgramVersion()),
                         "print the program's name and version and exit");

    std::string dataPath;
    app.add_option("--data", dataPath, "data directory or .zip archive to play from")
        ->type_name("PATH");

    std::vector<std::string> screenshot;
    app.add_option("--screenshot", screenshot,
                   "render the frame at TIME (seconds or m:ss) into FILE.png and exit")
        ->expected(2)
        ->type_name("TIME FILE");

    std::string shots;
    app.add_option("--shots", shots,
                   "render one PNG per second of the show (or --start to --end) into DIR and exit")
        ->type_name("DIR");

    CaptureOptionText capture;
    AddCaptureOptions(app, &capture);

    std::string size;
    app.add_option("--size", size,
                   "window or frame size in pixels, the 4:3 picture centred in it (default "
                   "1024x768 in a window, 1280x960 offscreen)")
        ->type_name("WxH");

    std::string vsync = show.defaults.vsync ? "on" : "off";
    app.add_option("--vsync", vsync, "wait for the display's refresh (default on)")
        ->type_name("on|off")
        ->check(CLI::IsMember({"on", "off"}));

    const ViewerOptionParser viewer(app, show.defaults);
    GroupOptionsByMode(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::printf("%s\n", version.what());
        return 0;
    } catch (const CLI::ParseError& e) {
        LogLine(std::string("quorvel8: ") + e.what() + " (see --help)");
        return 2;
    }
    if (!OptionsFitOneMode(app)) {
        return 2;
    }

    if (!dataPath.empty()) {
        options->dataPath = dataPath;
    }
    if (!screenshot.empty()) {
        int timeMs = 0;
        if (!ResolveScreenshotTime(screenshot[0], &timeMs)) {
            return 2;
        }
        options->screenshot = ScreenshotRequest{timeMs, screenshot[1]};
    }
    if (!shots.empty()) {
        options->shotsFolder = shots;
    }
    if (!size.empty() && !ParseSize(size, &options->width, &options->height)) {
        LogLine("quorvel8: --size: expected WxH from 16x16 to 8192x8192, got '" + size + "'");
        return 2;
    }
    if (!capture.file.empty()) {
        CaptureSettings settings;
        if (!ResolveCaptureOptions(capture, options->width, options->height, &settings)) {
            return 2;
        }
        options->capture = settings;
    }
    options->vsync = vsync == "on";
    return viewer.Finish(&options->viewer) ? -1 : 2;
}

bool TimesFitTheShow(const HostOptions& options, int showEndMs) {
    ShowTimes times{std::nullopt, options.viewer.startMs, options.viewer.endMs};
    if (options.screenshot) {
        times.screenshotMs = options.screenshot->timeMs;
    }
    return TimesFitTheShow(times, showEndMs);
}
