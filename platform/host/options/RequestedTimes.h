// The rules for the times the show is asked to start, stop or draw at: the
// command line's and the page link's alike, with the same one-line refusals.
#pragma once

#include <optional>
#include <string>

// A time on the command line: seconds ("15", "4.5") or m:ss[.fff]; false when
// malformed.
bool ParseCommandLineTime(const std::string& text, int* timeMs);

// --start and --end as given (empty: not given): false, with one line said,
// when one is malformed or the end is not after the start.
bool ResolvePlayRange(const std::string& start, const std::string& end, int* startMs,
                      std::optional<int>* endMs);

// --screenshot's time: false, with one line said, when malformed.
bool ResolveScreenshotTime(const std::string& text, int* timeMs);

struct RequestedTimes {
    std::optional<int> screenshotMs;
    int startMs = 0;
    std::optional<int> endMs;
};

// False, with one line naming the show's length, when a time asked for
// (--screenshot, --start, --end) lies outside a show ending at showEndMs.
bool TimesFitTheShow(const RequestedTimes& times, int showEndMs);
