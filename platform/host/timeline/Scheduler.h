// Runs the timeline: which effects start and stop at a demo time, and the
// order the running ones draw in. Everything is resolved at construction;
// per frame nothing is looked up by name and nothing is allocated.
#pragma once

#include "platform/host/timeline/TimelineScript.h"

#include <span>
#include <vector>

class CEffect;

class Scheduler {
  public:
    // effects: the registered objects, indexed like ScriptRun::effect; every
    // effect a run names is non-null (the script parser refuses the rest).
    Scheduler(const Timeline& timeline, std::span<CEffect* const> effects);

    // Deactivates every running effect whose run does not cover timeMs, then
    // activates every effect whose run covers it and is not running, each in
    // script order. Any time may follow any other: seeking is exact.
    void Advance(int timeMs);
    // Advance in steps, for whoever must see what each Activate did: first
    // the deactivations, then one activation a call, in script order; null
    // once every run that covers timeMs runs.
    void DeactivateEnded(int timeMs);
    const ScriptRun* ActivateNext(int timeMs);
    // RenderFrame on the running effects, by ascending layer, equal layers in
    // script order.
    void Render(int timeMs);
    // Deactivates whatever still runs, in script order.
    void StopAll();
    // Takes a new timeline at timeMs: an effect that runs in both goes on
    // without a call; the rest are deactivated, or activated by the next
    // Advance.
    void Reload(const Timeline& timeline, int timeMs);

    int EndMs() const { return endMs_; }
    std::span<const ScriptRun> Runs() const { return runs_; }
    bool Running(std::size_t run) const { return running_[run] != 0; }

  private:
    void SortDrawOrder();

    std::vector<ScriptRun> runs_;
    std::vector<CEffect*> effects_;
    std::vector<int> drawOrder_; // run indices by layer
    std::vector<char> running_;  // per run
    int endMs_;
};
