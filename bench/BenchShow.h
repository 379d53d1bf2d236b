// The whole show as the program sets it up offscreen, for the benchmarks: the
// build's data, the effects the entry point registers, in its order and under
// its names, initialised on an offscreen surface, the music on the stepped
// output, the millisecond clock following each frame.
#pragma once

#include "platform/host/ShowSession.h"
#include "platform/host/play/RegisteredShow.h"
#include "platform/host/timeline/ScriptFile.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class BenchShow {
  public:
    // Throws when the data or the surface cannot be had.
    BenchShow(const RegisteredShow& show, int width, int height) : names_(RegisteredNames(show)) {
        std::string error;
        ShowSession::Plan plan;
        plan.source = OpenDirectorySource(
            std::filesystem::path(QUORVEL8_DATA_DIR) / show.dataDirectory, &error);
        if (!plan.source) {
            throw std::runtime_error(error);
        }
        ScriptFile script = ReadScriptFile(*plan.source, show.scriptName, names_);
        if (!script.timeline) {
            throw std::runtime_error(show.scriptName + ": " +
                                     (script.read ? "it has errors" : script.readError));
        }
        timeline_ = *script.timeline;
        plan.makeSurface = [width, height](std::string* error) {
            return CreateOffscreenSurface(width, height, false, error);
        };
        plan.effects = RegisteredObjects(show);
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

// Runs the show's entry point, whose RunApp (BenchShow.cpp: the benchmarks'
// own, in place of a platform's runner) hands `bench` the show the program
// registers; the show is taken down before the entry point tears down.
// Returns bench's status, or 1 after a line naming `program` when the show
// cannot be set up.
int RunWithBenchShow(const char* program, int width, int height,
                     std::function<int(BenchShow&)> bench);
