#include "platform/host/options/HostOptions.h"

#include "platform/common/Log.h"
#include "platform/host/data/InstallLayout.h"
#include "platform/host/options/CaptureRules.h"
#include "platform/host/options/HelpFormatter.h"
#include "platform/host/options/OptionModeRules.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The command line's side of the table of which modes read each option
// (OptionModeRules.h).

// How a message names an option: every spelling of it, "--loop/--once".
std::string Spelling(const CLI::Option& option) {
    std::string names;
    for (const std::string& name : option.get_lnames()) {
        names += (names.empty() ? "--" : "/--") + name;
    }
    return names;
}

bool Given(const CLI::App& app, const char* name) {
    const CLI::Option* option = app.get_option_no_throw(name);
    return option != nullptr && option->count() > 0;
}

// Sets each option's --help group from the modes that read it, once every
// option has been added.
void GroupOptionsByMode(CLI::App& app) {
    for (const ModeOption& mode : ModeChoosingOptions()) {
        app.get_option(mode.name)->group("Modes (one at most; with none the show plays live)");
    }
    for (const ModeOption& setting : ModeSettings()) {
        app.get_option(setting.name)
            ->group(EveryModeReads(setting) ? "For every mode" : "For " + ModeList(setting.modes));
    }
}

// False, with one line said, when an option is given an empty value: it is
// refused, never taken for the option left out.
bool ValuesAreGiven(const CLI::App& app) {
    for (const CLI::Option* option : app.get_options()) {
        const std::vector<std::string>& values = option->results();
        // A flag's results are its own words, never empty.
        if (std::find(values.begin(), values.end(), std::string()) != values.end()) {
            LogLine("quorvel8: " + Spelling(*option) + ": expected a value, got ''");
            return false;
        }
    }
    return true;
}

// False, with one line said, when two modes are asked for or an option given
// does nothing in the mode asked for.
bool OptionsFitOneMode(const CLI::App& app) {
    return GivenOptionsFitOneMode(
        [&app](const char* name) { return Given(app, name); },
        [&app](const char* name) { return Spelling(*app.get_option(name)); });
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

    std::string vsync = show.vsync ? "on" : "off";
    app.add_option("--vsync", vsync, "wait for the display's refresh (default on)")
        ->type_name("on|off")
        ->check(CLI::IsMember({"on", "off"}));

    const ViewerOptionParser viewer(app, show);
    GroupOptionsByMode(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        options->answer = app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        options->answer = version.what() + std::string("\n");
        return 0;
    } catch (const CLI::ParseError& e) {
        LogLine(std::string("quorvel8: ") + e.what() + " (see --help)");
        return 2;
    }
    if (!ValuesAreGiven(app) || !OptionsFitOneMode(app)) {
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
    if (!size.empty() && !ParseFrameSize(size, &options->width, &options->height)) {
        LogLine(FrameSizeRefusal(size));
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

RequestedTimes TimesAskedFor(const HostOptions& options) {
    RequestedTimes times{std::nullopt, options.viewer.startMs, options.viewer.endMs};
    if (options.screenshot) {
        times.screenshotMs = options.screenshot->timeMs;
    }
    return times;
}
