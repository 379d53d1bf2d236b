// How the show is watched: full screen or window, sound, the clock's offset,
// the developer's transport, and the data check. The start-up values the entry
// point gives the host are their defaults; the command line overrides them.
#pragma once

#include "platform/host/play/ShowIdentity.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

struct ViewerOptions {
    bool fullscreen = false; // --fullscreen / --windowed
    int display = 0;         // --display N
    bool stretch = false;    // --aspect stretch
    bool sound = true;       // --no-sound
    int audioOffsetMs = 0;   // --audio-offset MS: the picture is held back by MS
    bool dev = false;        // --dev: transport keys, time in the title, script reload
    int startMs = 0;         // --start TIME
    // --end TIME; none: the show's own end
    std::optional<int> endMs;
    bool loop = false;  // --loop / --once
    bool check = false; // --check
};

// Adds the viewer's options to the command line, bound to its own fields until
// Finish turns them into ViewerOptions.
class ViewerOptionParser {
  public:
    ViewerOptionParser(CLI::App& app, const ShowIdentity& defaults);
    ViewerOptionParser(const ViewerOptionParser&) = delete;
    ViewerOptionParser& operator=(const ViewerOptionParser&) = delete;

    // False, with one line said, when a value is malformed or --end is not
    // after --start.
    bool Finish(ViewerOptions* options) const;

  private:
    bool fullscreen_;
    int display_ = 0;
    std::string aspect_;
    bool noSound_;
    int audioOffsetMs_ = 0;
    bool dev_ = false;
    std::string start_;
    std::string end_;
    bool loop_;
    bool check_ = false;
};
