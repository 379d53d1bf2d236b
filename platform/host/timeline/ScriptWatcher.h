// Watches the timeline script of a data directory while a developer works on
// it: when the file changes it is parsed again; a good script is handed over,
// a bad one has its errors said and the last good one plays on.
//
// NOTE: a script inside a .zip is not watched: the archive is open for the
// whole show and is not read again.
#pragma once

#include "platform/host/timeline/TimelineScript.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

class DataSource;

class ScriptWatcher {
  public:
    ScriptWatcher(DataSource& source, std::string scriptName,
                  std::span<const RegisteredName> effects);

    // Looks at the file at most twice a second (steadyMs: the monotonic
    // clock). The new timeline when the file changed and parses cleanly.
    std::optional<Timeline> Poll(double steadyMs);

  private:
    struct Stamp {
        std::filesystem::file_time_type written;
        std::uintmax_t size = 0;
        bool operator==(const Stamp&) const = default;
    };
    std::optional<Stamp> ReadStamp() const;

    DataSource& source_;
    std::string scriptName_;
    std::vector<RegisteredName> effects_;
    std::filesystem::path file_; // empty: nothing to watch
    std::optional<Stamp> stamp_;
    double nextLookMs_ = 0.0;
};
