#include "platform/common/Log.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<LogSink*> installedSink{nullptr};
}

void LogLine(std::string_view line) {
    if (LogSink* sink = installedSink.load()) {
        sink->Line(line);
        return;
    }
    // One call holds the stream lock, so lines from different threads do not interleave.
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

void LogStatus(std::string_view text) {
    if (installedSink.load() == nullptr) {
        std::fprintf(stderr, "\r%.*s", static_cast<int>(text.size()), text.data());
    }
}

LogSink* SetLogSink(LogSink* sink) {
    return installedSink.exchange(sink);
}
