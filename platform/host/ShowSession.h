// The show brought up in order and taken down in reverse: the data source,
// the surface, the file and picture stores, the host services the effects
// call, each effect's Init, and the timeline's scheduler with its frame
// function. Every run of the show (the runners' modes, the check report, the
// render tests, the benchmarks) goes through one of these.
#pragma once

#include "platform/audio/PlaybackControl.h"
#include "platform/host/FrameStep.h"
#include "platform/host/data/DataSource.h"
#include "platform/host/data/FileStore.h"
#include "platform/host/gl/Surface.h"
#include "platform/host/gl/TextureStore.h"
#include "platform/host/timeline/Scheduler.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CEffect;

class ShowSession {
  public:
    // What the session is made of.
    struct Plan {
        std::unique_ptr<DataSource> source;
        // Null with *error (one line) when there is no surface to draw on.
        std::function<std::unique_ptr<Surface>(std::string* error)> makeSurface;
        // Initialised in this order; null where an effect could not be created.
        std::vector<CEffect*> effects;
        // None: no scheduler, and the effects are driven by hand.
        std::optional<Timeline> timeline;
        // Where the music plays: offscreen runs must not sound.
        OutputChoice output = OutputChoice::Device;
        // Offscreen frames hold the millisecond clock at their time.
        bool fixedStepClock = false;
    };

    // Null with *error when the surface cannot be made, after undoing what was
    // done. The viewer quitting while the effects initialise leaves the rest
    // uninitialised and the session Interrupted.
    static std::unique_ptr<ShowSession> Open(Plan plan, std::string* error);
    ~ShowSession();
    ShowSession(const ShowSession&) = delete;
    ShowSession& operator=(const ShowSession&) = delete;

    bool Interrupted() const { return interrupted_; }
    DataSource& Source() { return *source_; }
    Surface& Target() { return *surface_; }
    TextureStore& Textures() { return *textures_; }
    // Only with a timeline.
    FrameStep& Frames() { return *frames_; }

  private:
    ShowSession() = default;
    bool BringUp(Plan& plan, std::string* error);

    std::unique_ptr<DataSource> source_;
    std::unique_ptr<Surface> surface_;
    std::unique_ptr<FileStore> files_;
    std::unique_ptr<TextureStore> textures_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<FrameStep> frames_;
    bool interrupted_ = false;
};
