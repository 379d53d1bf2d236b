// The one way out for every message of the host, the audio layer, the effects
// and the tools: a line for the person running the show. Tests put a sink of
// their own in place to read what was said.
#pragma once

#include <string_view>

class LogSink {
  public:
    virtual void Line(std::string_view line) = 0;

  protected:
    ~LogSink() = default;
};

// Says line (without a newline) through the sink: stderr when none is set.
// Any thread.
void LogLine(std::string_view line);

// A status that the next status or line overwrites on a terminal (a
// progress line); a sink set in place of stderr is not told.
void LogStatus(std::string_view text);

// From now on lines go to sink; null puts stderr back. Returns the sink before.
LogSink* SetLogSink(LogSink* sink);

// A sink that takes the lines for as long as it lives, then gives them back
// to the sink before it. Show's thread only: a line said while a derived
// sink is taken down would reach it half gone.
class ScopedLogSink : public LogSink {
  public:
    ScopedLogSink(const ScopedLogSink&) = delete;
    ScopedLogSink& operator=(const ScopedLogSink&) = delete;

  protected:
    ScopedLogSink() : before_(SetLogSink(this)) {}
    ~ScopedLogSink() { SetLogSink(before_); }

  private:
    LogSink* before_;
};
