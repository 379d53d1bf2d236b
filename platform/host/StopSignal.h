// While one lives, SIGINT and SIGTERM ask the capture to stop, so it can
// finish its file, instead of ending the process. The previous handlers come
// back when it goes.
#pragma once

#include <csignal>

class StopSignal {
  public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    // The signal that asked to stop, or 0.
    int Raised() const;

  private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};
