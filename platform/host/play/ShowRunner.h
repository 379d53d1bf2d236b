// One showing, from the command line to the last frame: options, data source,
// timeline script, surface, the effects' Init, then frames in a window or
// offscreen into PNG files.
#pragma once

#include "platform/host/play/ShowSetup.h"

#include <memory>

class ShowSession;

class ShowRunner {
  public:
    ShowRunner();
    ~ShowRunner();
    ShowRunner(const ShowRunner&) = delete;
    ShowRunner& operator=(const ShowRunner&) = delete;

    // The exit status: 0 when the show played or the command line was
    // answered, 2 when it refused to start or could not write (one line says
    // why), 128 + the signal when SIGINT or SIGTERM cut a capture or shots short.
    int Run(int argc, char** argv, const ShowSetup& setup);

  private:
    // Kept until the host shuts down.
    std::unique_ptr<ShowSession> session_;
};
