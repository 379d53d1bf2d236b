// The rules for the times the show is asked to start, stop or draw at,
// shared by the command line and the page's link.
#include "platform/host/options/RequestedTimes.h"

#include "platform/common/Log.h"
#include "platform/common/QuotedValue.h"
#include "platform/host/timeline/TimelineScript.h"

bool ParseCommandLineTime(const std::string& text, int* timeMs) {
    if (text.find(':') != std::string::npos) {
        return ParseScriptTime(text, timeMs);
    }
    const auto allDigits = [](const std::string& s) {
        return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
    };
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    std::string fraction = dot == std::string::npos ? "000" : text.substr(dot + 1);
    if (!allDigits(whole) || whole.size() > 5 || !allDigits(fraction) || fraction.size() > 3) {
        return false;
    }
    fraction.resize(3, '0');
    const int ms = std::stoi(whole) * 1000 + std::stoi(fraction);
    if (ms > kMaxScriptTimeMs) {
        return false;
    }
    *timeMs = ms;
    return true;
}

bool ResolvePlayRange(const std::string& start, const std::string& end, int* startMs,
                      std::optional<int>* endMs) {
    int from = 0;
    if (!start.empty() && !ParseCommandLineTime(start, &from)) {
        LogLine("quorvel8: --start: malformed time " + QuotedValue(start));
        return false;
    }
    if (!end.empty()) {
        int to = 0;
        if (!ParseCommandLineTime(end, &to)) {
            LogLine("quorvel8: --end: malformed time " + QuotedValue(end));
            return false;
        }
        if (to <= from) {
            LogLine("quorvel8: --end " + end + " is not after --start " +
                    (start.empty() ? "0" : start));
            return false;
        }
        *endMs = to;
    }
    *startMs = from;
    return true;
}

bool ResolveScreenshotTime(const std::string& text, int* timeMs) {
    if (!ParseCommandLineTime(text, timeMs)) {
        LogLine("quorvel8: --screenshot: malformed time " + QuotedValue(text));
        return false;
    }
    return true;
}

bool TimesFitTheShow(const RequestedTimes& times, int showEndMs) {
    const auto past = [&](const char* option, int timeMs) {
        LogLine(std::string("quorvel8: ") + option + " " + FormatScriptTime(timeMs) +
                " is past the end of the show, which lasts " + FormatScriptTime(showEndMs));
        return false;
    };
    // A frame at the show's end would show nothing: the last runs end there.
    if (times.screenshotMs && *times.screenshotMs >= showEndMs) {
        return past("--screenshot", *times.screenshotMs);
    }
    if (times.startMs >= showEndMs) {
        return past("--start", times.startMs);
    }
    if (times.endMs && *times.endMs > showEndMs) {
        return past("--end", *times.endMs);
    }
    return true;
}
