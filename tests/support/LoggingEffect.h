// An effect that writes every call it gets into a log shared by the effects of
// a test, so the order the host calls them in can be compared whole.
#pragma once

#include "host/DemoGL.h"

#include <string>
#include <utility>
#include <vector>

class LoggingEffect : public CEffect {
  public:
    LoggingEffect(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log) {}
    int Init(int width, int height) override {
        log_.push_back(name_ + ".Init(" + std::to_string(width) + "x" + std::to_string(height) +
                       ")");
        return 0;
    }
    void RenderFrame(int timeMs) override {
        log_.push_back(name_ + ".Render(" + std::to_string(timeMs) + ")");
    }
    void Activate() override { log_.push_back(name_ + ".Activate"); }
    void Deactivate() override { log_.push_back(name_ + ".Deactivate"); }

  private:
    std::string name_;
    std::vector<std::string>& log_;
};
