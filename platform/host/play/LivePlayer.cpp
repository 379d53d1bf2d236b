#include "platform/host/play/LivePlayer.h"

#include "platform/audio/PlaybackControl.h"
#include "platform/host/StopSignals.h"
#include "platform/host/gl/Surface.h"
#include "platform/host/timeline/ScriptWatcher.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

// One section of the show: 48 rows of the module.
constexpr int kSeekStepMs = 4500;

double SteadyMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

LivePlayer::LivePlayer(FrameStep& frames, std::span<const RegisteredName> effects,
                       const LiveSettings& settings, ScriptWatcher* watcher)
    : frames_(frames), surface_(frames.Target()), scheduler_(frames.Schedule()), effects_(effects),
      settings_(settings), watcher_(watcher) {
    clock_.Restart(settings.startMs, SteadyMs());
}

bool LivePlayer::Frame(int* timeMs) {
    if (surface_.QuitRequested() || StopSignalCaught() != 0) {
        return false;
    }
    double steadyMs = SteadyMs();
    ViewerKey key;
    while (surface_.NextViewerKey(&key)) {
        if (settings_.dev || (settings_.viewerPause && key == ViewerKey::PauseResume)) {
            OnKey(key, steadyMs);
        }
    }
    if (watcher_ != nullptr) {
        if (const auto timeline = watcher_->Poll(steadyMs)) {
            scheduler_.Reload(*timeline, lastTimeMs_);
        }
    }

    steadyMs = SteadyMs();
    // After a seek the music is moved with the frame; until then it is not
    // where the clock is.
    double heardMs = 0.0;
    const bool hearing = !alignMusic_ && frames_.HeardDemoTimeMs(&heardMs);
    const double musicMs = heardMs - settings_.audioOffsetMs;
    int t = clock_.FrameTimeMs(steadyMs, hearing ? &musicMs : nullptr);
    // The script's end still counts after --dev reloads a shorter one.
    if (t >= std::min(settings_.endMs.value_or(scheduler_.EndMs()), scheduler_.EndMs())) {
        if (!settings_.loop) {
            return false;
        }
        SeekTo(settings_.startMs, steadyMs);
        t = clock_.FrameTimeMs(steadyMs, nullptr);
    }

    const std::uint64_t musics = MusicsStarted();
    frames_.Render(t, alignMusic_);
    alignMusic_ = false;
    // A music that started with this frame starts paused when the clock is.
    if (clock_.Paused() && MusicsStarted() != musics) {
        PausePlayback(true);
    }
    if (settings_.dev) {
        ShowTime(t);
    }
    lastTimeMs_ = t;
    *timeMs = t;
    return true;
}

void LivePlayer::HoldAtEnd() {
    if (!clock_.Paused()) {
        clock_.SetPaused(true, SteadyMs());
        PausePlayback(true);
    }
}

// The music moves to the start with the next frame, as after any seek.
void LivePlayer::Replay() {
    const double steadyMs = SteadyMs();
    SeekTo(settings_.startMs, steadyMs);
    clock_.SetPaused(false, steadyMs);
    PausePlayback(false);
}

void LivePlayer::OnKey(ViewerKey key, double steadyMs) {
    switch (key) {
    case ViewerKey::PauseResume:
        clock_.SetPaused(!clock_.Paused(), steadyMs);
        PausePlayback(clock_.Paused());
        titleTenths_ = -1;
        break;
    case ViewerKey::SeekBack:
        SeekTo(lastTimeMs_ - kSeekStepMs, steadyMs);
        break;
    case ViewerKey::SeekForward:
        SeekTo(lastTimeMs_ + kSeekStepMs, steadyMs);
        break;
    case ViewerKey::Restart:
        SeekTo(0, steadyMs);
        break;
    }
}

void LivePlayer::SeekTo(int timeMs, double steadyMs) {
    lastTimeMs_ = std::clamp(timeMs, 0, std::max(scheduler_.EndMs() - 1, 0));
    clock_.Restart(lastTimeMs_, steadyMs);
    alignMusic_ = true;
}

// Rewritten only when the tenth of a second shown changes; no allocation.
void LivePlayer::ShowTime(int timeMs) {
    const int tenths = timeMs / 100;
    if (tenths == titleTenths_) {
        return;
    }
    titleTenths_ = tenths;
    int used = std::snprintf(title_.data(), title_.size(), "%s  %d:%02d.%d%s ", settings_.title,
                             tenths / 600, tenths / 10 % 60, tenths % 10,
                             clock_.Paused() ? " (paused)" : "");
    const std::span<const ScriptRun> runs = scheduler_.Runs();
    for (std::size_t i = 0; i < runs.size() && used > 0; ++i) {
        if (scheduler_.Running(i) && static_cast<std::size_t>(used) < title_.size()) {
            used += std::snprintf(title_.data() + used, title_.size() - used, " %s",
                                  effects_[runs[i].effect].name.c_str());
        }
    }
    surface_.SetTitle(title_.data());
}
