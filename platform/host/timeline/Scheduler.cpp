#include "platform/host/timeline/Scheduler.h"

#include "host/DemoGL.h"

#include <algorithm>
#include <numeric>

namespace {

bool Covers(const ScriptRun& run, int timeMs) {
    return run.startMs <= timeMs && timeMs < run.endMs;
}

} // namespace

Scheduler::Scheduler(const Timeline& timeline, std::span<CEffect* const> effects)
    : runs_(timeline.runs), effects_(effects.begin(), effects.end()),
      drawOrder_(timeline.runs.size()), running_(timeline.runs.size(), 0), endMs_(timeline.endMs) {
    SortDrawOrder();
}

void Scheduler::SortDrawOrder() {
    drawOrder_.resize(runs_.size());
    std::iota(drawOrder_.begin(), drawOrder_.end(), 0);
    std::stable_sort(drawOrder_.begin(), drawOrder_.end(),
                     [&](int a, int b) { return runs_[a].layer < runs_[b].layer; });
}

void Scheduler::Reload(const Timeline& timeline, int timeMs) {
    std::vector<char> effectRunning(effects_.size(), 0);
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (running_[i]) {
            effectRunning[runs_[i].effect] = 1;
        }
    }
    runs_ = timeline.runs;
    endMs_ = timeline.endMs;
    running_.assign(runs_.size(), 0);
    SortDrawOrder();
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        const ScriptRun& run = runs_[i];
        if (effectRunning[run.effect] && Covers(run, timeMs)) {
            running_[i] = 1;
            effectRunning[run.effect] = 0;
        }
    }
    for (std::size_t effect = 0; effect < effects_.size(); ++effect) {
        if (effectRunning[effect]) {
            effects_[effect]->Deactivate();
        }
    }
}

void Scheduler::Advance(int timeMs) {
    DeactivateEnded(timeMs);
    while (ActivateNext(timeMs) != nullptr) {
    }
}

void Scheduler::DeactivateEnded(int timeMs) {
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (running_[i] && !Covers(runs_[i], timeMs)) {
            running_[i] = 0;
            effects_[runs_[i].effect]->Deactivate();
        }
    }
}

const ScriptRun* Scheduler::ActivateNext(int timeMs) {
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (!running_[i] && Covers(runs_[i], timeMs)) {
            running_[i] = 1;
            effects_[runs_[i].effect]->Activate();
            return &runs_[i];
        }
    }
    return nullptr;
}

void Scheduler::Render(int timeMs) {
    for (int run : drawOrder_) {
        if (running_[run]) {
            effects_[runs_[run].effect]->RenderFrame(timeMs);
        }
    }
}

void Scheduler::StopAll() {
    for (std::size_t i = 0; i < runs_.size(); ++i) {
        if (running_[i]) {
            running_[i] = 0;
            effects_[runs_[i].effect]->Deactivate();
        }
    }
}
