#include "platform/host/capture/LibavLog.h"
#include "tests/support/LogCapture.h"

extern "C" {
#include <libavutil/log.h>
}

#include <gtest/gtest.h>

namespace {

TEST(LibavLogTest, WarningsAndErrorsBecomeOneLineEachNamingTheSpeakerAndTheRestIsDropped) {
    RouteLibavLogThroughSink();
    AVClass encoderClass{};
    encoderClass.class_name = "libx264";
    encoderClass.item_name = av_default_item_name;
    encoderClass.version = LIBAVUTIL_VERSION_INT;
    struct {
        const AVClass* avClass;
    } encoder{&encoderClass};
    StartLogCapture();
    av_log(&encoder, AV_LOG_INFO, "frame I:1 Avg QP:20.00 size: 1234\n");
    av_log(&encoder, AV_LOG_WARNING, "too many %s\n", "bits");
    av_log(nullptr, AV_LOG_ERROR, "first\nsecond\n");
    av_log(nullptr, AV_LOG_DEBUG, "nothing to see\n");
    EXPECT_EQ(TakeLogCapture(), "capture: libx264: too many bits\ncapture: libav: first second\n");
}

} // namespace
