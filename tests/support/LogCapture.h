// Reads what the program says through its log sink, as a test wants it: one
// "line\n" after another, from StartLogCapture to TakeLogCapture.
#pragma once

#include "platform/common/Log.h"

#include <mutex>
#include <string>
#include <string_view>

class CollectingSink : public LogSink {
  public:
    void Line(std::string_view line) override {
        const std::lock_guard<std::mutex> hold(lock_);
        said_.append(line).push_back('\n');
    }
    std::string Take() {
        const std::lock_guard<std::mutex> hold(lock_);
        std::string said;
        said.swap(said_);
        return said;
    }

  private:
    std::mutex lock_;
    std::string said_;
};

inline CollectingSink& TestLogSink() {
    static CollectingSink sink;
    return sink;
}

inline void StartLogCapture() {
    TestLogSink().Take();
    SetLogSink(&TestLogSink());
}

// What was said since StartLogCapture; the sink goes back to stderr.
inline std::string TakeLogCapture() {
    SetLogSink(nullptr);
    return TestLogSink().Take();
}
