// The whole show as the program sets it up offscreen, for the benchmarks: the
// build's data, every effect registered in the program's order and
// initialised on an offscreen surface, the music on the stepped output, the
// millisecond clock following each frame.
#pragma once

#include "effects/flat/BgdingEffect.h"
#include "effects/flat/FlareEffect.h"
#include "effects/flat/GreetsEffect.h"
#include "effects/flat/LogoEffect.h"
#include "effects/flat/WortelEffect.h"
#include "effects/warp/Inoop2Effect.h"
#include "effects/warp/Inoop3Effect.h"
#include "effects/warp/Inoop4Effect.h"
#include "effects/warp/WobbelEffect.h"
#include "music/BassEffect.h"
#include "platform/host/ShowSession.h"
#include "platform/host/timeline/ScriptFile.h"

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class BenchShow {
  public:
    // Throws when the data or the surface cannot be had.
    BenchShow(int width, int height) {
        std::string error;
        SessionPlan plan;
        plan.source =
            OpenDirectorySource(std::filesystem::path(QUORVEL8_DATA_DIR) / "demodat", &error);
        if (!plan.source) {
            throw std::runtime_error(error);
        }
        ScriptFile script = ReadScriptFile(*plan.source, "script.txt", names_);
        if (!script.timeline) {
            throw std::runtime_error("script.txt: " +
                                     (script.read ? "it has errors" : script.readError));
        }
        timeline_ = *script.timeline;
        plan.makeSurface = [width, height](std::string* error) {
            return CreateOffscreenSurface(width, height, false, error);
        };
        plan.effects = effects_;
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
    BassEffect bass_;
    FlareEffect flare_;
    BgdingEffect bgding_;
    GreetsEffect greets_;
    WobbelEffect wobbel_;
    Inoop2Effect inoop2_;
    Inoop3Effect inoop3_;
    Inoop4Effect inoop4_;
    LogoEffect logo_;
    WortelEffect wortel_;
    const std::vector<CEffect*> effects_ = {&bass_,   &flare_,  &bgding_, &greets_, &wobbel_,
                                            &inoop2_, &inoop3_, &inoop4_, &logo_,   &wortel_};
    const std::vector<RegisteredName> names_ = {
        {"BASS", true},   {"FLARE", true},  {"BGDING", true}, {"GREETS", true}, {"WOBBEL", true},
        {"INOOP2", true}, {"INOOP3", true}, {"INOOP4", true}, {"LOGO", true},   {"WORTEL", true}};
    Timeline timeline_;
    std::unique_ptr<ShowSession> session_;
};
