#include "platform/host/capture/LibavLog.h"

#include "platform/common/Log.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdarg>
#include <cstdio>
#include <string>

namespace {

// The part that spoke ("libx264", "mp4"): libav's contexts start with their class.
const char* SpeakerOf(void* context) {
    const AVClass* const* avClass = static_cast<const AVClass* const*>(context);
    if (avClass == nullptr || *avClass == nullptr || (*avClass)->item_name == nullptr) {
        return "libav";
    }
    return (*avClass)->item_name(context);
}

void SayLibavMessage(void* context, int level, const char* format, va_list args) {
    if (level > AV_LOG_WARNING) {
        return;
    }
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string line = std::string("capture: ") + SpeakerOf(context) + ": " + text;
    // libav ends its messages with a newline, and a few run over several.
    for (char& c : line) {
        if (c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    line.erase(line.find_last_not_of(' ') + 1);
    LogLine(line);
}

} // namespace

void RouteLibavLogThroughSink() {
    av_log_set_level(AV_LOG_WARNING);
    av_log_set_callback(SayLibavMessage);
}
