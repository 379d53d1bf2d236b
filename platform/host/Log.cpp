#include "platform/host/Log.h"

#include <cstdio>

void LogLine(std::string_view line) {
    // One call holds the stream lock, so lines from different threads do not interleave.
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}
