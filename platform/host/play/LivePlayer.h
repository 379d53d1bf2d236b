// Plays the show live, in a window or on the page: the demo clock locked to
// the music, the developer's transport (pause, seek, restart) or the viewer's
// pause, the time and running effects in the title, the script reloaded as
// it changes, looping, and the page's replay.
//
// The music is the one the script's effects start through the audio layer;
// each frame asks the frame step for the demo time the listener hears, and
// every seek moves the music to the frame's time.
#pragma once

#include "platform/host/FrameStep.h"
#include "platform/host/gl/Surface.h"
#include "platform/host/play/DemoClock.h"
#include "platform/host/timeline/TimelineScript.h"

#include <array>
#include <optional>
#include <span>

class ScriptWatcher;

struct LiveSettings {
    const char* title;     // the show's, shown before the time in --dev
    int startMs = 0;       // where the clock starts
    bool loop = false;     // from startMs again at the end
    bool dev = false;      // transport keys and the title's time
    int audioOffsetMs = 0; // the picture is held back by this much
    // Where the show stops (--end); none: at the show's own end.
    std::optional<int> endMs;
    bool viewerPause = false; // the surface's pause key works without dev (the page)
};

class LivePlayer {
  public:
    // watcher: null when the script is not watched.
    LivePlayer(FrameStep& frames, std::span<const RegisteredName> effects,
               const LiveSettings& settings, ScriptWatcher* watcher);
    LivePlayer(const LivePlayer&) = delete;
    LivePlayer& operator=(const LivePlayer&) = delete;

    // Handles the keys and the script, then draws one frame; false instead
    // once the show is over. *timeMs: the demo time the frame showed.
    bool Frame(int* timeMs);

    // Over, the show holds its last frame and the music where it stands;
    // Replay plays it again from the start, picture and music in step.
    void HoldAtEnd();
    void Replay();

  private:
    void OnKey(ViewerKey key, double steadyMs);
    void SeekTo(int timeMs, double steadyMs);
    void ShowTime(int timeMs);

    FrameStep& frames_;
    Surface& surface_;
    Scheduler& scheduler_;
    std::span<const RegisteredName> effects_;
    LiveSettings settings_;
    ScriptWatcher* watcher_;
    DemoClock clock_;
    bool alignMusic_ = false; // move the music to the next frame's time
    int lastTimeMs_ = 0;
    int titleTenths_ = -1;
    std::array<char, 256> title_{};
};
