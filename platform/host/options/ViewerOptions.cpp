#include "platform/host/options/ViewerOptions.h"

#include "platform/host/options/RequestedTimes.h"

#include <CLI/CLI.hpp>

ViewerOptionParser::ViewerOptionParser(CLI::App& app, const ShowIdentity& defaults)
    : fullscreen_(defaults.fullscreen), aspect_(defaults.keepAspect ? "keep" : "stretch"),
      noSound_(!defaults.sound), loop_(defaults.loop) {
    app.add_flag("--fullscreen,!--windowed", fullscreen_,
                 std::string("full screen at the desktop's resolution, or a window (default ") +
                     (defaults.fullscreen ? "full screen)" : "a window)"));
    app.add_option("--display", display_, "the display to go full screen on, from 0 (default 0)")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--aspect", aspect_,
                   std::string("keep: the 4:3 picture centred with black bars; stretch: fill "
                               "the screen (default ") +
                       aspect_ + ")")
        ->type_name("keep|stretch")
        ->check(CLI::IsMember({"keep", "stretch"}));
    app.add_flag("--no-sound", noSound_, "play without sound; the music still keeps the time");
    app.add_option("--audio-offset", audioOffsetMs_,
                   "ms the sound reaches you later than the output says, -5000 to 5000; the "
                   "picture waits for it (negative: the picture goes ahead)")
        ->type_name("MS")
        ->check(CLI::Range(-5000, 5000));
    app.add_flag("--dev", dev_,
                 "developer transport: Space pauses, Left/Right seek 4.5 s, Home restarts; "
                 "time and effects in the title; the script reloads when it changes");
    app.add_option("--start", start_, "start at TIME (seconds, m:ss or m:ss.fff)")
        ->type_name("TIME");
    app.add_option("--end", end_, "stop before TIME (seconds, m:ss or m:ss.fff)")
        ->type_name("TIME");
    app.add_flag("--loop,!--once", loop_,
                 std::string("play again from the start (or --start) at the end (default ") +
                     (defaults.loop ? "on)" : "off)"));
    app.add_flag("--check", check_,
                 "load every picture and the module, check the script, print a report and "
                 "exit (0: fine, 2: a problem) without opening a window");
}

bool ViewerOptionParser::Finish(ViewerOptions* options) const {
    if (!ResolvePlayRange(start_, end_, &options->startMs, &options->endMs)) {
        return false;
    }
    options->fullscreen = fullscreen_;
    options->display = display_;
    options->stretch = aspect_ == "stretch";
    options->sound = !noSound_;
    options->audioOffsetMs = audioOffsetMs_;
    options->dev = dev_;
    options->loop = loop_;
    options->check = check_;
    return true;
}
