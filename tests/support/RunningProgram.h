// A program of this build running beside the test, for tests that act on it
// while it runs (a window to look at, a key to press).
#pragma once

#include "tests/support/TestFiles.h"

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

class RunningProgram {
  public:
    // environment: as RunProgram's ("NAME=value", or a bare "NAME" to remove).
    RunningProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment = {});
    // Kills the program if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    // The exit status once it exited normally within timeoutMs; -1 when it
    // died of a signal; nothing while it still runs.
    std::optional<int> WaitForExit(int timeoutMs);
    std::string Err() const;

  private:
    TempFolder folder_;
    pid_t pid_ = -1;
    std::optional<int> status_;
};
