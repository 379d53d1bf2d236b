// The whole show as the program sets it up offscreen, for the benchmarks: the
// build's data, the effects the entry point registers, in its order and under
// its names, initialised on an offscreen surface, the music on the stepped
// output, the millisecond clock following each frame.
#pragma once

#include "app/DemoMain.h"
#include "platform/common/Log.h"
#include "platform/host/ShowHandOver.h"
#include "platform/host/ShowSession.h"
#include "platform/host/timeline/ScriptFile.h"

#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class BenchShow {
  public:
    // Throws when the data or the surface cannot be had.
    BenchShow(const ShowSetup& setup, int width, int height) : names_(RegisteredNames(setup)) {
        std::string error;
        SessionPlan plan;
        plan.source = OpenDirectorySource(
            std::filesystem::path(QUORVEL8_DATA_DIR) / setup.dataDirectory, &error);
        if (!plan.source) {
            throw std::runtime_error(error);
        }
        ScriptFile script = ReadScriptFile(*plan.source, setup.scriptName, names_);
        if (!script.timeline) {
            throw std::runtime_error(setup.scriptName + ": " +
                                     (script.read ? "it has errors" : script.readError));
        }
        timeline_ = *script.timeline;
        plan.makeSurface = [width, height](std::string* error) {
            return CreateOffscreenSurface(width, height, false, error);
        };
        plan.effects = RegisteredObjects(setup);
        plan.timeline = timeline_;
        plan.output = OutputChoice::Stepped;
        plan.fixedStepClock = true;
        session_ = ShowSession::Open(std::move(plan), &error);
        if (!session_) {
            throw std::runtime_error(error);
        }
    }

    FrameStep& Frames() { return session_->Frames(); }
    const Timeline& Script() const { return timeline_; }
    const std::vector<RegisteredName>& Names() const { return names_; }

  private:
    const std::vector<RegisteredName> names_;
    Timeline timeline_;
    std::unique_ptr<ShowSession> session_;
};

// Runs the show's entry point with `bench` in place of the show runner, so the
// show is the one the program registers; the show is taken down before the
// entry point tears down. Returns bench's status, or 1 after a line naming
// `program` when the show cannot be set up.
inline int RunWithBenchShow(const char* program, int width, int height,
                            std::function<int(BenchShow&)> bench) {
    int status = 0;
    HandShowOverTo([&](const ShowSetup& setup) {
        try {
            BenchShow show(setup, width, height);
            status = bench(show);
        } catch (const std::exception& e) {
            LogLine(std::string(program) + ": " + e.what());
            status = 1;
        }
        return 0;
    });
    ProgramInstance instance{0, nullptr};
    DemoMain(&instance);
    return status;
}
