#include "platform/host/timeline/TimelineScript.h"
#include "tests/fuzz/FuzzTargets.h"

#include <vector>

void FuzzTimelineScript(const std::uint8_t* data, std::size_t size) {
    static const std::vector<RegisteredName> kNames = {
        {"BASS", true},   {"LOGO", true},   {"FLARE", true},  {"INOOP2", true}, {"INOOP3", true},
        {"WOBBEL", true}, {"WORTEL", true}, {"BGDING", true}, {"GREETS", true}, {"INOOP4", false},
    };
    std::vector<ScriptError> errors;
    const Timeline timeline = ParseTimelineScript(
        std::string_view(reinterpret_cast<const char*>(data), size), kNames, &errors);
    if (!errors.empty()) {
        return;
    }
    // What the scheduler relies on from an accepted script.
    for (const ScriptRun& run : timeline.runs) {
        if (run.effect < 0 || run.effect >= static_cast<int>(kNames.size()) ||
            !kNames[static_cast<std::size_t>(run.effect)].created || run.startMs < 0 ||
            run.endMs <= run.startMs || run.endMs > kMaxScriptTimeMs || run.layer < 0) {
            __builtin_trap();
        }
    }
}
